#pragma once

#include <QFont>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>

#include <map>
#include <optional>
#include <span>

// The canvas's memory image and every drawing operation the program uses on it. Everything is
// drawn exactly, without antialiasing, into an RGB32 image; `changed` tells a view which pixels
// to copy again. Colours are integers r + 256g + 65536b (see colour.h).
class DrawingSurface : public QObject
{
    Q_OBJECT

public:
    explicit DrawingSurface(QSize size = {310, 354}, QObject *parent = nullptr);

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }

    void setPenColour(int colour) { m_penColour = colour; }
    void setPenWidth(int pixels);
    void setBrushColour(int colour) { m_brushColour = colour; }
    int penColour() const { return m_penColour; }
    int penWidth() const { return m_penWidth; }
    int brushColour() const { return m_brushColour; }

    // Points become pixels through the screen's vertical resolution, as 10 pt at 96 dpi is 13 px.
    void setDotsPerInch(int dotsPerInch) { m_dotsPerInch = dotsPerInch; }
    // `faces` are tried in order; the angle is in tenths of a degree, counter-clockwise.
    void setFont(const QStringList &faces, int points, bool bold = false, bool italic = false,
                 bool underline = false, bool strikeOut = false, int angleTenths = 0);
    const QFont &font() const { return m_font; }

    // A null picture means none: clearing then paints the background colour (white).
    void setBackgroundPicture(const QImage &picture);
    void clearRectangle(int left, int top, int width, int height);

    // The pen from (x1, y1) towards (x2, y2); the end point itself is left unpainted.
    void drawLine(int x1, int y1, int x2, int y2);
    // Mode 8 is the diagonal blend from the bottom-left corner; other modes draw nothing.
    void drawGradientRectangle(int left, int top, int width, int height, int mode,
                               std::span<const int> colours);
    // `coordinates` holds x, y pairs; outlined with the pen, filled with the brush (winding rule).
    void drawPolygon(std::span<const int> coordinates, int pointCount);

    // Decodes a bitmap file; 0 when the bytes are no picture.
    int loadImage(QByteArrayView bitmapFile);
    void unloadImage(int handle);
    int loadedImageCount() const { return int(m_images.size()); }
    // Stretches the picture to width × height; canvas pixels under pixels of exactly `keyColour`
    // stay as they are. An unknown handle draws nothing.
    void drawImage(int handle, int x, int y, int width, int height,
                   std::optional<int> keyColour = std::nullopt);

    // The text's top-left corner at (x, y), in the current font, black, without background.
    void writeTextAt(int x, int y, const QString &text);

    // The canvas as it shows now.
    QImage snapshot() const { return m_image.copy(); }
    const QImage &image() const { return m_image; }
    QRgb pixel(int x, int y) const { return m_image.pixel(x, y); }

signals:
    void changed(const QRect &area);

private:
    void markChanged(const QRect &area);
    void drawThinLine(int x1, int y1, int x2, int y2);

    QImage m_image;
    QImage m_backgroundPicture;
    int m_penColour = 0;
    int m_penWidth = 0;
    int m_brushColour = 16777215;
    int m_textColour = 0;
    int m_dotsPerInch = 96;
    int m_fontAngleTenths = 0;
    QFont m_font;
    std::map<int, QImage> m_images;
    int m_nextImageHandle = 1;
};
