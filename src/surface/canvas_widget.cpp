#include "surface/canvas_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

CanvasWidget::CanvasWidget(QWidget *parent) : QWidget(parent)
{
    setFixedSize(m_surface.width(), m_surface.height());
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_surface, &DrawingSurface::changed, this, qOverload<const QRect &>(&QWidget::update));
}

void CanvasWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_surface.image(), event->rect());
}

void CanvasWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        emit leftPressed(at.x(), at.y());
    }
}

void CanvasWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit pointerMoved(at.x(), at.y());
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        emit leftReleased(at.x(), at.y());
    }
}
