#include "app/main_window.h"

#include "app/close_box.h"
#include "app/window_shape.h"
#include "assets/application_icon.h"
#include "assets/skin_drawing.h"
#include "surface/canvas_widget.h"
#include "surface/colour.h"
#include "surface/drawing_surface.h"
#include "timeline/timeline_ruler.h"

#include <QApplication>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <array>

namespace {

constexpr QSize windowSize(310, 354);

// Asked for first; WenQuanYi Micro Hei is installed by set-up for the Chinese glyphs.
const QStringList canvasFontFaces{QStringLiteral("微软雅黑"), QStringLiteral("WenQuanYi Micro Hei")};

} // namespace

void paintBackground(DrawingSurface &canvas)
{
    const std::array<int, 3> blues{colour::fromRgb(51, 139, 185), colour::fromRgb(82, 175, 216),
                                   colour::fromRgb(165, 227, 247)};
    const int width = canvas.width();
    const int height = canvas.height();
    canvas.drawGradientRectangle(0, 0, width, height, 8, blues);
    canvas.drawLine(0, 0, width, 0);
    canvas.drawLine(0, height - 2, width, height - 2);
    canvas.drawLine(0, 0, 0, height);
    canvas.drawLine(width - 2, 0, width - 2, height);
}

MainWindow::MainWindow(TimelineRuler &ruler, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_ruler(ruler),
      m_canvas(new CanvasWidget(this)),
      m_pathBox(new QLineEdit(m_canvas)),
      m_startButton(makeButton(QStringLiteral("按钮_起始位置"), QStringLiteral("起始位置"), 232)),
      m_endButton(makeButton(QStringLiteral("按钮_结束位置"), QStringLiteral("结束位置"), 280)),
      m_saveButton(makeButton(QStringLiteral("按钮1"), QStringLiteral("保存"), 323)),
      m_dialog(this),
      m_playback({m_canvas->surface(), ruler, m_player, m_dialog, *m_pathBox, *m_startButton, m_clock}),
      m_transportButtons(m_canvas->surface()),
      m_chrome({*this, m_canvas->surface(), m_transportButtons, m_playback, m_player}),
      m_cutMarking(m_cutState, m_player, ruler, m_canvas->surface(),
                   [this] { return m_playback.sourceFileSize(); },
                   {m_startButton, m_endButton, m_saveButton}),
      m_cutSaving(m_cutState, m_pathBox, m_saveButton, m_dialog, this)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QString());
    setWindowIcon(QIcon(QString::fromLatin1(applicationIconPath)));
    setFixedSize(windowSize);
    m_canvas->setObjectName(QStringLiteral("画板1"));
    m_canvas->move(0, 0);
    m_clock.setObjectName(QStringLiteral("时钟1"));
    m_player.setObjectName(QStringLiteral("媒体播放1"));

    m_pathBox->setObjectName(QStringLiteral("编辑框1"));
    m_pathBox->setGeometry(19, 48, 272, 25);
    m_pathBox->setReadOnly(true);
    m_pathBox->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    QFont pathFont;
    pathFont.setFamilies(canvasFontFaces);
    pathFont.setPixelSize(16);
    pathFont.setWeight(QFont::Normal);
    m_pathBox->setFont(pathFont);
    QPalette pathColours = m_pathBox->palette();
    pathColours.setColor(QPalette::Text, QColor(0, 136, 255));
    pathColours.setColor(QPalette::Base, Qt::white);
    m_pathBox->setPalette(pathColours);

    connect(m_canvas, &CanvasWidget::leftPressed, this, [this](int x, int y) { m_chrome.leftPressed(x, y); });
    connect(m_canvas, &CanvasWidget::pointerMoved, this, [this](int x, int y) { m_chrome.pointerMoved(x, y); });
    connect(m_canvas, &CanvasWidget::leftReleased, this, [this](int x, int y) { m_chrome.leftReleased(x, y); });
    connect(&m_clock, &QTimer::timeout, &m_playback, &PlaybackControl::timerTick);

    // Centred on the primary screen: (1920 − 310) / 2, (1080 − 354) / 2 is (805, 363).
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - windowSize.width()) / 2,
             area.top() + (area.height() - windowSize.height()) / 2);
    }
}

MainWindow::~MainWindow() = default;

QPushButton *MainWindow::makeButton(const QString &objectName, const QString &caption, int top)
{
    auto *button = new QPushButton(caption, m_canvas);
    button->setObjectName(objectName);
    button->setGeometry(23, top, 64, 24);
    button->setEnabled(false);
    return button;
}

DrawingSurface &MainWindow::canvas()
{
    return m_canvas->surface();
}

void MainWindow::setRoundedRegion(int cornerSize)
{
    setMask(roundedWindowRegion(size(), cornerSize));
}

void MainWindow::onMainWindowCreated()
{
    DrawingSurface &surface = canvas();
    setRoundedRegion(5);
    paintBackground(surface);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        surface.setDotsPerInch(int(std::lround(screen->logicalDotsPerInchY())));
    surface.setFont(canvasFontFaces, 10);
    surface.writeTextAt(5, 5, QStringLiteral("Quenvox"));
    show();
    QCoreApplication::processEvents();

    // From here on, clearing any rectangle restores the skin and the title as they are now.
    surface.setBackgroundPicture(surface.snapshot());
    m_ruler.drawRuler(surface);
    drawCloseButton(surface, closeImageLeft(surface.width()), 1, closeImageWidth, closeImageHeight,
                    closeLook::normal);
    m_transportButtons.drawAllNormal();
}
