#include "cutting/byte_range.h"

#include <gtest/gtest.h>

namespace {

struct MidCase
{
    qint64 start;
    qint64 count;
    const char *expected;
};

class BytesMidOnDigits : public testing::TestWithParam<MidCase>
{};

TEST_P(BytesMidOnDigits, TakesTheOneBasedRangeClampedToTheData)
{
    const MidCase &c = GetParam();
    EXPECT_EQ(bytesMid(QByteArrayLiteral("0123456789"), c.start, c.count), QByteArray(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Digits, BytesMidOnDigits,
                         testing::Values(MidCase{0, 4, "0123"}, MidCase{1, 4, "0123"},
                                         MidCase{3, 4, "2345"}, MidCase{8, 12, "789"},
                                         MidCase{10, 1, "9"}, MidCase{11, 4, ""},
                                         MidCase{12, 4, ""}, MidCase{-7, 3, "012"},
                                         MidCase{5, 0, ""}, MidCase{5, -3, ""},
                                         MidCase{1, 10, "0123456789"},
                                         MidCase{1, 11, "0123456789"}));

TEST(BytesMid, EmptyDataGivesNothing)
{
    EXPECT_TRUE(bytesMid(QByteArray(), 1, 5).isEmpty());
}

TEST(BytesMid, MarkedQuarterOfAThousandBytesStartsOneBeforeTheOffset)
{
    QByteArray source(1000, '\0');
    for (int index = 0; index < source.size(); ++index)
        source[index] = char(index % 251);
    // Offsets 250 and 500: the 250 bytes at zero-based indices 249 to 498.
    EXPECT_EQ(bytesMid(source, 250, 500 - 250), source.mid(249, 250));
}

struct RangeCase
{
    qint64 dataLength;
    qint64 start;
    qint64 count;
    ByteRange expected;
};

class ByteRangeWithin : public testing::TestWithParam<RangeCase>
{};

TEST_P(ByteRangeWithin, AgreesWithBytesMidArithmetic)
{
    const RangeCase &c = GetParam();
    EXPECT_EQ(byteRangeWithin(c.dataLength, c.start, c.count), c.expected);
}

constexpr qint64 fiveGiB = 5LL << 30;

INSTANTIATE_TEST_SUITE_P(
    Lengths, ByteRangeWithin,
    testing::Values(RangeCase{10, 3, 4, {2, 4}}, RangeCase{10, 0, 4, {0, 4}},
                    RangeCase{10, 8, 12, {7, 3}}, RangeCase{10, 11, 4, {10, 0}},
                    RangeCase{10, 40, 4, {10, 0}}, RangeCase{10, 2, -1, {1, 0}},
                    // Offsets past 2^31 stay exact.
                    RangeCase{fiveGiB, (4LL << 30) + 1, 1000, {4LL << 30, 1000}},
                    RangeCase{fiveGiB, fiveGiB - 9, 100, {fiveGiB - 10, 10}}));

TEST(RequestedRange, IgnoresAnyDataLength)
{
    EXPECT_EQ(requestedRange(250, 250), (ByteRange{249, 250}));
    EXPECT_EQ(requestedRange(-3, 7), (ByteRange{0, 7}));
    EXPECT_EQ(requestedRange(5, -2), (ByteRange{4, 0}));
    EXPECT_EQ(requestedRange(3LL << 31, 10).endIndex(), (3LL << 31) + 9);
}

} // namespace
