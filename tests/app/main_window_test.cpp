#include "app/main_window.h"
#include "app/window_shape.h"
#include "surface/canvas_widget.h"
#include "surface/colour.h"
#include "surface/drawing_surface.h"
#include "timeline/timeline_ruler.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr QRgb skinRed = qRgb(237, 28, 36);

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { window.onMainWindowCreated(); }

    QRgb pixel(int x, int y) { return window.canvas().pixel(x, y); }

    TimelineRuler ruler;
    MainWindow window{ruler};
};

} // namespace

TEST_F(MainWindowTest, ControlsStandWhereTheFormPutsThem)
{
    struct Expected { const char *name; QRect geometry; QString caption; };
    const Expected controls[] = {
        {"编辑框1", {19, 48, 272, 25}, {}},
        {"按钮_起始位置", {23, 232, 64, 24}, QStringLiteral("起始位置")},
        {"按钮_结束位置", {23, 280, 64, 24}, QStringLiteral("结束位置")},
        {"按钮1", {23, 323, 64, 24}, QStringLiteral("保存")},
    };
    for (const auto &expected : controls) {
        const QString name = QString::fromUtf8(expected.name);
        auto *control = window.findChild<QWidget *>(name);
        ASSERT_NE(control, nullptr) << expected.name;
        EXPECT_EQ(control->geometry(), expected.geometry) << expected.name;
        EXPECT_EQ(control->parentWidget(), &window.canvasWidget()) << expected.name;
        if (auto *button = qobject_cast<QPushButton *>(control)) {
            EXPECT_EQ(button->text(), expected.caption);
            EXPECT_FALSE(button->isEnabled()) << expected.name;
        }
    }
    EXPECT_EQ(window.canvasWidget().objectName(), QStringLiteral("画板1"));
    EXPECT_EQ(window.canvasWidget().geometry(), QRect(0, 0, 310, 354));
    EXPECT_EQ(window.size(), QSize(310, 354));
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window.windowTitle().isEmpty());
    EXPECT_EQ(window.clock().objectName(), QStringLiteral("时钟1"));
    EXPECT_FALSE(window.clock().isActive());
}

TEST_F(MainWindowTest, PathBoxIsEmptyReadOnlyAndBlue)
{
    QLineEdit &box = window.pathBox();
    EXPECT_TRUE(box.text().isEmpty());
    EXPECT_TRUE(box.isReadOnly());
    EXPECT_EQ(box.palette().color(QPalette::Text), QColor(0, 136, 255));
    EXPECT_EQ(box.font().pixelSize(), 16);
    EXPECT_EQ(box.focusPolicy() & Qt::TabFocus, 0);
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("typed"));
    EXPECT_TRUE(box.text().isEmpty());
}

TEST_F(MainWindowTest, BorderRunsAlongRowsZeroAnd352AndColumnsZeroAnd308)
{
    for (int x = 0; x < 310; x += 7) {
        EXPECT_EQ(pixel(x, 0), qRgb(0, 0, 0)) << x;
        EXPECT_EQ(pixel(x, 352), qRgb(0, 0, 0)) << x;
    }
    for (int y = 30; y < 354; y += 7) {
        if (y == 176 || y == 177)
            continue; // the ruler's base line runs across the whole width
        EXPECT_EQ(pixel(0, y), qRgb(0, 0, 0)) << y;
        EXPECT_EQ(pixel(308, y), qRgb(0, 0, 0)) << y;
    }
    // Beside the border the gradient shows: dark blue in the bottom-left corner.
    EXPECT_EQ(pixel(1, 351), qRgb(51, 139, 185));
    EXPECT_NE(pixel(1, 200), qRgb(0, 0, 0));
    EXPECT_NE(pixel(307, 200), qRgb(0, 0, 0));
}

TEST_F(MainWindowTest, RulerCloseButtonAndTransportButtonsAreDrawnOverTheSkin)
{
    EXPECT_EQ(pixel(5, 160), qRgb(0, 0, 255));   // left end line
    EXPECT_EQ(pixel(305, 160), qRgb(0, 0, 255)); // right end line
    EXPECT_EQ(pixel(20, 168), qRgb(255, 0, 0));  // long tick of step 5
    EXPECT_EQ(pixel(8, 174), qRgb(0, 0, 0));     // short tick of step 1
    for (const int left : {16, 112, 208}) {
        EXPECT_EQ(pixel(left, 100), skinRed) << left;
        EXPECT_EQ(pixel(left + 85, 100), skinRed) << left;
        EXPECT_EQ(pixel(left, 129), skinRed) << left;
        EXPECT_EQ(pixel(left + 85, 129), skinRed) << left;
    }
    // The close image covers x 270..307, y 1..18 and is no part of the gradient.
    const QImage background = window.canvas().snapshot();
    int differing = 0;
    DrawingSurface plain;
    paintBackground(plain);
    for (int y = 1; y <= 18; ++y)
        for (int x = 270; x <= 307; ++x)
            differing += background.pixel(x, y) != plain.pixel(x, y);
    EXPECT_GT(differing, 38 * 18 / 2);
}

TEST_F(MainWindowTest, ClearingRestoresTheSkinButNotWhatWasDrawnAfterTheSnapshot)
{
    DrawingSurface &canvas = window.canvas();
    const QImage before = canvas.snapshot();
    canvas.setPenColour(colour::green);
    for (int y = 0; y < 30; ++y)
        canvas.drawLine(0, y, 310, y);
    canvas.clearRectangle(0, 0, 310, 30);
    // The title is back; the close button is not, the skin shows there instead.
    EXPECT_EQ(canvas.image().copy(0, 0, 260, 30), before.copy(0, 0, 260, 30));
    DrawingSurface plain;
    paintBackground(plain);
    EXPECT_EQ(canvas.pixel(300, 10), plain.pixel(300, 10));
}

TEST(WindowShape, CornersAreCutAndTheOutlineEndsOnTheBorder)
{
    const QRegion region = roundedWindowRegion({310, 354}, 5);
    struct Case { QPoint point; bool inside; };
    const Case cases[] = {
        {{0, 0}, false}, {{308, 0}, false}, {{0, 352}, false}, {{308, 352}, false},
        {{3, 0}, true}, {{0, 3}, true}, {{155, 0}, true}, {{0, 177}, true},
        {{308, 177}, true}, {{155, 352}, true}, {{309, 177}, false}, {{155, 353}, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(region.contains(c.point), c.inside) << c.point.x() << "," << c.point.y();
}
