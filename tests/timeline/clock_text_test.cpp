#include "timeline/clock_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(TwoDigitField, KeepsTheLastTwoCharactersAfterALeadingZero)
{
    const struct
    {
        const char *text;
        const char *field;
    } cases[] = {{"7", "07"}, {"0", "00"}, {"42", "42"}, {"123", "23"}, {"35791", "91"}, {"", "0"}};
    for (const auto &c : cases)
        EXPECT_EQ(twoDigitField(QString::fromLatin1(c.text)), QString::fromLatin1(c.field)) << c.text;
}

TEST(ClockText, FromMilliseconds)
{
    const struct
    {
        int positionMs;
        const char *text;
    } cases[] = {
        {0, "00:00"},       {999, "00:00"},     {1000, "00:01"},        {59999, "00:59"},
        {60000, "01:00"},   {754000, "12:34"},  {5999999, "99:59"},     {6000000, "00:00"},
        {7425000, "23:45"}, {INT_MAX, "91:23"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(clockTextFromMilliseconds(c.positionMs), QString::fromLatin1(c.text)) << c.positionMs;
}

TEST(ClockText, FromSeconds)
{
    const struct
    {
        int lengthSeconds;
        const char *text;
    } cases[] = {{0, "00:00"}, {59, "00:59"}, {61, "01:01"}, {205, "03:25"}, {3600, "60:00"}, {6000, "00:00"}};
    for (const auto &c : cases)
        EXPECT_EQ(clockTextFromSeconds(c.lengthSeconds), QString::fromLatin1(c.text)) << c.lengthSeconds;
}

TEST(ClockText, BothFormsAgreeOnTheSameTime)
{
    for (const int positionMs : {0, 999, 61500, 754321, 5999999, 7425000, INT_MAX})
        EXPECT_EQ(clockTextFromMilliseconds(positionMs), clockTextFromSeconds(positionMs / 1000)) << positionMs;
}

// The player reports −1 when it has no position; the clock then shows zero, not "-0:-1".
TEST(ClockText, NegativeTimesShowZero)
{
    for (const int value : {-1, -999, -1000, -61000, INT_MIN}) {
        EXPECT_EQ(clockTextFromMilliseconds(value), QStringLiteral("00:00")) << value;
        EXPECT_EQ(clockTextFromSeconds(value), QStringLiteral("00:00")) << value;
    }
}

} // namespace
