#pragma once

#include <QProcess>
#include <QRect>
#include <QStringList>

// Drives the X server of scripts/test.sh as a user would. Every call is bounded, so a hung
// xdotool fails the test instead of stalling it.
inline QString xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("timeout"), QStringList{QStringLiteral("30"), QStringLiteral("xdotool")} + arguments);
    process.waitForFinished(40000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// The visible windows of a process, the first one made first.
inline QStringList visibleWindowsOf(qint64 processId)
{
    const QString found = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                   QString::number(processId)});
    return found.isEmpty() ? QStringList() : found.split(QLatin1Char('\n'));
}

// Where a window stands on the screen and its size; an empty rectangle when xdotool can't tell.
inline QRect windowGeometry(const QString &windowId)
{
    int values[4] = {0, 0, 0, 0};
    const char *names[4] = {"X=", "Y=", "WIDTH=", "HEIGHT="};
    const QString shell = xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), windowId});
    for (const QString &line : shell.split(QLatin1Char('\n')))
        for (int i = 0; i < 4; ++i)
            if (line.startsWith(QLatin1String(names[i])))
                values[i] = line.mid(int(qstrlen(names[i]))).toInt();
    return QRect(values[0], values[1], values[2], values[3]);
}

// Moves onto (x, y) of the screen, then clicks the left button. The pointer is first put one
// pixel off: a synchronous move to where it already stands would hang xdotool.
inline void clickAt(int x, int y)
{
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(x - 1), QString::number(y - 1)});
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(x), QString::number(y)});
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
}
