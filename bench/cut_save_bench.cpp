// Saves a cut of a long MP3 the way the save button does (marked range read from the source,
// written atomically) and copies the same byte range with dd, side by side, then prints the
// medians, their ratio and the peak memory the saves added.
//
// Usage: cut_save_bench <source.mp3> <cut seconds> <output folder> [rounds]

#include "cutting/cut_saving.h"
#include "playback/file_dialog_control.h"
#include "playback/media_player.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTextStream>

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

extern char **environ;

namespace {

// A field of /proc/self/status in KiB, e.g. "VmHWM".
qint64 statusKiB(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stoll(line.substr(field.size() + 1));
    return -1;
}

// Lets VmHWM start again from the current resident size.
void resetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs dd as a shell would, and gives the wall time in ms, or -1 when dd failed.
double timedDd(const QString &source, const QString &target, qint64 beginIndex, qint64 count)
{
    const std::vector<std::string> arguments = {
        "dd", "if=" + source.toStdString(), "of=" + target.toStdString(), "bs=1M",
        "iflag=skip_bytes,count_bytes", "skip=" + std::to_string(beginIndex),
        "count=" + std::to_string(count), "status=none"};
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);

    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    if (posix_spawnp(&child, "dd", nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    waitpid(child, &status, 0);
    const double elapsedMs = double(timer.nsecsElapsed()) / 1e6;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? elapsedMs : -1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: cut_save_bench <source.mp3> <cut seconds> <output folder> [rounds]\n");
        return 2;
    }
    const QString source = arguments[1];
    const qint64 cutMs = arguments[2].toLongLong() * 1000;
    const QString folder = arguments[3];
    const int rounds = arguments.size() > 4 ? arguments[4].toInt() : 9;

    // The marks: a cut of the asked length from the middle of the file, through the frame map.
    CutState state;
    {
        MediaPlayer player;
        if (!player.open(source)) {
            std::fprintf(stderr, "cannot open %s\n", qPrintable(source));
            return 1;
        }
        const qint64 startMs = player.length() / 2;
        state.cutStartOffset = *player.frameOffsetAtMs(startMs) + 1;
        state.cutEndOffset = *player.frameOffsetAtMs(startMs + cutMs) + 1;
    }
    const qint64 beginIndex = state.cutStartOffset - 1;
    const qint64 count = state.cutEndOffset - state.cutStartOffset;

    QWidget window;
    auto *pathBox = new QLineEdit(source, &window);
    auto *saveButton = new QPushButton(&window);
    FileDialogControl dialog(&window);
    const QString savedPath = folder + "/saved_cut.mp3";
    dialog.setRunner([&](const FileDialogRequest &) { return std::optional<QString>(savedPath); });
    CutSaving saving(state, pathBox, saveButton, dialog, &window);
    bool failed = false;
    saving.setWarningSink([&](const QString &text) {
        failed = true;
        std::fprintf(stderr, "save failed: %s\n", qPrintable(text));
    });
    saving.setDesktopLocationLookup([&] { return folder; });

    resetPeakMemory();
    const qint64 residentBeforeKiB = statusKiB("VmRSS");
    std::vector<double> saveMs;
    std::vector<double> ddMs;
    const QString ddPath = folder + "/dd_cut.mp3";
    for (int round = 0; round < rounds && !failed; ++round) {
        QElapsedTimer timer;
        timer.start();
        saving.saveCut();
        saveMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        ddMs.push_back(timedDd(source, ddPath, beginIndex, count));
    }
    const qint64 peakKiB = statusKiB("VmHWM");
    if (failed || std::count(ddMs.begin(), ddMs.end(), -1.0) > 0)
        return 1;

    QFile saved(savedPath);
    QFile copied(ddPath);
    if (!saved.open(QIODevice::ReadOnly) || !copied.open(QIODevice::ReadOnly)
        || saved.readAll() != copied.readAll()) {
        std::fprintf(stderr, "the saved cut differs from dd's copy\n");
        return 1;
    }

    QTextStream out(stdout);
    out << QString("%1: source %2 MB, cut %3 s = %4 KB, %5 rounds\n")
               .arg(QFileInfo(source).fileName())
               .arg(double(QFileInfo(source).size()) / 1e6, 0, 'f', 1)
               .arg(cutMs / 1000)
               .arg(double(count) / 1e3, 0, 'f', 1)
               .arg(rounds);
    const double saveMedian = median(saveMs);
    const double ddMedian = median(ddMs);
    out << QString("  save (median)   %1 ms\n").arg(saveMedian, 0, 'f', 2);
    out << QString("  dd   (median)   %1 ms\n").arg(ddMedian, 0, 'f', 2);
    out << QString("  ratio save/dd   %1 (goal <= 3)\n").arg(saveMedian / ddMedian, 0, 'f', 2);
    out << QString("  peak memory added by saving %1 KB (cut %2 KB, source %3 KB)\n")
               .arg(peakKiB - residentBeforeKiB)
               .arg(count / 1024)
               .arg(QFileInfo(source).size() / 1024);
    return 0;
}
