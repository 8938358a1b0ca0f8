#include "playback/media_player.h"

#include "fixture_manifest.h"
#include "support/wait_for.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// These run against a real sound server when there is one and on the player's silent clock when
// there is not; either way the position must follow what would be heard.
namespace {

// Lets events run for a while, for checks that something does NOT happen meanwhile.
void keepRunningFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    waitFor([&] { return timer.elapsed() >= ms; }, ms + 1000);
}

const FixtureManifest &manifest()
{
    static const FixtureManifest loaded = FixtureManifest::load();
    return loaded;
}

void expectNothingOpen(const MediaPlayer &player)
{
    EXPECT_EQ(player.status(), MediaPlayer::NotReady);
    EXPECT_EQ(player.length(), 0);
    EXPECT_EQ(player.lengthSeconds(), 0);
    EXPECT_EQ(player.position(), -1);
    EXPECT_FALSE(player.frameOffsetAtMs(0));
}

} // namespace

TEST(MediaPlayer, EveryOperationFailsQuietlyWithNothingOpen)
{
    MediaPlayer player;
    expectNothingOpen(player);
    EXPECT_FALSE(player.play(0));
    EXPECT_FALSE(player.play(-1));
    EXPECT_FALSE(player.togglePause());
    EXPECT_FALSE(player.stop());
    EXPECT_FALSE(player.close());
    expectNothingOpen(player);
}

class ExactLength : public ::testing::TestWithParam<const char *>
{
};

TEST_P(ExactLength, IsWhatTheEncoderWasGivenAndNothingPlays)
{
    const QString name = QString::fromLatin1(GetParam());
    ASSERT_TRUE(manifest().files.contains(name)) << "fixtures.txt lacks " << GetParam();
    const EncodedFixture encoded = manifest().files.value(name);

    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath(name)));
    EXPECT_EQ(player.length(), encoded.lengthMs);
    EXPECT_EQ(player.lengthSeconds(), encoded.lengthMs / 1000);
    EXPECT_EQ(player.status(), MediaPlayer::Stopped);
    EXPECT_EQ(player.position(), 0);
    keepRunningFor(300);
    EXPECT_EQ(player.status(), MediaPlayer::Stopped);
    EXPECT_EQ(player.position(), 0);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ExactLength,
                         ::testing::Values("cbr.mp3", "vbr.mp3", "tagged.mp3", "staircase.mp3"));

class UndecodableFile : public ::testing::TestWithParam<const char *>
{
};

// A bad file leaves nothing open, even when a good file was open before it.
TEST_P(UndecodableFile, FailsQuietlyAndLeavesNothingOpen)
{
    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath(QStringLiteral("cbr.mp3"))));
    EXPECT_FALSE(player.open(fixturePath(QString::fromLatin1(GetParam()))));
    expectNothingOpen(player);
    EXPECT_FALSE(player.play(0));
    EXPECT_EQ(player.status(), MediaPlayer::NotReady);
}

INSTANTIATE_TEST_SUITE_P(Files, UndecodableFile,
                         ::testing::Values("not_mp3.mp3", "empty.mp3", "no_such_file.mp3", ""));

TEST(MediaPlayer, OpensATruncatedFileWithTheLengthOfWhatIsThere)
{
    const qint64 wholeMs = manifest().files.value(QStringLiteral("cbr.mp3")).lengthMs;
    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath(QStringLiteral("truncated.mp3"))));
    // About half of the CBR file's frames are there; the Info frame's frame count must not be trusted.
    EXPECT_GT(player.length(), wholeMs * 4 / 10);
    EXPECT_LT(player.length(), wholeMs * 6 / 10);
    EXPECT_EQ(player.status(), MediaPlayer::Stopped);
    ASSERT_TRUE(player.play(player.length() - 200));
    EXPECT_TRUE(waitFor([&] { return player.status() == MediaPlayer::Stopped; }));
    EXPECT_EQ(player.position(), player.length());
}

TEST(MediaPlayer, PlayPauseResumeAndStop)
{
    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath(QStringLiteral("staircase.mp3"))));
    ASSERT_TRUE(player.play(-1));
    EXPECT_EQ(player.status(), MediaPlayer::Playing);
    EXPECT_LT(player.position(), 500);
    ASSERT_TRUE(waitFor([&] { return player.position() >= 400; }));

    ASSERT_TRUE(player.togglePause());
    EXPECT_EQ(player.status(), MediaPlayer::Paused);
    const int pausedAtMs = player.position();
    keepRunningFor(400);
    EXPECT_EQ(player.position(), pausedAtMs);
    EXPECT_EQ(player.status(), MediaPlayer::Paused);

    ASSERT_TRUE(player.togglePause());
    EXPECT_EQ(player.status(), MediaPlayer::Playing);
    EXPECT_GE(player.position(), pausedAtMs);
    ASSERT_TRUE(waitFor([&] { return player.position() >= pausedAtMs + 300; }));

    ASSERT_TRUE(player.stop());
    EXPECT_EQ(player.status(), MediaPlayer::Stopped);
    EXPECT_EQ(player.position(), 0);
    keepRunningFor(200);
    EXPECT_EQ(player.position(), 0);
}

TEST(MediaPlayer, PlayOnAfterPauseResumesAndAfterStopStartsAtTheBeginning)
{
    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath(QStringLiteral("staircase.mp3"))));
    ASSERT_TRUE(player.play(5000));
    ASSERT_TRUE(waitFor([&] { return player.position() >= 5300; }));
    ASSERT_TRUE(player.togglePause());
    const int pausedAtMs = player.position();

    ASSERT_TRUE(player.play(-1));
    EXPECT_EQ(player.status(), MediaPlayer::Playing);
    EXPECT_GE(player.position(), pausedAtMs);
    EXPECT_LT(player.position(), pausedAtMs + 1000);

    ASSERT_TRUE(player.stop());
    ASSERT_TRUE(player.play(-1));
    EXPECT_EQ(player.status(), MediaPlayer::Playing);
    EXPECT_LT(player.position(), 1000);
}

TEST(MediaPlayer, PlayFromAPositionSeeksThereInEveryState)
{
    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath(QStringLiteral("staircase.mp3"))));
    struct Case
    {
        std::function<void()> enterState;
        int fromMs;
    };
    const Case cases[] = {
        {[] {}, 12000},                                      // stopped after open
        {[&] { player.play(0); }, 20000},                    // playing
        {[&] { player.play(0), player.togglePause(); }, 3000}, // paused
        {[&] { player.stop(); }, 27000},                     // stopped after stop
    };
    for (const Case &c : cases) {
        c.enterState();
        ASSERT_TRUE(player.play(c.fromMs));
        EXPECT_EQ(player.status(), MediaPlayer::Playing);
        EXPECT_GE(player.position(), c.fromMs);
        EXPECT_TRUE(waitFor([&] { return player.position() >= c.fromMs + 200; })) << c.fromMs;
        EXPECT_LT(player.position(), c.fromMs + 3000);
    }
}

TEST(MediaPlayer, PlayBeyondTheEndClampsToTheEnd)
{
    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath(QStringLiteral("cbr.mp3"))));
    ASSERT_TRUE(player.play(1000000));
    EXPECT_TRUE(waitFor([&] { return player.status() == MediaPlayer::Stopped; }));
    EXPECT_EQ(player.position(), player.length());
}

TEST(MediaPlayer, ReachingTheEndStopsThereAndPlayingOnStartsAgain)
{
    MediaPlayer player;
    QSignalSpy statusChanges(&player, &MediaPlayer::statusChanged);
    ASSERT_TRUE(player.open(fixturePath(QStringLiteral("tagged.mp3"))));
    ASSERT_TRUE(player.play(player.length() - 700));
    EXPECT_TRUE(waitFor([&] { return player.status() == MediaPlayer::Stopped; }));
    EXPECT_EQ(player.position(), player.length());
    ASSERT_GE(statusChanges.size(), 3);
    EXPECT_EQ(statusChanges.last().at(0).toInt(), MediaPlayer::Stopped);

    // The pause toggle, set by a pause at the end, does not hold back a play on.
    EXPECT_FALSE(player.togglePause());
    ASSERT_TRUE(player.play(-1));
    EXPECT_EQ(player.status(), MediaPlayer::Playing);
    EXPECT_LT(player.position(), 1000);
}

// Only play clears the toggle and only togglePause flips it, whether or not its command succeeded.
TEST(MediaPlayer, PauseToggleFollowsItsOwnRules)
{
    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath(QStringLiteral("staircase.mp3"))));
    struct Step
    {
        std::function<bool()> action;
        bool succeeds;
        MediaPlayer::Status status;
    };
    const Step steps[] = {
        {[&] { return player.togglePause(); }, false, MediaPlayer::Stopped}, // pause fails; toggle set
        {[&] { return player.togglePause(); }, false, MediaPlayer::Stopped}, // resume fails; toggle clear
        {[&] { return player.play(-1); }, true, MediaPlayer::Playing},
        {[&] { return player.togglePause(); }, true, MediaPlayer::Paused},   // toggle set
        {[&] { return player.stop(); }, true, MediaPlayer::Stopped},         // toggle stays set
        {[&] { return player.togglePause(); }, false, MediaPlayer::Stopped}, // resume fails; toggle clear
        {[&] { return player.togglePause(); }, false, MediaPlayer::Stopped}, // pause fails; toggle set
        {[&] { return player.play(2000); }, true, MediaPlayer::Playing},    // toggle clear
        {[&] { return player.togglePause(); }, true, MediaPlayer::Paused},
        {[&] { return player.togglePause(); }, true, MediaPlayer::Playing},
    };
    int index = 0;
    for (const Step &step : steps) {
        EXPECT_EQ(step.action(), step.succeeds) << "step " << index;
        EXPECT_EQ(player.status(), step.status) << "step " << index;
        ++index;
    }
}

TEST(MediaPlayer, CloseLeavesNothingOpen)
{
    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath(QStringLiteral("staircase.mp3"))));
    ASSERT_TRUE(player.play(1000));
    EXPECT_TRUE(player.close());
    expectNothingOpen(player);
    keepRunningFor(200);
    expectNothingOpen(player);
    EXPECT_FALSE(player.close());
}

// Events run while the file is scanned; whatever they do to the player must not crash it.
TEST(MediaPlayer, CloseDuringOpenCancelsTheOpen)
{
    MediaPlayer player;
    QTimer::singleShot(0, &player, [&] { player.close(); });
    EXPECT_FALSE(player.open(fixturePath(QStringLiteral("staircase.mp3"))));
    expectNothingOpen(player);
}

TEST(MediaPlayer, AnotherOpenDuringOpenWins)
{
    MediaPlayer player;
    bool innerOpened = false;
    QTimer::singleShot(0, &player, [&] { innerOpened = player.open(fixturePath(QStringLiteral("cbr.mp3"))); });
    EXPECT_FALSE(player.open(fixturePath(QStringLiteral("staircase.mp3"))));
    EXPECT_TRUE(innerOpened);
    EXPECT_EQ(player.length(), manifest().files.value(QStringLiteral("cbr.mp3")).lengthMs);
    EXPECT_EQ(player.status(), MediaPlayer::Stopped);
}

TEST(MediaPlayer, DeletedDuringOpen)
{
    auto *player = new MediaPlayer;
    QTimer::singleShot(0, [&] { delete player; player = nullptr; });
    EXPECT_FALSE(player->open(fixturePath(QStringLiteral("staircase.mp3"))));
    EXPECT_EQ(player, nullptr);
}
