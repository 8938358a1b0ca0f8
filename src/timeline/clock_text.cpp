#include "timeline/clock_text.h"

namespace {

QString clockText(int minutes, int seconds)
{
    return twoDigitField(QString::number(minutes)) + QLatin1Char(':')
        + twoDigitField(QString::number(seconds));
}

} // namespace

QString twoDigitField(const QString &decimalText)
{
    return (QLatin1Char('0') + decimalText).right(2);
}

QString clockTextFromMilliseconds(int positionMs)
{
    if (positionMs < 0)
        return clockText(0, 0);
    const int wholeSeconds = positionMs / 1000;
    return clockText(wholeSeconds / 60, wholeSeconds % 60);
}

QString clockTextFromSeconds(int lengthSeconds)
{
    if (lengthSeconds < 0)
        return clockText(0, 0);
    return clockText(lengthSeconds / 60, lengthSeconds % 60);
}
