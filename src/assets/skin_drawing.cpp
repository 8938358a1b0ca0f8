#include "assets/skin_drawing.h"

#include "assets/skin_images.h"
#include "surface/colour.h"
#include "surface/drawing_surface.h"

#include <QCoreApplication>

#include <array>

// Both routines let pending events run while they hold pictures, so a handler can call them
// again in the middle; each call keeps its own handles, and the surface hands out a fresh handle
// for every load, so a nested call never touches the pictures of the call it interrupts.

void drawSkinImage(DrawingSurface &surface, int x, int y, int width, int height,
                   QByteArrayView bitmapFile)
{
    const int handle = surface.loadImage(bitmapFile);
    surface.drawImage(handle, x, y, width, height, colour::red);
    QCoreApplication::processEvents();
    surface.unloadImage(handle);
}

void drawCloseButton(DrawingSurface &surface, int x, int y, int width, int height, int look)
{
    const std::array<QByteArrayView, 3> pictures{closeNormalImage, closeHoverImage, closePressedImage};
    std::array<int, 3> handles{};
    for (std::size_t k = 0; k < pictures.size(); ++k) {
        handles[k] = surface.loadImage(pictures[k]);
        QCoreApplication::processEvents();
    }
    if (look >= closeLook::normal && look <= closeLook::pressed)
        surface.drawImage(handles[std::size_t(look - 1)], x, y, width, height);
    for (const int handle : handles) {
        surface.unloadImage(handle);
        QCoreApplication::processEvents();
    }
}
