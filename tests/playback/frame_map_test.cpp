#include "playback/frame_map.h"
#include "playback/media_player.h"

#include "fixture_manifest.h"

#include <QFile>

#include <gtest/gtest.h>

#include <array>

namespace {

QByteArray readFixture(const QString &name)
{
    QFile file(fixturePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::optional<int> frameBytesAt(const QByteArray &bytes, qint64 offset)
{
    if (offset < 0 || offset + 4 > bytes.size())
        return std::nullopt;
    std::array<std::uint8_t, 4> header{};
    for (size_t i = 0; i < header.size(); ++i)
        header[i] = std::uint8_t(bytes[qsizetype(offset) + qsizetype(i)]);
    return mpegFrameBytes(header);
}

// Size of an ID3v2 tag at the start (header included), 0 without one.
qint64 id3v2TagBytes(const QByteArray &bytes)
{
    if (bytes.size() < 10 || !bytes.startsWith("ID3"))
        return 0;
    qint64 body = 0;
    for (int i = 6; i < 10; ++i)
        body = (body << 7) | (std::uint8_t(bytes[i]) & 0x7F);
    return 10 + body;
}

} // namespace

TEST(MpegFrameBytes, KnownHeaders)
{
    struct Case
    {
        std::array<std::uint8_t, 4> header;
        std::optional<int> bytes;
    };
    const Case cases[] = {
        {{0xFF, 0xFB, 0x90, 0x64}, 417},          // MPEG 1 layer III, 128 kbps, 44.1 kHz
        {{0xFF, 0xFB, 0x92, 0x64}, 418},          // the same with its padding byte
        {{0xFF, 0xFB, 0x94, 0x64}, 384},          // 128 kbps at 48 kHz
        {{0xFF, 0xFB, 0xE0, 0x64}, 1044},         // 320 kbps, 44.1 kHz
        {{0xFF, 0xF3, 0x80, 0x64}, 208},          // MPEG 2 layer III, 64 kbps, 22.05 kHz
        {{0xFF, 0xFD, 0x80, 0x64}, 417},          // MPEG 1 layer II, 128 kbps, 44.1 kHz
        {{0xFF, 0xFB, 0xF0, 0x64}, std::nullopt}, // bad bitrate index
        {{0xFF, 0xFB, 0x9C, 0x64}, std::nullopt}, // reserved sample rate
        {{0xFF, 0xEB, 0x90, 0x64}, std::nullopt}, // reserved MPEG version
        {{0x49, 0x44, 0x33, 0x03}, std::nullopt}, // "ID3", no sync
    };
    for (const Case &c : cases)
        EXPECT_EQ(mpegFrameBytes(c.header), c.bytes) << int(c.header[1]) << ' ' << int(c.header[2]);
}

// The encoder and decoder delay shift decoded samples into later frames.
TEST(FrameMap, SampleLandsInTheFrameThatHoldsIt)
{
    const FrameMap map({100, 517, 935, 1352}, 1770, 1152, 1105, 44100);
    const qint64 lengthSamples = 4 * 1152 - 1105 - 300;
    struct Case
    {
        qint64 sample;
        qint64 offset;
    };
    const Case cases[] = {
        {-5, 100},
        {0, 100},
        {46, 100},
        {47, 517},
        {47 + 1151, 517},
        {47 + 1152, 935},
        {lengthSamples - 1, 1352},
        {lengthSamples, 1770},
        {lengthSamples + 99999, 1770},
    };
    for (const Case &c : cases)
        EXPECT_EQ(map.offsetAtSample(c.sample, lengthSamples), c.offset) << c.sample;

    const qint64 lengthMs = lengthSamples * 1000 / 44100;
    EXPECT_EQ(map.offsetAtMs(0, lengthMs, lengthSamples), 100);
    EXPECT_EQ(map.offsetAtMs(2, lengthMs, lengthSamples), 517); // sample 88
    EXPECT_EQ(map.offsetAtMs(lengthMs, lengthMs, lengthSamples), 1770);
}

class FrameMapOfFixture : public ::testing::TestWithParam<const char *>
{
};

// Every offset is a frame header, each frame follows the one before without a gap, the first one is
// the first audio frame behind the tag and the Info/Xing frame, and the end is the end of the last.
TEST_P(FrameMapOfFixture, OffsetsAreTheAudioFrameHeaders)
{
    const QString name = QString::fromLatin1(GetParam());
    const QByteArray bytes = readFixture(name);
    ASSERT_FALSE(bytes.isEmpty()) << name.toStdString();

    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath(name)));
    const std::optional<qint64> first = player.frameOffsetAtMs(0);
    const std::optional<qint64> end = player.frameOffsetAtMs(player.length());
    ASSERT_TRUE(first && end);

    const qint64 tagBytes = id3v2TagBytes(bytes);
    const std::optional<int> infoFrameBytes = frameBytesAt(bytes, tagBytes);
    ASSERT_TRUE(infoFrameBytes);
    const QByteArray infoFrame = bytes.mid(tagBytes, *infoFrameBytes);
    EXPECT_TRUE(infoFrame.contains("Info") || infoFrame.contains("Xing"));
    EXPECT_EQ(*first, tagBytes + *infoFrameBytes);

    qint64 expected = *first;
    qint64 frames = 0;
    for (int ms = 0; ms < player.length(); ms += 5) {
        const qint64 offset = *player.frameOffsetAtMs(ms);
        ASSERT_GE(offset, expected - 2000) << ms;
        while (expected < offset) {
            const std::optional<int> frameBytes = frameBytesAt(bytes, expected);
            ASSERT_TRUE(frameBytes) << "no frame header at " << expected;
            expected += *frameBytes;
            ++frames;
        }
        ASSERT_EQ(offset, expected) << "offset " << offset << " at " << ms << " ms is not the next frame";
        ASSERT_TRUE(frameBytesAt(bytes, offset)) << offset;
    }
    // The last frames may hold nothing but the encoder's padding; they still belong to the audio.
    while (expected < *end) {
        const std::optional<int> frameBytes = frameBytesAt(bytes, expected);
        ASSERT_TRUE(frameBytes) << "no frame header at " << expected;
        expected += *frameBytes;
        ++frames;
    }
    EXPECT_EQ(expected, *end);
    EXPECT_GT(frames, player.length() / 27); // a 1152-sample frame lasts 26 ms at 44.1 kHz
    EXPECT_EQ(*end, bytes.size()); // lame leaves nothing behind the last frame
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FrameMapOfFixture, ::testing::Values("cbr.mp3", "vbr.mp3", "tagged.mp3"));

// The cut-off frame at the end cannot be decoded, so the audio ends with the last whole frame.
TEST(FrameMapOfTruncatedFile, EndsAfterTheLastWholeFrame)
{
    const QByteArray bytes = readFixture(QStringLiteral("truncated.mp3"));
    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath(QStringLiteral("truncated.mp3"))));
    const std::optional<qint64> end = player.frameOffsetAtMs(player.length());
    ASSERT_TRUE(end);
    const std::optional<int> partialFrameBytes = frameBytesAt(bytes, *end);
    ASSERT_TRUE(partialFrameBytes) << "the bytes after the end start no frame";
    EXPECT_GT(*end + *partialFrameBytes, bytes.size());
    const qint64 lastFrame = *player.frameOffsetAtMs(player.length() - 1);
    EXPECT_LT(lastFrame, *end);
    EXPECT_EQ(lastFrame + *frameBytesAt(bytes, lastFrame), *end);
}

TEST(FrameMapOfPlayer, EmptyWithNothingOpen)
{
    MediaPlayer player;
    EXPECT_FALSE(player.frameOffsetAtMs(0));
    ASSERT_TRUE(player.open(fixturePath(QStringLiteral("cbr.mp3"))));
    EXPECT_TRUE(player.frameOffsetAtMs(0));
    player.close();
    EXPECT_FALSE(player.frameOffsetAtMs(0));
}

// A time code in the staircase: the frame holding the start of step k begins within one frame
// (417 or 418 bytes at 128 kbps) of k steps' worth of constant-size frames.
TEST(FrameMapOfPlayer, StaircaseStepStartsAreProportional)
{
    const FixtureManifest manifest = FixtureManifest::load();
    ASSERT_GT(manifest.staircaseStepMs, 0);
    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath(QStringLiteral("staircase.mp3"))));
    const qint64 first = *player.frameOffsetAtMs(0);
    const double bytesPerMs = 128000.0 / 8 / 1000;
    const double delayMs = 1105 * 1000.0 / 44100;
    for (int step = 1; step < manifest.staircaseHz.size(); ++step) {
        const int ms = step * manifest.staircaseStepMs;
        const double expected = first + (ms + delayMs) * bytesPerMs;
        EXPECT_NEAR(double(*player.frameOffsetAtMs(ms)), expected, 418) << ms;
    }
}
