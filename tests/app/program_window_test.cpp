// The real program under the X server that scripts/test.sh starts: where its window appears and
// how it ends.
#include "support/wait_for.h"
#include "support/xdotool.h"

#include <QProcess>

#include <gtest/gtest.h>

TEST(ProgramWindow, OpensCentredAndTheCloseButtonEndsTheProgram)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "needs the X server of scripts/test.sh";

    QProcess program;
    program.start(QStringLiteral(QUENVOX_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = visibleWindowsOf(program.processId())).isEmpty(); }));

    // Centred on the screen: at (805, 363) on the 1920 × 1080 screen of scripts/test.sh.
    const QStringList screen = xdotool({QStringLiteral("getdisplaygeometry")}).split(QLatin1Char(' '));
    ASSERT_EQ(screen.size(), 2);
    const QRect geometry = windowGeometry(windows.first());
    EXPECT_EQ(geometry, QRect((screen[0].toInt() - 310) / 2, (screen[1].toInt() - 354) / 2, 310, 354));

    // A move onto the canvas and then over the close box marks it; the click's release closes.
    clickAt(geometry.left() + 150, geometry.top() + 60);
    clickAt(geometry.left() + 290, geometry.top() + 10);

    ASSERT_TRUE(program.waitForFinished(20000)) << "the program is still running";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}
