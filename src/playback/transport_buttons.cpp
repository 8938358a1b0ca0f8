#include "playback/transport_buttons.h"

#include "assets/skin_drawing.h"
#include "assets/skin_images.h"
#include "surface/drawing_surface.h"

#include <QString>

namespace {

constexpr int buttonTop = 100;
constexpr int buttonWidth = 86;
constexpr int buttonHeight = 30;
constexpr int buttonSpacing = 10;
constexpr int labelOffsetX = 28;
constexpr int labelTop = 105;

QByteArrayView imageOfLook(ButtonLook look)
{
    switch (look) {
    case ButtonLook::Hover:
        return buttonHoverImage;
    case ButtonLook::Pressed:
        return buttonPressedImage;
    case ButtonLook::Normal:
        break;
    }
    return buttonNormalImage;
}

QString labelOfButton(int button)
{
    switch (button) {
    case 1:
        return QStringLiteral("播放载入");
    case 2:
        return QStringLiteral("暂停");
    default:
        return QStringLiteral("停止");
    }
}

} // namespace

int transportButtonLeft(int button)
{
    return (button - 1) * (buttonWidth + buttonSpacing) + 16;
}

int transportButtonAt(int x, int y)
{
    if (y < buttonTop || y > buttonTop + buttonHeight)
        return 0;
    for (int button = 1; button <= transportButtonCount; ++button) {
        const int left = transportButtonLeft(button);
        if (x >= left && x <= left + buttonWidth)
            return button;
    }
    return 0;
}

void drawTransportButton(DrawingSurface &surface, int button, ButtonLook look)
{
    if (button < 1 || button > transportButtonCount)
        return;
    const int left = transportButtonLeft(button);
    drawSkinImage(surface, left, buttonTop, buttonWidth, buttonHeight, imageOfLook(look));
    surface.writeTextAt(left + labelOffsetX, labelTop, labelOfButton(button));
}

void TransportButtons::hoverStep(int x, int y)
{
    const int button = transportButtonAt(x, y);
    if (button != 0 && !m_isOverButton) {
        m_isOverButton = true;
        drawTransportButton(m_surface, button, ButtonLook::Hover);
    } else if (button == 0 && m_isOverButton) {
        m_isOverButton = false;
        drawAllNormal();
    }
}

void TransportButtons::pressedLookStep(int x, int y)
{
    if (const int button = transportButtonAt(x, y))
        drawTransportButton(m_surface, button, ButtonLook::Pressed);
}

int TransportButtons::releaseStep(int x, int y)
{
    const int button = transportButtonAt(x, y);
    if (button != 0)
        drawTransportButton(m_surface, button, ButtonLook::Hover);
    return button;
}

void TransportButtons::drawAllNormal()
{
    for (int button = 1; button <= transportButtonCount; ++button)
        drawTransportButton(m_surface, button, ButtonLook::Normal);
}
