#include "playback/playback_control.h"

#include "playback/file_dialog_control.h"
#include "playback/media_player.h"
#include "surface/colour.h"
#include "surface/drawing_surface.h"
#include "timeline/clock_text.h"
#include "timeline/timeline_ruler.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

constexpr int textTop = 135;
constexpr int totalTimeLeft = 10;

// The seek strip under the ruler, all bounds inclusive.
bool onSeekStrip(int x, int y)
{
    return x >= 5 && x <= 305 && y >= 167 && y <= 187;
}

// The byte count a read of the whole file would give, without reading it: 0 when it can't be
// opened for reading.
qint64 readableFileSize(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return 0;
    return std::max<qint64>(0, file.size());
}

} // namespace

void setTimerPeriod(QTimer &timer, int periodMs)
{
    if (periodMs <= 0) {
        timer.stop();
        return;
    }
    if (timer.isActive() && timer.interval() == periodMs)
        return;
    timer.start(periodMs);
}

PlaybackControl::PlaybackControl(const Controls &controls, QObject *parent)
    : QObject(parent), m_controls(controls)
{
}

bool PlaybackControl::runButtonAction(int button)
{
    switch (button) {
    case PlayLoad:
        return playLoadAction();
    case Pause:
        pauseAction();
        break;
    case Stop:
        stopAction();
        break;
    default:
        break;
    }
    return true;
}

bool PlaybackControl::playLoadAction()
{
    if (m_controls.pathBox.text().isEmpty())
        return loadFromDialog();
    play();
    return true;
}

bool PlaybackControl::loadFromDialog()
{
    FileDialogControl &dialog = m_controls.dialog;
    dialog.setDialogType(0);
    dialog.setDialogFilter(QStringLiteral("MP3|*.mp3"));
    if (!dialog.runFileDialog())
        return false;

    m_controls.pathBox.setText(dialog.dialogFileName());
    const QString path = m_controls.pathBox.text();
    m_controls.player.open(path);
    m_controls.ruler.moveCursor(m_controls.canvas, 0, colour::blue);
    m_controls.canvas.writeTextAt(totalTimeLeft, textTop,
                                  QStringLiteral("总时间：[%1]")
                                      .arg(clockTextFromSeconds(m_controls.player.lengthSeconds())));
    m_controls.canvas.writeTextAt(clockLeft(), textTop, QStringLiteral("00:00"));
    m_controls.startButton.setEnabled(true);
    m_sourceFileSize = readableFileSize(path);
    QCoreApplication::processEvents();
    return true;
}

void PlaybackControl::play()
{
    // The first recorded step is where the cursor stands (or 0 just after it left step 0).
    std::vector<int> positions;
    m_controls.ruler.copyPositions(positions);
    m_controls.ruler.moveCursor(m_controls.canvas, positions.empty() ? 0 : positions.front(), colour::green);

    const int status = m_controls.player.status();
    if (status == MediaPlayer::Paused || status == MediaPlayer::Stopped)
        m_controls.player.play(-1);
    setTimerPeriod(m_controls.clock, 1000);
}

void PlaybackControl::pauseAction()
{
    if (m_controls.player.status() == MediaPlayer::Playing)
        m_controls.player.togglePause();
    setTimerPeriod(m_controls.clock, 0);
}

void PlaybackControl::stopAction()
{
    m_controls.player.stop();
    m_controls.ruler.moveCursor(m_controls.canvas, 0, colour::green);
    setTimerPeriod(m_controls.clock, 0);
    // The band under the ruler holds the cut markers and their times.
    m_controls.canvas.clearRectangle(2, 198, int(m_controls.canvas.width() - 10), 208);
}

void PlaybackControl::seekStep(int x, int y)
{
    if (!onSeekStrip(x, y))
        return;
    const int step = (x - 5) / 3;
    const int lengthSeconds = m_controls.player.lengthSeconds();
    // Whole seconds, in this order, as the ruler's steps are hundredths of them.
    const double positionMs = double(step) * lengthSeconds / 100.0 * 1000.0;
    m_controls.player.play(int(positionMs));
}

void PlaybackControl::timerTick()
{
    DrawingSurface &canvas = m_controls.canvas;
    canvas.clearRectangle(clockLeft(), textTop, 50, 20);
    canvas.writeTextAt(clockLeft(), textTop, clockTextFromMilliseconds(m_controls.player.position()));

    const int positionMs = m_controls.player.position();
    const int lengthMs = m_controls.player.length();
    const int step = lengthMs == 0 ? 0 : int(double(positionMs) * 100.0 / lengthMs);
    m_controls.ruler.moveCursor(canvas, step, colour::green);
}

int PlaybackControl::clockLeft() const
{
    return int(m_controls.canvas.width() - 50);
}
