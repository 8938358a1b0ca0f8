// Playback control driven through the window, with the open dialog answered by the test.
#include "app/main_window.h"
#include "playback/file_dialog_control.h"
#include "playback/media_player.h"
#include "playback/playback_control.h"
#include "support/fixtures.h"
#include "surface/canvas_widget.h"
#include "surface/drawing_surface.h"
#include "timeline/timeline_ruler.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr QRgb blue = qRgb(0, 0, 255);
constexpr QRgb green = qRgb(0, 255, 0);

class PlaybackControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.dialog().setRunner([this](const FileDialogRequest &request) {
            requests.push_back(request);
            return answer;
        });
        window.onMainWindowCreated();
    }

    void send(QEvent::Type type, int x, int y)
    {
        const QPointF at(x, y);
        QMouseEvent event(type, at, window.canvasWidget().mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window.canvasWidget(), &event);
    }
    void click(int x, int y)
    {
        send(QEvent::MouseMove, x, y);
        send(QEvent::MouseButtonPress, x, y);
        send(QEvent::MouseButtonRelease, x, y);
    }
    void pressPlayLoad() { click(50, 115); }
    void pressPause() { click(150, 115); }
    void pressStop() { click(250, 115); }
    void pressOnStrip(int x, int y = 177)
    {
        send(QEvent::MouseButtonPress, x, y);
        send(QEvent::MouseButtonRelease, x, y);
    }

    void load(const QString &fixture)
    {
        answer = fixturePath(fixture);
        pressPlayLoad();
        ASSERT_EQ(window.pathBox().text(), fixturePath(fixture));
    }

    MediaPlayer &player() { return window.player(); }
    QRgb pixel(int x, int y) { return window.canvas().pixel(x, y); }

    TimelineRuler ruler;
    MainWindow window{ruler};
    std::optional<QString> answer;
    std::vector<FileDialogRequest> requests;
};

} // namespace

TEST_F(PlaybackControlTest, CancelledOpenDialogChangesNothing)
{
    DrawingSurface &canvas = window.canvas();
    send(QEvent::MouseMove, 50, 115);
    canvas.clearRectangle(270, 1, 38, 18); // so a redraw of the close button would show
    const QImage before = canvas.snapshot();
    send(QEvent::MouseButtonPress, 50, 115);
    send(QEvent::MouseButtonRelease, 50, 115);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].dialogType, 0);
    EXPECT_EQ(requests[0].nameFilters, QStringList{QStringLiteral("MP3 (*.mp3)")});
    EXPECT_TRUE(window.pathBox().text().isEmpty());
    EXPECT_FALSE(window.startButton().isEnabled());
    EXPECT_EQ(player().status(), 0);
    EXPECT_FALSE(window.clock().isActive());
    // The buttons show their hover look again, but the close button was not redrawn.
    EXPECT_EQ(canvas.image().copy(270, 1, 38, 18), before.copy(270, 1, 38, 18));
}

TEST_F(PlaybackControlTest, LoadOpensWithoutPlayingAndEnablesTheStartButton)
{
    load(QStringLiteral("cbr.mp3"));
    EXPECT_EQ(player().status(), MediaPlayer::Stopped);
    EXPECT_EQ(player().position(), 0);
    EXPECT_GT(player().length(), 6000);
    EXPECT_TRUE(window.startButton().isEnabled());
    EXPECT_FALSE(window.endButton().isEnabled());
    EXPECT_FALSE(window.clock().isActive());
    EXPECT_EQ(window.playback().sourceFileSize(), QFileInfo(fixturePath(QStringLiteral("cbr.mp3"))).size());
    EXPECT_EQ(ruler.positionList(), std::vector<int>{0});
    EXPECT_EQ(pixel(5, 190), blue); // the cursor, blue at step 0
    // A second PlayLoad plays and never asks for a file again.
    pressPlayLoad();
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_EQ(player().status(), MediaPlayer::Playing);
    EXPECT_TRUE(window.clock().isActive());
    EXPECT_EQ(window.clock().interval(), 1000);
    EXPECT_EQ(pixel(5, 190), green);
}

TEST_F(PlaybackControlTest, ClockAndCursorFollowPlayback)
{
    load(QStringLiteral("long205.mp3"));
    pressOnStrip(155); // step 50
    pressPlayLoad();
    QTRY_VERIFY_WITH_TIMEOUT(ruler.cursorPercent() >= 50, 15000);
    EXPECT_LE(ruler.cursorPercent(), 51);
    EXPECT_EQ(pixel(3 * ruler.cursorPercent() + 5, 190), green);
}

TEST_F(PlaybackControlTest, PauseThenPlayLoadResumesWhereItPaused)
{
    load(QStringLiteral("long205.mp3"));
    pressOnStrip(65); // step 20: 41 s
    pressPlayLoad();
    QTRY_VERIFY_WITH_TIMEOUT(player().position() > 41300, 15000);
    pressPause();
    EXPECT_EQ(player().status(), MediaPlayer::Paused);
    EXPECT_FALSE(window.clock().isActive());
    const int pausedAt = player().position();
    pressPlayLoad();
    EXPECT_EQ(player().status(), MediaPlayer::Playing);
    EXPECT_GE(player().position(), pausedAt - 50);
    EXPECT_LT(player().position(), pausedAt + 500);
}

TEST_F(PlaybackControlTest, StopRewindsMovesTheCursorHomeAndClearsTheBand)
{
    load(QStringLiteral("long205.mp3"));
    pressOnStrip(155);
    pressPlayLoad();
    QTRY_VERIFY_WITH_TIMEOUT(ruler.cursorPercent() >= 50, 15000);
    DrawingSurface &canvas = window.canvas();
    canvas.setPenColour(0);
    canvas.drawLine(100, 220, 200, 220); // stands for the cut marks under the ruler
    pressStop();
    EXPECT_EQ(player().status(), MediaPlayer::Stopped);
    EXPECT_FALSE(window.clock().isActive());
    EXPECT_EQ(ruler.cursorPercent(), 0);
    EXPECT_EQ(pixel(5, 190), green);
    DrawingSurface skin;
    paintBackground(skin);
    EXPECT_EQ(pixel(150, 220), skin.pixel(150, 220));
    pressPlayLoad();
    EXPECT_EQ(player().status(), MediaPlayer::Playing);
    EXPECT_LT(player().position(), 1000);
}

TEST_F(PlaybackControlTest, PressOnTheStripSeeksByWholeSeconds)
{
    load(QStringLiteral("long205.mp3"));
    ASSERT_EQ(player().lengthSeconds(), 205);
    struct Case { int x, y; int expectedMs; };
    const Case cases[] = {{305, 177, 205000}, {8, 177, 2050}, {6, 177, 0}, {7, 177, 0},
                          {155, 167, 102500}, {155, 187, 102500}};
    for (const auto &c : cases) {
        pressPause();
        pressOnStrip(c.x, c.y);
        EXPECT_EQ(player().status(), MediaPlayer::Playing) << c.x;
        EXPECT_GE(player().position(), c.expectedMs) << c.x;
        EXPECT_LT(player().position(), c.expectedMs + 400) << c.x;
    }
    // Outside the strip nothing is sought, whatever the state.
    pressStop();
    for (const QPoint at : {QPoint(4, 177), QPoint(200, 188), QPoint(306, 177), QPoint(200, 166)}) {
        pressOnStrip(at.x(), at.y());
        EXPECT_EQ(player().status(), MediaPlayer::Stopped) << at.x() << "," << at.y();
    }
}

TEST_F(PlaybackControlTest, SeekWhilePausedPlaysButLeavesClockAndCursorStill)
{
    load(QStringLiteral("long205.mp3"));
    pressPlayLoad();
    pressPause();
    const int step = ruler.cursorPercent();
    pressOnStrip(155);
    EXPECT_EQ(player().status(), MediaPlayer::Playing);
    EXPECT_FALSE(window.clock().isActive());
    EXPECT_EQ(ruler.cursorPercent(), step);
}

TEST_F(PlaybackControlTest, PauseWhenNotPlayingPausesNothingButStopsTheClock)
{
    load(QStringLiteral("cbr.mp3"));
    window.clock().start(1000);
    pressPause();
    EXPECT_EQ(player().status(), MediaPlayer::Stopped);
    EXPECT_FALSE(window.clock().isActive());
}

TEST_F(PlaybackControlTest, AFileThatCannotBePlayedKeepsTheCursorAtStepZero)
{
    load(QStringLiteral("not_mp3.mp3"));
    EXPECT_EQ(player().length(), 0);
    EXPECT_TRUE(window.startButton().isEnabled());
    pressPlayLoad();
    EXPECT_TRUE(window.clock().isActive()); // the clock still runs, showing nothing happening
    window.playback().timerTick();
    window.playback().timerTick();
    EXPECT_EQ(ruler.cursorPercent(), 0);
    EXPECT_EQ(player().status(), 0);
}

TEST(TimerPeriod, ZeroStopsAndTheSamePeriodDoesNotRestart)
{
    QTimer timer;
    setTimerPeriod(timer, 1000);
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 1000);
    QTest::qWait(300);
    const int remaining = timer.remainingTime();
    setTimerPeriod(timer, 1000);
    EXPECT_LE(timer.remainingTime(), remaining); // not restarted
    setTimerPeriod(timer, 500);
    EXPECT_EQ(timer.interval(), 500);
    setTimerPeriod(timer, 0);
    EXPECT_FALSE(timer.isActive());
    setTimerPeriod(timer, -3);
    EXPECT_FALSE(timer.isActive());
}

TEST(DialogFilter, BarSeparatedPairsBecomeQtFilters)
{
    struct Case { QString filter; QStringList expected; };
    const Case cases[] = {
        {QStringLiteral("MP3|*.mp3"), {QStringLiteral("MP3 (*.mp3)")}},
        {QStringLiteral("MP3|*.mp3||"), {QStringLiteral("MP3 (*.mp3)")}},
        {QStringLiteral("MP3|*.mp3  "), {QStringLiteral("MP3 (*.mp3)")}},
        {QStringLiteral("Audio|*.mp3;*.mp2|All|*.*"),
         {QStringLiteral("Audio (*.mp3 *.mp2)"), QStringLiteral("All (*.*)")}},
        {QString(), {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(nameFiltersFromDialogFilter(c.filter), c.expected) << c.filter.toStdString();
}

TEST(FileDialogControl, KeepsTheNameOnCancelAndTakesTheChoiceOnOk)
{
    FileDialogControl dialog(nullptr);
    dialog.setDialogFileName(QStringLiteral("/tmp/proposed.mp3"));
    std::optional<QString> answer;
    QString shownName;
    dialog.setRunner([&](const FileDialogRequest &request) {
        shownName = request.initialName;
        return answer;
    });
    EXPECT_FALSE(dialog.runFileDialog());
    EXPECT_EQ(dialog.dialogFileName(), QStringLiteral("/tmp/proposed.mp3"));
    EXPECT_EQ(shownName, QStringLiteral("/tmp/proposed.mp3"));
    answer = QStringLiteral("/tmp/chosen.mp3");
    EXPECT_TRUE(dialog.runFileDialog());
    EXPECT_EQ(dialog.dialogFileName(), QStringLiteral("/tmp/chosen.mp3"));
}
