#include "playback/frame_map.h"

#include <algorithm>
#include <array>

FrameMap::FrameMap(std::vector<qint64> frameOffsetsBytes, qint64 endOffsetBytes, int samplesPerFrame,
                   qint64 leadingSamples, int sampleRate)
    : m_frameOffsetsBytes(std::move(frameOffsetsBytes))
    , m_endOffsetBytes(endOffsetBytes)
    , m_samplesPerFrame(std::max(1, samplesPerFrame))
    , m_leadingSamples(std::max<qint64>(0, leadingSamples))
    , m_sampleRate(std::max(1, sampleRate))
{
}

qint64 FrameMap::offsetAtSample(qint64 sample, qint64 lengthSamples) const
{
    if (m_frameOffsetsBytes.empty())
        return m_endOffsetBytes;
    if (sample >= lengthSamples)
        return m_endOffsetBytes;
    const qint64 frame = (std::max<qint64>(0, sample) + m_leadingSamples) / m_samplesPerFrame;
    const qint64 lastFrame = qint64(m_frameOffsetsBytes.size()) - 1;
    return m_frameOffsetsBytes[size_t(std::min(frame, lastFrame))];
}

qint64 FrameMap::offsetAtMs(qint64 positionMs, qint64 lengthMs, qint64 lengthSamples) const
{
    if (positionMs >= lengthMs)
        return m_endOffsetBytes;
    return offsetAtSample(std::max<qint64>(0, positionMs) * m_sampleRate / 1000, lengthSamples);
}

std::optional<int> mpegFrameBytes(std::span<const std::uint8_t, 4> header)
{
    if (header[0] != 0xFF || (header[1] & 0xE0) != 0xE0)
        return std::nullopt;
    const int versionBits = (header[1] >> 3) & 3; // 0: MPEG 2.5, 2: MPEG 2, 3: MPEG 1
    const int layerBits = (header[1] >> 1) & 3;   // 1: layer III, 2: layer II, 3: layer I
    const int bitrateIndex = (header[2] >> 4) & 15;
    const int rateIndex = (header[2] >> 2) & 3;
    const int padding = (header[2] >> 1) & 1;
    if (versionBits == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return std::nullopt;

    static constexpr std::array<std::array<int, 15>, 6> kbps{{
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG 1 layer I
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG 1 layer II
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG 1 layer III
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG 2/2.5 layer I
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},        // MPEG 2/2.5 layer II
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},        // MPEG 2/2.5 layer III
    }};
    static constexpr std::array<int, 3> mpeg1Rates{44100, 48000, 32000};
    const bool mpeg1 = versionBits == 3;
    const int layer = 4 - layerBits;
    const int sampleRate = mpeg1Rates[size_t(rateIndex)] >> (mpeg1 ? 0 : versionBits == 2 ? 1 : 2);
    const int bitsPerSecond = kbps[size_t((mpeg1 ? 0 : 3) + layer - 1)][size_t(bitrateIndex)] * 1000;

    if (layer == 1)
        return (12 * bitsPerSecond / sampleRate + padding) * 4;
    const int samplesPerFrame = (layer == 3 && !mpeg1) ? 576 : 1152;
    return samplesPerFrame / 8 * bitsPerSecond / sampleRate + padding;
}
