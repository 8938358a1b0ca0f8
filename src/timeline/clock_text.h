#pragma once

#include <QString>

// Times as the canvas shows them: two-digit minutes, a colon, two-digit seconds ("MM:SS").
// Minutes beyond 99 keep only their last two digits; fractions of a second are dropped.

// "0" put in front of `decimalText`, of which the last two characters are kept.
QString twoDigitField(const QString &decimalText);

// A negative position (the player has none) shows "00:00".
QString clockTextFromMilliseconds(int positionMs);

// A negative length shows "00:00".
QString clockTextFromSeconds(int lengthSeconds);
