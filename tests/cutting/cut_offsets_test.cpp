#include "cutting/byte_range.h"
#include "cutting/cut_offsets.h"
#include "cutting/file_bytes.h"
#include "mp3_probe.h"
#include "playback/media_player.h"
#include "support/fixtures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ProportionalCase
{
    double positionMs;
    double sourceFileSize;
    double lengthMs;
    qint64 expected;
};

class OffsetFromPosition : public testing::TestWithParam<ProportionalCase>
{};

TEST_P(OffsetFromPosition, TruncatesTheProportionTowardZero)
{
    const ProportionalCase &c = GetParam();
    EXPECT_EQ(offsetFromPosition(c.positionMs, c.sourceFileSize, c.lengthMs), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OffsetFromPosition,
    testing::Values(ProportionalCase{50, 1000, 200, 250}, ProportionalCase{100, 1000, 200, 500},
                    ProportionalCase{0, 1000, 200, 0}, ProportionalCase{200, 1000, 200, 1000},
                    ProportionalCase{100, 1000, 300, 333}, ProportionalCase{200, 1000, 300, 666},
                    ProportionalCase{50, 1000, 0, 0}, ProportionalCase{0, 1000, 0, 0},
                    ProportionalCase{-1, 1000, 0, 0}, ProportionalCase{-1, 1000, 300, -3},
                    // Past 2^31 bytes the offset stays exact.
                    ProportionalCase{3599999, 6e9, 3600000, 5999998333}));

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(OffsetOfMarkedTime, PlayerWithoutAFileGivesZero)
{
    const MediaPlayer player;
    EXPECT_EQ(offsetOfMarkedTime(player, 123456), 0);
}

TEST(OffsetOfMarkedTime, PausedPositionMapsToTheFrameHoldingIt)
{
    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath("vbr.mp3")));
    ASSERT_TRUE(player.play(2500));
    ASSERT_TRUE(player.togglePause());
    const qint64 positionMs = player.position();
    ASSERT_GE(positionMs, 2500);

    const qint64 offset = offsetOfMarkedTime(player, QFile(fixturePath("vbr.mp3")).size());

    EXPECT_EQ(offset, *player.frameOffsetAtMs(positionMs) + 1);
    EXPECT_TRUE(startsOnFrameHeader(readAll(fixturePath("vbr.mp3")).mid(offset - 1, 4)));
}

struct MarkCase
{
    const char *fixture;
    qint64 startMs;
    qint64 endMs;
};

class CutBetweenMarks : public testing::TestWithParam<MarkCase>
{};

// The offsets the marks imply give a range that starts on a frame header, is what bytesMid of
// the whole file gives, and decodes to the marked span within one frame (1152 samples).
// An end mark of -1 stands for the very end of the file.
TEST_P(CutBetweenMarks, StartsOnAFrameAndLastsTheMarkedSpan)
{
    const MarkCase &c = GetParam();
    const QString source = fixturePath(c.fixture);
    MediaPlayer player;
    ASSERT_TRUE(player.open(source));
    const qint64 endMs = c.endMs < 0 ? player.length() : c.endMs;

    const qint64 startOffset = *player.frameOffsetAtMs(c.startMs) + 1;
    const qint64 endOffset = *player.frameOffsetAtMs(endMs) + 1;
    ASSERT_GT(endOffset, startOffset);
    const std::optional<QByteArray> cut =
        readFileRange(source, requestedRange(startOffset, endOffset - startOffset));
    ASSERT_TRUE(cut);
    EXPECT_EQ(*cut, bytesMid(readAll(source), startOffset, endOffset - startOffset));
    EXPECT_TRUE(startsOnFrameHeader(*cut));

    QTemporaryDir folder;
    const QString cutPath = folder.filePath("cut.mp3");
    ASSERT_TRUE(writeFileBytes(cutPath, *cut));
    const std::optional<double> cutMs = decodedLengthMs(cutPath);
    ASSERT_TRUE(cutMs);
    // A cut that runs to the last frame keeps what the encoder padded the audio with.
    double paddingMs = 0;
    if (c.endMs < 0)
        paddingMs = *decodedLengthMs(source, Gapless::Raw) - *decodedLengthMs(source);
    const double frameMs = 1152 * 1000.0 / 44100;
    EXPECT_NEAR(*cutMs, double(endMs - c.startMs) + paddingMs, frameMs) << c.fixture;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, CutBetweenMarks,
                         testing::Values(MarkCase{"cbr.mp3", 1000, 3000},
                                         MarkCase{"cbr.mp3", 0, 1500},
                                         MarkCase{"cbr.mp3", 2345, -1},
                                         MarkCase{"vbr.mp3", 1200, 4100},
                                         MarkCase{"vbr.mp3", 0, -1},
                                         MarkCase{"tagged.mp3", 500, 2500},
                                         MarkCase{"tagged.mp3", 0, 1000}));

TEST(CutBetweenMarks, TaggedFileCutStartsAfterTheTag)
{
    MediaPlayer player;
    ASSERT_TRUE(player.open(fixturePath("tagged.mp3")));
    // The tag is the 10-byte header plus its syncsafe size; the picture in it is full of syncs.
    const QByteArray bytes = readAll(fixturePath("tagged.mp3"));
    ASSERT_TRUE(bytes.startsWith("ID3"));
    const qint64 tagBytes = 10 + (qint64(bytes[6] & 0x7F) << 21) + (qint64(bytes[7] & 0x7F) << 14)
                            + (qint64(bytes[8] & 0x7F) << 7) + qint64(bytes[9] & 0x7F);
    EXPECT_GE(*player.frameOffsetAtMs(0), tagBytes);
    // The proportional rule would start a cut at 0 ms inside the tag, far from the audio.
    EXPECT_LT(offsetFromPosition(0, double(bytes.size()), player.length()), tagBytes);
}

TEST(CutBetweenMarks, CbrWithoutTagsAgreesWithTheProportionalRuleWithinAFrame)
{
    MediaPlayer player;
    const QString source = fixturePath("cbr.mp3");
    ASSERT_TRUE(player.open(source));
    const qint64 size = QFile(source).size();
    const qint64 frameBytes = 418;
    // Lame's Info frame in front and the encoder delay shift the map by up to a frame each.
    for (qint64 positionMs : {500, 1500, 3000, 4500, 6000}) {
        const qint64 mapped = *player.frameOffsetAtMs(positionMs) + 1;
        const qint64 proportional = offsetFromPosition(positionMs, size, player.length());
        EXPECT_LE(std::abs(mapped - proportional), 2 * frameBytes) << positionMs;
    }
}

} // namespace
