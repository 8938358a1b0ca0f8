#include "playback/media_player.h"

#include "fixture_manifest.h"
#include "support/wait_for.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

// Plays the staircase fixture through the real audio sink into PulseAudio's null sink, records the
// sink's monitor, and tells from the recorded pitch which step of the staircase was heard.
namespace {

constexpr int recordRate = 44100;
constexpr int windowSamples = recordRate / 10; // 100 ms windows

double goertzelPower(const qint16 *samples, int count, double hz)
{
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * hz / recordRate);
    double previous = 0;
    double beforePrevious = 0;
    for (int i = 0; i < count; ++i) {
        const double current = samples[i] + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
}

class MonitorRecording
{
public:
    MonitorRecording()
    {
        // The monitor only delivers while some stream plays, so a silent one keeps its time base.
        m_silence.start(QStringLiteral("pacat"), {QStringLiteral("--playback"), QStringLiteral("--raw"),
                                                  QStringLiteral("--latency-msec=30"), QStringLiteral("/dev/zero")});
        m_recorder.start(QStringLiteral("parec"),
                         {QStringLiteral("--raw"), QStringLiteral("--device=test_null.monitor"),
                          QStringLiteral("--latency-msec=20"), QStringLiteral("--format=s16le"),
                          QStringLiteral("--rate=%1").arg(recordRate), QStringLiteral("--channels=1")});
        QObject::connect(&m_recorder, &QProcess::readyReadStandardOutput,
                         [this] { m_bytes += m_recorder.readAllStandardOutput(); });
    }
    ~MonitorRecording()
    {
        for (QProcess *process : {&m_recorder, &m_silence}) {
            process->kill();
            process->waitForFinished(5000);
        }
    }

    bool started() { return m_silence.waitForStarted(5000) && m_recorder.waitForStarted(5000); }
    qsizetype samples() const { return m_bytes.size() / 2; }

    // The staircase step of the 100 ms recorded from now on, or −1 for silence.
    int heardStepFromNow(const QList<double> &stepHz)
    {
        const qsizetype from = samples();
        if (!waitFor([&] { return samples() >= from + windowSamples; }))
            return -2;
        const auto *window = reinterpret_cast<const qint16 *>(m_bytes.constData()) + from;
        double energy = 0;
        for (int i = 0; i < windowSamples; ++i)
            energy += double(window[i]) * window[i];
        if (energy / windowSamples < 100.0 * 100.0) // quieter than about −50 dBFS
            return -1;
        int best = -1;
        double bestPower = 0;
        for (int step = 0; step < stepHz.size(); ++step) {
            const double power = goertzelPower(window, windowSamples, stepHz[step]);
            if (power > bestPower) {
                bestPower = power;
                best = step;
            }
        }
        return best;
    }

private:
    QProcess m_silence;
    QProcess m_recorder;
    QByteArray m_bytes;
};

} // namespace

TEST(HeardPlayback, PitchFollowsPlayPauseStopAndSeek)
{
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        GTEST_SKIP() << "needs the PulseAudio null sink that scripts/test.sh starts";
    const FixtureManifest manifest = FixtureManifest::load();
    const int stepMs = manifest.staircaseStepMs;
    ASSERT_GT(stepMs, 0);
    const QList<double> &stepHz = manifest.staircaseHz;

    MonitorRecording recording;
    ASSERT_TRUE(recording.started());
    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath(QStringLiteral("staircase.mp3"))));

    // Waits until the heard position is in the middle of a step, then compares that step with the pitch.
    const auto expectHeardStepMatchesPosition = [&](const char *when) {
        const bool inMiddle = waitFor([&] {
            const int intoStepMs = player.position() % stepMs;
            return intoStepMs >= stepMs / 3 && intoStepMs <= stepMs / 2;
        });
        if (!inMiddle) {
            ADD_FAILURE() << "position stuck at " << player.position() << " ms " << when;
            return -3;
        }
        const int expectedStep = player.position() / stepMs;
        const int heardStep = recording.heardStepFromNow(stepHz);
        EXPECT_EQ(heardStep, expectedStep) << when << " at " << player.position() << " ms";
        return expectedStep;
    };
    const auto expectSilence = [&](const char *when) {
        const int positionMs = player.position();
        QDeadlineTimer settle(400); // let the sink's last buffer play out
        waitFor([&] { return settle.hasExpired(); });
        EXPECT_EQ(recording.heardStepFromNow(stepHz), -1) << when;
        EXPECT_EQ(player.position(), positionMs) << when;
    };

    ASSERT_TRUE(player.play(-1));
    EXPECT_EQ(expectHeardStepMatchesPosition("after play"), 0);
    ASSERT_TRUE(waitFor([&] { return player.position() >= stepMs; }));
    EXPECT_EQ(expectHeardStepMatchesPosition("playing on"), 1);

    ASSERT_TRUE(player.togglePause());
    const int pausedAtMs = player.position();
    expectSilence("while paused");
    EXPECT_EQ(player.position(), pausedAtMs);

    ASSERT_TRUE(player.togglePause());
    const int resumedStep = expectHeardStepMatchesPosition("after resume");
    EXPECT_GE(resumedStep, pausedAtMs / stepMs);
    EXPECT_LE(resumedStep, pausedAtMs / stepMs + 1);

    ASSERT_TRUE(player.stop());
    expectSilence("after stop");
    EXPECT_EQ(player.position(), 0);
    ASSERT_TRUE(player.play(-1));
    EXPECT_EQ(expectHeardStepMatchesPosition("play after stop"), 0);

    const int seekStep = 11;
    ASSERT_TRUE(player.play(seekStep * stepMs));
    EXPECT_EQ(expectHeardStepMatchesPosition("after seek"), seekStep);
    player.close();
}
