#pragma once

// The close button's image stands at (w − 40, 1), 38 × 18, on a canvas w pixels wide. Its hit box
// is one pixel wider than the image and reaches one pixel higher, so a press at y = 0 still
// counts; all four bounds are inclusive.
inline constexpr int closeImageWidth = 38;
inline constexpr int closeImageHeight = 18;

constexpr int closeImageLeft(int canvasWidth)
{
    return canvasWidth - 40;
}

constexpr bool closeBoxContains(int canvasWidth, int x, int y)
{
    return x >= canvasWidth - 40 && x <= canvasWidth - 2 && y >= 0 && y <= 18;
}
