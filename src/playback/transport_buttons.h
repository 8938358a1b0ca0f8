#pragma once

class DrawingSurface;

// The three playback buttons painted on the canvas: 1 PlayLoad, 2 Pause, 3 Stop (0 is none).
// Button i's image stands at x = 16 + 96 (i − 1), y = 100, 86 × 30, with its label over it.

enum class ButtonLook { Normal, Hover, Pressed };

inline constexpr int transportButtonCount = 3;

int transportButtonLeft(int button);

// The button whose box holds (x, y), or 0. The boxes are 87 × 31, one pixel larger than the
// images, since all four bounds are inclusive.
int transportButtonAt(int x, int y);

// The look's image, then the button's label at (x + 28, 105) in the canvas's current font.
void drawTransportButton(DrawingSurface &surface, int button, ButtonLook look);

// The looks the buttons take under the pointer. One flag serves all three buttons, so a
// pointer that slides from one button straight onto the next leaves the first one lit and the
// second one normal until it moves off every button.
class TransportButtons
{
public:
    explicit TransportButtons(DrawingSurface &surface) : m_surface(surface) {}

    // Pointer move: lights the button the pointer enters, or resets all three when it leaves.
    void hoverStep(int x, int y);
    // Left press: the pressed look of the button under the pointer.
    void pressedLookStep(int x, int y);
    // Left release: the hover look of the button under the pointer, whose index is returned
    // (0 for none) so that the caller runs that button's action.
    int releaseStep(int x, int y);
    void drawAllNormal();

    bool isOverButton() const { return m_isOverButton; }

private:
    DrawingSurface &m_surface;
    bool m_isOverButton = false;
};
