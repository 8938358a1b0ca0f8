#pragma once

#include "surface/drawing_surface.h"

#include <QWidget>

// The window's canvas: shows the drawing surface and reports the left button and pointer
// moves in canvas pixels. Painting only copies the surface's image.
class CanvasWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CanvasWidget(QWidget *parent = nullptr);

    DrawingSurface &surface() { return m_surface; }

signals:
    void leftPressed(int x, int y);
    void pointerMoved(int x, int y);
    void leftReleased(int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    DrawingSurface m_surface;
};
