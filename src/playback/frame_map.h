#pragma once

#include <QtGlobal>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Where each MP3 audio frame of a file starts, and which frame holds a given decoded sample.
// Offsets are zero-based byte positions of frame headers in the file (after any ID3v2 tag; the
// Xing/Info frame is not an audio frame). Decoded sample s is raw sample s + leadingSamples of the
// frame stream, since gapless decoding drops the encoder and decoder delay at the start.
class FrameMap
{
public:
    FrameMap() = default;
    FrameMap(std::vector<qint64> frameOffsetsBytes, qint64 endOffsetBytes, int samplesPerFrame,
             qint64 leadingSamples, int sampleRate);

    bool isEmpty() const { return m_frameOffsetsBytes.empty(); }
    qsizetype frameCount() const { return qsizetype(m_frameOffsetsBytes.size()); }
    const std::vector<qint64> &frameOffsetsBytes() const { return m_frameOffsetsBytes; }
    qint64 endOffsetBytes() const { return m_endOffsetBytes; }

    // Offset of the frame holding decoded sample `sample`; at or past `lengthSamples`, the end.
    qint64 offsetAtSample(qint64 sample, qint64 lengthSamples) const;
    // The same for a time in ms; a position at or past `lengthMs` gives the end of the last frame.
    qint64 offsetAtMs(qint64 positionMs, qint64 lengthMs, qint64 lengthSamples) const;

private:
    std::vector<qint64> m_frameOffsetsBytes;
    qint64 m_endOffsetBytes = 0;
    int m_samplesPerFrame = 1152;
    qint64 m_leadingSamples = 0;
    int m_sampleRate = 44100;
};

// Byte length of the MPEG audio frame whose 4-byte header is `header`; empty when it is no header.
std::optional<int> mpegFrameBytes(std::span<const std::uint8_t, 4> header);
