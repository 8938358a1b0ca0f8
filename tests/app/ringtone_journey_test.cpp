// A user's whole journey with the real program, its real dialogs and PulseAudio's null sink,
// driven through the X server with xdotool: open an MP3, play it, mark a start and an end while
// it plays, stop, and save the cut under the proposed name on the desktop.
#include "playback/mp3_decoder.h"
#include "support/fixtures.h"
#include "support/wait_for.h"
#include "support/xdotool.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class Program
{
public:
    explicit Program(const QString &home)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        m_process.setProcessEnvironment(environment);
        m_process.start(QStringLiteral(QUENVOX_PROGRAM), {});
    }
    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QProcess &process() { return m_process; }
    QStringList windows() const { return visibleWindowsOf(m_process.processId()); }

private:
    QProcess m_process;
};

// Lets real time pass while the program plays.
void listenFor(int ms)
{
    QDeadlineTimer deadline(ms);
    waitFor([&] { return deadline.hasExpired(); }, ms + 1000);
}

// A dialog of the program's has opened: type into its file-name box, which has the focus.
bool answerDialog(Program &program, const QString &mainWindow, const QString &typed)
{
    QString dialog;
    const bool opened = waitFor([&] {
        for (const QString &window : program.windows())
            if (window != mainWindow)
                dialog = window;
        return !dialog.isEmpty();
    });
    if (!opened)
        return false;
    // Keys go to the focused window, where the dialog's file-name box has Qt's focus.
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), dialog});
    if (!typed.isEmpty()) {
        xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
        xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("10"), typed});
    }
    xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    return waitFor([&] { return !program.windows().contains(dialog); });
}

} // namespace

TEST(RingtoneJourney, MarkWhileListeningAndSaveTheCutOnTheDesktop)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") || qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        GTEST_SKIP() << "needs the X server and PulseAudio of scripts/test.sh";

    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QDir(home.path()).mkpath(QStringLiteral("Desktop"));
    QDir(home.path()).mkpath(QStringLiteral("music"));
    const QString source = home.path() + QStringLiteral("/music/my tone.v2.mp3");
    ASSERT_TRUE(QFile::copy(fixturePath(QStringLiteral("staircase.mp3")), source));
    const QString expectedTarget = home.path() + QStringLiteral("/Desktop/my tone.v2_cut.mp3");

    Program program(home.path());
    ASSERT_TRUE(program.process().waitForStarted(10000));
    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = program.windows()).isEmpty(); }));
    const QString mainWindow = windows.first();
    const QRect geometry = windowGeometry(mainWindow);
    const auto click = [&](int x, int y) { clickAt(geometry.left() + x, geometry.top() + y); };

    click(50, 115); // 播放载入: the open dialog
    ASSERT_TRUE(answerDialog(program, mainWindow, source)) << "the open dialog did not take the path";
    click(50, 115); // 播放载入 again: plays
    listenFor(2500);
    click(55, 244); // 起始位置
    listenFor(3000);
    click(55, 292); // 结束位置
    click(250, 115); // 停止
    click(55, 335); // 保存: the save dialog proposes the desktop name
    ASSERT_TRUE(answerDialog(program, mainWindow, QString())) << "the save dialog did not close";
    ASSERT_TRUE(waitFor([&] { return QFile::exists(expectedTarget); })) << expectedTarget.toStdString();

    click(150, 60);
    click(290, 10); // the close box ends the program
    ASSERT_TRUE(program.process().waitForFinished(20000));
    EXPECT_EQ(program.process().exitCode(), 0);

    // The cut is the source's bytes from the header of one frame up to another frame's header.
    QFile sourceFile(source);
    QFile targetFile(expectedTarget);
    ASSERT_TRUE(sourceFile.open(QIODevice::ReadOnly));
    ASSERT_TRUE(targetFile.open(QIODevice::ReadOnly));
    const QByteArray sourceBytes = sourceFile.readAll();
    const QByteArray cut = targetFile.readAll();
    ASSERT_FALSE(cut.isEmpty());

    Mp3Decoder sourceDecoder;
    ASSERT_TRUE(sourceDecoder.open(source));
    const FrameMap &frames = sourceDecoder.frameMap();
    const auto &offsets = frames.frameOffsetsBytes();
    const qint64 start = sourceBytes.indexOf(cut);
    ASSERT_GE(start, 0) << "the cut is no byte range of the source";
    EXPECT_TRUE(std::binary_search(offsets.begin(), offsets.end(), start)) << start;
    const qint64 end = start + cut.size();
    EXPECT_TRUE(end == frames.endOffsetBytes() || std::binary_search(offsets.begin(), offsets.end(), end)) << end;

    // It decodes, and lasts about as long as the pause between the two marks.
    Mp3Decoder cutDecoder;
    ASSERT_TRUE(cutDecoder.open(expectedTarget));
    EXPECT_GT(cutDecoder.lengthMs(), 2000);
    EXPECT_LT(cutDecoder.lengthMs(), 8000);
}
