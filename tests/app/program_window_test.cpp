// The real program under the X server that scripts/test.sh starts: where its window appears and
// how it ends.
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>

namespace {

QString runXdotool(const QStringList &arguments)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("timeout"), QStringList{QStringLiteral("30"), QStringLiteral("xdotool")} + arguments);
    xdotool.waitForFinished(40000);
    return QString::fromUtf8(xdotool.readAllStandardOutput()).trimmed();
}

std::map<QString, int> windowGeometry(const QString &windowId)
{
    std::map<QString, int> values;
    const QString shell = runXdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), windowId});
    for (const QString &line : shell.split(QLatin1Char('\n'))) {
        const QStringList pair = line.split(QLatin1Char('='));
        if (pair.size() == 2)
            values[pair[0]] = pair[1].toInt();
    }
    return values;
}

} // namespace

TEST(ProgramWindow, OpensCentredAndTheCloseButtonEndsTheProgram)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "needs the X server of scripts/test.sh";

    QProcess program;
    program.start(QStringLiteral(QUENVOX_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted(10000));

    const QString windowId = runXdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                                         QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                         QString::number(program.processId())})
                                 .section(QLatin1Char('\n'), 0, 0);
    ASSERT_FALSE(windowId.isEmpty());

    const auto geometry = windowGeometry(windowId);
    EXPECT_EQ(geometry.at(QStringLiteral("X")), 805);
    EXPECT_EQ(geometry.at(QStringLiteral("Y")), 363);
    EXPECT_EQ(geometry.at(QStringLiteral("WIDTH")), 310);
    EXPECT_EQ(geometry.at(QStringLiteral("HEIGHT")), 354);

    // Move onto the canvas first, then over the close box, so the last move marks it; then click.
    const int left = geometry.at(QStringLiteral("X"));
    const int top = geometry.at(QStringLiteral("Y"));
    runXdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(left + 150),
                QString::number(top + 60)});
    runXdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(left + 290),
                QString::number(top + 10)});
    runXdotool({QStringLiteral("click"), QStringLiteral("1")});

    ASSERT_TRUE(program.waitForFinished(20000)) << "the program is still running";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}
