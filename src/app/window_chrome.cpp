#include "app/window_chrome.h"

#include "app/close_box.h"
#include "assets/skin_drawing.h"
#include "playback/media_player.h"
#include "playback/playback_control.h"
#include "playback/transport_buttons.h"
#include "surface/drawing_surface.h"

#include <QWidget>

void WindowChrome::pointerMoved(int x, int y)
{
    m_parts.buttons.hoverStep(x, y);

    // Flags are read where they are used: drawing a skin lets other handlers run in between.
    if (m_isDragging) {
        if (m_isOverClose) {
            // A press in the close box never moves the window.
            m_isDragging = false;
        } else {
            // Once the window has moved, the pressed canvas point is under the pointer again, so
            // each move shifts the window by exactly the pointer's travel since the last one.
            const QPoint topLeft = m_parts.window.pos();
            m_parts.window.move(topLeft.x() + (x - m_dragOrigin.x()), topLeft.y() + (y - m_dragOrigin.y()));
        }
    }

    m_isOverClose = closeBoxContains(m_parts.canvas.width(), x, y);
    drawClose(m_isOverClose ? closeLook::hover : closeLook::normal);
}

void WindowChrome::leftPressed(int x, int y)
{
    m_parts.playback.seekStep(x, y);
    m_dragOrigin = QPoint(x, y);
    m_isDragging = true;
    m_parts.buttons.pressedLookStep(x, y);
    if (m_isOverClose)
        drawClose(closeLook::pressed);
}

void WindowChrome::leftReleased(int x, int y)
{
    m_isDragging = false;
    const int button = m_parts.buttons.releaseStep(x, y);
    if (button != 0 && !m_parts.playback.runButtonAction(button))
        return; // the open dialog was cancelled
    // Decided by where the last move left the pointer, not by the release position.
    if (m_isOverClose) {
        drawClose(closeLook::hover);
        m_parts.player.close();
        // Takes effect once this handler has returned.
        QMetaObject::invokeMethod(&m_parts.window, &QWidget::close, Qt::QueuedConnection);
    } else {
        drawClose(closeLook::normal);
    }
}

void WindowChrome::drawClose(int look)
{
    drawCloseButton(m_parts.canvas, closeImageLeft(m_parts.canvas.width()), 1, closeImageWidth,
                    closeImageHeight, look);
}
