#pragma once

#include <QByteArrayView>

class DrawingSurface;

// The looks of drawCloseButton.
namespace closeLook {
inline constexpr int normal = 1;
inline constexpr int hover = 2;
inline constexpr int pressed = 3;
} // namespace closeLook

// Decodes `bitmapFile`, draws it stretched to width × height with red (255, 0, 0) as the
// transparent key colour, lets pending events run, and releases the picture again.
void drawSkinImage(DrawingSurface &surface, int x, int y, int width, int height,
                   QByteArrayView bitmapFile);

// Loads all three close pictures, draws the one of `look` opaque (any other look draws nothing)
// and unloads all three, letting pending events run after every load and every unload.
void drawCloseButton(DrawingSurface &surface, int x, int y, int width, int height, int look);
