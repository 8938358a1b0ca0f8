#include "app/window_shape.h"

#include <QPainterPath>

QRegion roundedWindowRegion(QSize windowSize, int cornerSize)
{
    QPainterPath outline;
    const double radius = cornerSize / 2.0;
    outline.addRoundedRect(QRectF(0, 0, windowSize.width() - 1, windowSize.height() - 1), radius, radius);
    return QRegion(outline.toFillPolygon().toPolygon(), Qt::WindingFill);
}
