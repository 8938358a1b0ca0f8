#include "surface/drawing_surface.h"

#include "surface/colour.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Width 0 and 1 both give the one-pixel pen. A flat cap keeps Qt from painting the end point.
QPen makePen(int colourValue, int width)
{
    QPen pen(colour::toQColor(colourValue));
    pen.setWidth(width <= 1 ? 0 : width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

struct ExactPainter : QPainter
{
    explicit ExactPainter(QImage *image) : QPainter(image)
    {
        setRenderHint(QPainter::Antialiasing, false);
        setRenderHint(QPainter::SmoothPixmapTransform, false);
        setRenderHint(QPainter::TextAntialiasing, false);
    }
};

} // namespace

DrawingSurface::DrawingSurface(QSize size, QObject *parent)
    : QObject(parent), m_image(size, QImage::Format_RGB32)
{
    m_image.fill(Qt::white);
}

void DrawingSurface::setPenWidth(int pixels)
{
    m_penWidth = std::clamp(pixels, 0, 32767);
}

void DrawingSurface::setFont(const QStringList &faces, int points, bool bold, bool italic,
                             bool underline, bool strikeOut, int angleTenths)
{
    QFont font;
    font.setFamilies(faces);
    font.setPixelSize(std::max(1, int(std::lround(points * m_dotsPerInch / 72.0))));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    font.setStyleStrategy(QFont::NoAntialias);
    m_font = font;
    m_fontAngleTenths = angleTenths;
}

void DrawingSurface::setBackgroundPicture(const QImage &picture)
{
    m_backgroundPicture = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
}

void DrawingSurface::clearRectangle(int left, int top, int width, int height)
{
    if (width < 1 || height < 1)
        return;
    const QRect area(left, top, width, height);
    {
        ExactPainter painter(&m_image);
        // A texture brush tiles from the canvas origin, which is where the picture starts.
        if (m_backgroundPicture.isNull())
            painter.fillRect(area, Qt::white);
        else
            painter.fillRect(area, QBrush(m_backgroundPicture));
    }
    markChanged(area);
}

void DrawingSurface::drawLine(int x1, int y1, int x2, int y2)
{
    if (x1 == x2 && y1 == y2)
        return; // a line whose only point is its end point paints nothing
    if (m_penWidth <= 1) {
        drawThinLine(x1, y1, x2, y2);
    } else {
        ExactPainter painter(&m_image);
        painter.setPen(makePen(m_penColour, m_penWidth));
        painter.drawLine(x1, y1, x2, y2);
    }
    const int margin = std::max(1, m_penWidth);
    markChanged(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized().adjusted(-margin, -margin, margin, margin));
}

// Bresenham from the start point, stopping one step before the end point, so a line drawn
// backwards paints its own start and leaves its own end, whichever way it runs.
void DrawingSurface::drawThinLine(int x1, int y1, int x2, int y2)
{
    const QRgb pen = colour::toQColor(m_penColour).rgb();
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        if (m_image.rect().contains(x, y))
            reinterpret_cast<QRgb *>(m_image.scanLine(y))[x] = pen;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void DrawingSurface::drawGradientRectangle(int left, int top, int width, int height, int mode,
                                           std::span<const int> colours)
{
    const int n = int(colours.size());
    if (mode != 8 || width < 1 || height < 1 || n < 2)
        return;
    // Colours change every L steps of t = x + (height − 1 − y), so dark c1 sits bottom-left.
    const int bandLength = std::max(1, 2 * std::min(width, height) / (n - 1));
    const QRect area = QRect(left, top, width, height) & m_image.rect();
    for (int canvasY = area.top(); canvasY <= area.bottom(); ++canvasY) {
        auto *row = reinterpret_cast<QRgb *>(m_image.scanLine(canvasY));
        const int y = canvasY - top;
        for (int canvasX = area.left(); canvasX <= area.right(); ++canvasX) {
            const int t = (canvasX - left) + (height - 1 - y);
            const int k = t / bandLength;
            if (k > n - 2) {
                row[canvasX] = colour::toQColor(colours[n - 1]).rgb();
                continue;
            }
            const QColor from = colour::toQColor(colours[k]);
            const QColor to = colour::toQColor(colours[k + 1]);
            const double f = double(t % bandLength) / bandLength;
            const auto blend = [f](int a, int b) { return a + int(f * (b - a)); };
            row[canvasX] = qRgb(blend(from.red(), to.red()), blend(from.green(), to.green()),
                                blend(from.blue(), to.blue()));
        }
    }
    markChanged(area);
}

void DrawingSurface::drawPolygon(std::span<const int> coordinates, int pointCount)
{
    const int count = std::min<int>(pointCount, int(coordinates.size() / 2));
    if (count < 2)
        return;
    QPolygon polygon;
    for (int i = 0; i < count; ++i)
        polygon << QPoint(coordinates[2 * i], coordinates[2 * i + 1]);
    {
        ExactPainter painter(&m_image);
        painter.setPen(m_penWidth <= 1 ? QPen(Qt::NoPen) : makePen(m_penColour, m_penWidth));
        painter.setBrush(colour::toQColor(m_brushColour));
        painter.drawPolygon(polygon, Qt::WindingFill);
    }
    // Each thin edge paints its start and leaves its end, so the closed outline paints every
    // corner exactly once.
    if (m_penWidth <= 1) {
        for (int i = 0; i < count; ++i) {
            const QPoint &from = polygon[i];
            const QPoint &to = polygon[(i + 1) % count];
            drawThinLine(from.x(), from.y(), to.x(), to.y());
        }
    }
    const int margin = std::max(1, m_penWidth);
    markChanged(polygon.boundingRect().adjusted(-margin, -margin, margin, margin));
}

int DrawingSurface::loadImage(QByteArrayView bitmapFile)
{
    QImage picture = QImage::fromData(bitmapFile, "BMP");
    if (picture.isNull())
        return 0;
    const int handle = m_nextImageHandle++;
    m_images.emplace(handle, picture.convertToFormat(QImage::Format_RGB32));
    return handle;
}

void DrawingSurface::unloadImage(int handle)
{
    m_images.erase(handle);
}

void DrawingSurface::drawImage(int handle, int x, int y, int width, int height,
                               std::optional<int> keyColour)
{
    const auto found = m_images.find(handle);
    if (found == m_images.end() || width < 1 || height < 1)
        return;
    const QImage &picture = found->second;
    const QImage stretched = picture.size() == QSize(width, height)
        ? picture
        : picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QRect target = QRect(x, y, width, height) & m_image.rect();
    if (target.isEmpty())
        return;
    if (!keyColour) {
        ExactPainter painter(&m_image);
        painter.drawImage(QPoint(x, y), stretched);
    } else {
        const QRgb key = colour::toQColor(*keyColour).rgb();
        for (int canvasY = target.top(); canvasY <= target.bottom(); ++canvasY) {
            const auto *source = reinterpret_cast<const QRgb *>(stretched.constScanLine(canvasY - y));
            auto *row = reinterpret_cast<QRgb *>(m_image.scanLine(canvasY));
            for (int canvasX = target.left(); canvasX <= target.right(); ++canvasX) {
                const QRgb pixel = source[canvasX - x];
                if (pixel != key)
                    row[canvasX] = pixel;
            }
        }
    }
    markChanged(target);
}

void DrawingSurface::writeTextAt(int x, int y, const QString &text)
{
    if (text.isEmpty())
        return;
    QRect drawn;
    {
        ExactPainter painter(&m_image);
        painter.setFont(m_font);
        painter.setPen(colour::toQColor(m_textColour));
        painter.translate(x, y);
        painter.rotate(-m_fontAngleTenths / 10.0);
        const QRect bounds = painter.boundingRect(QRect(0, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
        painter.drawText(bounds, Qt::AlignLeft | Qt::AlignTop, text);
        drawn = painter.transform().mapRect(bounds);
    }
    markChanged(drawn.adjusted(-1, -1, 1, 1));
}

void DrawingSurface::markChanged(const QRect &area)
{
    const QRect visible = area & m_image.rect();
    if (!visible.isEmpty())
        emit changed(visible);
}
