#pragma once

#include <QPoint>

class DrawingSurface;
class MediaPlayer;
class PlaybackControl;
class QWidget;
class TransportButtons;

// The window has no frame: its canvas takes the three pointer events and gives it the chrome.
// Any point drags the window, a painted close box closes it, and the transport buttons and the
// seek strip get their steps in a fixed order.
class WindowChrome
{
public:
    struct Parts
    {
        QWidget &window;
        DrawingSurface &canvas;
        TransportButtons &buttons;
        PlaybackControl &playback;
        MediaPlayer &player;
    };

    explicit WindowChrome(const Parts &parts) : m_parts(parts) {}

    void leftPressed(int x, int y);
    void pointerMoved(int x, int y);
    void leftReleased(int x, int y);

    bool isDragging() const { return m_isDragging; }
    bool isOverClose() const { return m_isOverClose; }

private:
    void drawClose(int look);

    Parts m_parts;
    QPoint m_dragOrigin;
    bool m_isDragging = false;
    bool m_isOverClose = false;
};
