#pragma once

#include "playback/frame_map.h"

#include <QString>

#include <cstdio>
#include <memory>

struct mpg123_handle_struct;

// One MP3 file opened with libmpg123: scanned at open for its exact gapless length and frame map,
// then decoded on demand to interleaved signed 16-bit PCM at the file's own rate and channel count.
// Not thread-safe; it may be opened on one thread and used on another afterwards.
class Mp3Decoder
{
public:
    Mp3Decoder();
    ~Mp3Decoder();
    Mp3Decoder(const Mp3Decoder &) = delete;
    Mp3Decoder &operator=(const Mp3Decoder &) = delete;

    // Opens and scans the whole file. False (and nothing usable) for a file libmpg123 cannot decode.
    bool open(const QString &path);

    int sampleRate() const { return m_sampleRate; }
    int channels() const { return m_channels; }
    int bytesPerSampleFrame() const { return m_channels * 2; }
    qint64 lengthSamples() const { return m_lengthSamples; }
    qint64 lengthMs() const;
    qint64 fileSizeBytes() const { return m_fileSizeBytes; }
    const FrameMap &frameMap() const { return m_frameMap; }

    // Sample-accurate: the next read starts at decoded sample `sample` (clamped to the length).
    bool seekToSample(qint64 sample);
    // Decodes up to `maxBytes` (whole sample frames); 0 once the end is reached or on a decoder error.
    qint64 read(char *data, qint64 maxBytes);
    bool atEnd() const { return m_atEnd; }

private:
    bool openStream(const QString &path);
    bool lockOutputFormat();
    bool buildFrameMap();

    struct FileCloser { void operator()(std::FILE *file) const; };
    struct HandleDeleter { void operator()(mpg123_handle_struct *handle) const; };

    // The file outlives the handle that reads from it, so it is declared first.
    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::unique_ptr<mpg123_handle_struct, HandleDeleter> m_handle;
    int m_sampleRate = 0;
    int m_channels = 0;
    qint64 m_lengthSamples = 0;
    qint64 m_fileSizeBytes = 0;
    FrameMap m_frameMap;
    bool m_atEnd = true;
};
