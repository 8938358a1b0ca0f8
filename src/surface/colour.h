#pragma once

#include <QColor>

// Colours travel through the program as integers red + 256 × green + 65536 × blue:
// 255 is red, 65280 green, 16711680 blue, 33023 orange.
namespace colour {

inline constexpr int black = 0;
inline constexpr int white = 16777215;
inline constexpr int red = 255;
inline constexpr int green = 65280;
inline constexpr int blue = 16711680;
inline constexpr int orange = 33023;

constexpr int fromRgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

QColor toQColor(int value);
int fromQColor(const QColor &value);

} // namespace colour
