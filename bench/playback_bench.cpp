// Figures for the MP3 player on a long file:
//   load   MediaPlayer::open (+ the file size) against the floor: reading the file into memory and
//          letting libmpg123 scan that buffer, run side by side, medians of several runs;
//   decode CPU seconds to decode the whole file through the playback source, against the mpg123
//          command-line player decoding it with no output;
//   gaps   the longest wait between event-loop iterations while loading, playing and seeking.
#include "playback/decoder_device.h"
#include "playback/media_player.h"
#include "playback/mp3_decoder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QTimer>

#include <mpg123.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <spawn.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

extern char **environ;

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

struct MemoryStream
{
    const QByteArray *bytes;
    qint64 position = 0;
};

ssize_t readMemory(void *handle, void *buffer, size_t count)
{
    auto *stream = static_cast<MemoryStream *>(handle);
    const size_t available = size_t(stream->bytes->size() - stream->position);
    const size_t taken = std::min(count, available);
    std::memcpy(buffer, stream->bytes->constData() + stream->position, taken);
    stream->position += qint64(taken);
    return ssize_t(taken);
}

off_t seekMemory(void *handle, off_t offset, int whence)
{
    auto *stream = static_cast<MemoryStream *>(handle);
    const qint64 base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? stream->position : stream->bytes->size();
    const qint64 target = base + offset;
    if (target < 0 || target > stream->bytes->size())
        return -1;
    stream->position = target;
    return off_t(target);
}

// The floor: the whole file read into memory, then scanned by libmpg123 from that buffer.
qint64 floorLengthSamples(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    MemoryStream stream{&bytes};
    mpg123_handle *handle = mpg123_new(nullptr, nullptr);
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0);
    mpg123_replace_reader_handle(handle, readMemory, seekMemory, nullptr);
    qint64 samples = -1;
    if (mpg123_open_handle(handle, &stream) == MPG123_OK && mpg123_scan(handle) == MPG123_OK)
        samples = mpg123_length(handle);
    mpg123_delete(handle);
    return samples;
}

void benchLoad(const QString &path, int runs)
{
    std::vector<double> playerMs;
    std::vector<double> floorMs;
    qint64 lengthMs = 0;
    qint64 sizeBytes = 0;
    qint64 floorSamples = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        {
            MediaPlayer player;
            player.open(path);
            lengthMs = player.length();
            sizeBytes = QFileInfo(path).size();
            playerMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        timer.restart();
        floorSamples = floorLengthSamples(path);
        floorMs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("load: %lld bytes, length %lld ms (floor scan: %lld samples)\n", sizeBytes, lengthMs, floorSamples);
    std::printf("load: MediaPlayer::open median %.1f ms, floor median %.1f ms, ratio %.2f (goal <= 1.20)\n",
                median(playerMs), median(floorMs), median(playerMs) / median(floorMs));
}

double childCpuSeconds(const char *program, std::vector<const char *> arguments)
{
    arguments.insert(arguments.begin(), program);
    arguments.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, program, nullptr, nullptr, const_cast<char **>(arguments.data()), environ) != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
         + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void benchDecode(const QString &path, int runs)
{
    std::vector<double> ours;
    std::vector<double> reference;
    const QByteArray nativePath = QFile::encodeName(path);
    for (int run = 0; run < runs; ++run) {
        Mp3Decoder decoder;
        if (!decoder.open(path))
            return;
        DecoderDevice source(decoder);
        std::vector<char> buffer(64 * 1024);
        const double before = processCpuSeconds();
        while (!source.atEnd())
            source.read(buffer.data(), qint64(buffer.size()));
        ours.push_back(processCpuSeconds() - before);
        reference.push_back(childCpuSeconds("mpg123", {"-q", "-t", nativePath.constData()}));
    }
    std::printf("decode: playback source median %.3f CPU s, mpg123 -t median %.3f CPU s, ratio %.2f (goal <= 1.50)\n",
                median(ours), median(reference), median(ours) / median(reference));
}

// Records the longest gap between ticks of a 1 ms timer while `work` runs in the event loop.
class GapMeter
{
public:
    GapMeter()
    {
        m_tick.setInterval(1);
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            m_longestMs = std::max(m_longestMs, double(m_sinceTick.nsecsElapsed()) / 1e6);
            m_sinceTick.restart();
        });
    }
    void start()
    {
        m_longestMs = 0;
        m_sinceTick.start();
        m_tick.start();
    }
    double stop()
    {
        m_tick.stop();
        return m_longestMs;
    }

private:
    QTimer m_tick;
    QElapsedTimer m_sinceTick;
    double m_longestMs = 0;
};

void runEventsFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void benchGaps(const QString &path)
{
    GapMeter meter;
    MediaPlayer player;
    bool opened = false;
    meter.start();
    QTimer::singleShot(0, [&] { opened = player.open(path); });
    runEventsFor(50);
    QElapsedTimer loading;
    loading.start();
    while (!opened && loading.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double loadGapMs = meter.stop();

    meter.start();
    player.play(0);
    runEventsFor(3000);
    const double playGapMs = meter.stop();

    meter.start();
    for (int seek = 1; seek <= 10; ++seek) {
        player.play(player.length() / 11 * seek);
        runEventsFor(300);
    }
    const double seekGapMs = meter.stop();
    player.close();

    std::printf("gaps: longest event-loop gap loading %.1f ms, playing %.1f ms, seeking %.1f ms (goal < 16)\n",
                loadGapMs, playGapMs, seekGapMs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: playback_bench <long.mp3> [runs]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    std::printf("audio output: %s\n",
                QMediaDevices::defaultAudioOutput().isNull() ? "none (silent clock)" : "default device");
    benchLoad(path, runs);
    benchDecode(path, std::max(1, runs / 2));
    benchGaps(path);
    return 0;
}
