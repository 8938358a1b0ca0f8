#pragma once

#include <QByteArrayView>

// The six skin pictures, each a complete 24-bit bitmap file. The bytes are painted at build time
// by quenvox_skin_generator (skin_image_generator.cpp).

// Transport buttons, 86 × 30.
extern const QByteArrayView buttonNormalImage;
extern const QByteArrayView buttonHoverImage;
extern const QByteArrayView buttonPressedImage;

// Close button, 38 × 18, looks 1 (normal), 2 (hover) and 3 (pressed).
extern const QByteArrayView closeNormalImage;
extern const QByteArrayView closeHoverImage;
extern const QByteArrayView closePressedImage;
