#include "surface/colour.h"
#include "surface/drawing_surface.h"

#include <QBuffer>
#include <QImageWriter>

#include <gtest/gtest.h>

#include <array>

namespace {

int colourAt(const DrawingSurface &surface, int x, int y)
{
    return colour::fromQColor(QColor(surface.pixel(x, y)));
}

QByteArray bitmapFile(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "BMP").write(picture.convertToFormat(QImage::Format_RGB888));
    return bytes;
}

const std::array<int, 3> skinColours{colour::fromRgb(51, 139, 185), colour::fromRgb(82, 175, 216),
                                     colour::fromRgb(165, 227, 247)};

} // namespace

TEST(Colour, IntegersCarryRedGreenBlueFromTheLowByte)
{
    EXPECT_EQ(colour::toQColor(255), QColor(255, 0, 0));
    EXPECT_EQ(colour::toQColor(65280), QColor(0, 255, 0));
    EXPECT_EQ(colour::toQColor(16711680), QColor(0, 0, 255));
    EXPECT_EQ(colour::toQColor(33023), QColor(255, 128, 0));
    EXPECT_EQ(colour::fromQColor(QColor(12, 34, 56)), 12 + 256 * 34 + 65536 * 56);
}

TEST(DrawingSurface, StartsWhiteAtTheWindowSize)
{
    DrawingSurface surface;
    EXPECT_EQ(surface.width(), 310);
    EXPECT_EQ(surface.height(), 354);
    EXPECT_EQ(colourAt(surface, 0, 0), colour::white);
    EXPECT_EQ(colourAt(surface, 309, 353), colour::white);
}

// Straight thin lines paint exactly the pixels from their start up to, not including, their end,
// whichever way they run, and nothing beside them.
TEST(DrawingSurface, ThinLinesPaintFromTheirStartAndLeaveTheirEnd)
{
    struct Case { QPoint from, to; };
    const Case lines[] = {{{10, 20}, {10, 30}}, {{10, 30}, {10, 20}}, {{40, 50}, {60, 50}}, {{60, 50}, {40, 50}}};
    for (const int width : {0, 1}) {
        for (const Case &line : lines) {
            SCOPED_TRACE(testing::Message() << "width " << width << " from " << line.from.x() << ","
                                            << line.from.y() << " to " << line.to.x() << "," << line.to.y());
            DrawingSurface surface({80, 80});
            surface.setPenWidth(width);
            surface.setPenColour(colour::red);
            surface.drawLine(line.from.x(), line.from.y(), line.to.x(), line.to.y());
            const QPoint step = (line.to - line.from) / std::max(std::abs(line.to.x() - line.from.x()),
                                                                 std::abs(line.to.y() - line.from.y()));
            int painted = 0;
            for (int y = 0; y < 80; ++y)
                for (int x = 0; x < 80; ++x)
                    painted += colourAt(surface, x, y) == colour::red;
            int expected = 0;
            for (QPoint at = line.from; at != line.to; at += step, ++expected)
                EXPECT_EQ(colourAt(surface, at.x(), at.y()), colour::red) << at.x() << "," << at.y();
            EXPECT_EQ(painted, expected);
            EXPECT_EQ(colourAt(surface, line.to.x(), line.to.y()), colour::white);
        }
    }
}

TEST(DrawingSurface, DiagonalThinLinesStepOnePixelPerColumn)
{
    DrawingSurface surface;
    surface.setPenColour(colour::red);
    surface.drawLine(0, 0, 10, 5);
    int painted = 0;
    for (int x = 0; x <= 10; ++x)
        for (int y = 0; y <= 5; ++y)
            painted += colourAt(surface, x, y) == colour::red;
    EXPECT_EQ(painted, 10);
    EXPECT_EQ(colourAt(surface, 0, 0), colour::red);
    EXPECT_EQ(colourAt(surface, 10, 5), colour::white);
}

TEST(DrawingSurface, LinesOffTheCanvasAreClipped)
{
    DrawingSurface surface({20, 20});
    surface.setPenColour(colour::red);
    surface.drawLine(-50, 5, 70, 5);
    EXPECT_EQ(colourAt(surface, 0, 5), colour::red);
    EXPECT_EQ(colourAt(surface, 19, 5), colour::red);
}

TEST(DrawingSurface, WidePenCoversTwoRows)
{
    DrawingSurface surface;
    surface.setPenWidth(2);
    surface.setPenColour(colour::blue);
    surface.drawLine(0, 177, 310, 177);
    int paintedRows = 0;
    for (int y = 170; y < 185; ++y)
        paintedRows += colourAt(surface, 100, y) == colour::blue;
    EXPECT_EQ(paintedRows, 2);
    EXPECT_EQ(colourAt(surface, 0, 177), colour::blue);
    EXPECT_EQ(colourAt(surface, 309, 177), colour::blue);
}

TEST(DrawingSurface, PenWidthIsClamped)
{
    DrawingSurface surface;
    surface.setPenWidth(-4);
    EXPECT_EQ(surface.penWidth(), 0);
    surface.setPenWidth(100000);
    EXPECT_EQ(surface.penWidth(), 32767);
}

TEST(DrawingSurface, DiagonalGradientFollowsItsFormula)
{
    DrawingSurface surface;
    surface.drawGradientRectangle(0, 0, 310, 354, 8, skinColours);
    // L = 2 × 310 / 2 = 310 and t = x + (353 − y); a blend truncates each channel.
    const auto blend = [](int from, int to, double f) { return from + int(f * (to - from)); };
    const double halfway = 155.0 / 310.0;
    const double nearlyC3 = 309.0 / 310.0;
    struct Sample { int x, y, expected; };
    const Sample samples[] = {
        {0, 353, skinColours[0]}, // t = 0
        {0, 43, skinColours[1]},  // t = 310
        {309, 42, skinColours[2]}, // t = 620
        {309, 0, skinColours[2]},
        {155, 353, colour::fromRgb(blend(51, 82, halfway), blend(139, 175, halfway), blend(185, 216, halfway))},
        {309, 43, colour::fromRgb(blend(82, 165, nearlyC3), blend(175, 227, nearlyC3), blend(216, 247, nearlyC3))},
    };
    for (const auto &sample : samples)
        EXPECT_EQ(colourAt(surface, sample.x, sample.y), sample.expected) << sample.x << "," << sample.y;
}

TEST(DrawingSurface, GradientTruncatesNegativeStepsTowardZero)
{
    // Falling channels: 200 → 100 half-way gives 200 + trunc(0.5 × −100) = 150; a third gives
    // 200 + trunc(−33.3) = 167, not 166.
    DrawingSurface surface({30, 10});
    const std::array<int, 2> colours{colour::fromRgb(200, 0, 0), colour::fromRgb(100, 0, 0)};
    surface.drawGradientRectangle(0, 0, 30, 10, 8, colours); // L = 20
    EXPECT_EQ(QColor(surface.pixel(10, 9)).red(), 150);      // t = 10
    EXPECT_EQ(QColor(surface.pixel(6, 7)).red(), 200 + int((8 / 20.0) * -100)); // t = 8
}

TEST(DrawingSurface, GradientDrawsNothingWhenItCannot)
{
    DrawingSurface surface;
    surface.drawGradientRectangle(0, 0, 0, 10, 8, skinColours);
    surface.drawGradientRectangle(0, 0, 10, 0, 8, skinColours);
    surface.drawGradientRectangle(0, 0, 10, 10, 8, std::span(skinColours).first(1));
    surface.drawGradientRectangle(0, 0, 10, 10, 3, skinColours);
    EXPECT_EQ(colourAt(surface, 0, 0), colour::white);
    EXPECT_EQ(colourAt(surface, 5, 5), colour::white);
}

TEST(DrawingSurface, PolygonIsOutlinedWithThePenAndFilledWithTheBrush)
{
    DrawingSurface surface;
    surface.setPenColour(colour::orange);
    surface.setBrushColour(colour::red);
    const std::array<int, 6> triangle{3, 208, 5, 198, 7, 208};
    surface.drawPolygon(triangle, 3);
    EXPECT_EQ(colourAt(surface, 5, 198), colour::orange); // apex
    EXPECT_EQ(colourAt(surface, 3, 208), colour::orange); // every corner is outline
    EXPECT_EQ(colourAt(surface, 7, 208), colour::orange);
    EXPECT_EQ(colourAt(surface, 5, 208), colour::orange); // base line
    EXPECT_EQ(colourAt(surface, 5, 205), colour::red);    // inside
    EXPECT_EQ(colourAt(surface, 1, 205), colour::white);
    EXPECT_EQ(colourAt(surface, 9, 205), colour::white);
    EXPECT_EQ(colourAt(surface, 5, 196), colour::white);
}

TEST(DrawingSurface, PolygonFillUsesTheWindingRule)
{
    // A pentagram: the even-odd rule would leave its centre unfilled.
    DrawingSurface surface;
    surface.setPenColour(colour::black);
    surface.setBrushColour(colour::green);
    const std::array<int, 10> star{50, 0, 79, 90, 2, 34, 98, 34, 21, 90};
    surface.drawPolygon(star, 5);
    EXPECT_EQ(colourAt(surface, 50, 50), colour::green);
}

TEST(DrawingSurface, PolygonNeedsTwoPoints)
{
    DrawingSurface surface;
    const std::array<int, 2> point{5, 5};
    surface.drawPolygon(point, 1);
    EXPECT_EQ(colourAt(surface, 5, 5), colour::white);
}

TEST(DrawingSurface, ClearingRestoresTheBackgroundPictureTiledFromTheOrigin)
{
    DrawingSurface surface({40, 40});
    QImage tile(10, 10, QImage::Format_RGB32);
    tile.fill(Qt::green);
    tile.setPixel(0, 0, qRgb(0, 0, 255));
    surface.setBackgroundPicture(tile);
    surface.setPenColour(colour::red);
    for (int y = 0; y < 40; ++y)
        surface.drawLine(0, y, 40, y);
    surface.clearRectangle(15, 15, 10, 10);
    EXPECT_EQ(QColor(surface.pixel(20, 20)), QColor(Qt::blue)); // the tile starts again at 20
    EXPECT_EQ(QColor(surface.pixel(21, 20)), QColor(Qt::green));
    EXPECT_EQ(QColor(surface.pixel(15, 15)), QColor(Qt::green));
    EXPECT_EQ(QColor(surface.pixel(14, 15)), QColor(Qt::red));
    EXPECT_EQ(QColor(surface.pixel(25, 25)), QColor(Qt::red));
}

TEST(DrawingSurface, ClearingWithoutPictureGivesWhite)
{
    DrawingSurface surface({20, 20});
    surface.drawGradientRectangle(0, 0, 20, 20, 8, skinColours);
    surface.clearRectangle(5, 5, 1, 10);
    EXPECT_EQ(colourAt(surface, 5, 5), colour::white);
    EXPECT_EQ(colourAt(surface, 5, 14), colour::white);
    EXPECT_NE(colourAt(surface, 5, 15), colour::white);
    EXPECT_NE(colourAt(surface, 6, 5), colour::white);
}

TEST(DrawingSurface, ImagesLoadFromBitmapBytesAndDrawStretched)
{
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(10, 20, 30));
    picture.setPixel(1, 0, qRgb(40, 50, 60));
    picture.setPixel(0, 1, qRgb(70, 80, 90));
    picture.setPixel(1, 1, qRgb(100, 110, 120));
    DrawingSurface surface;
    const int handle = surface.loadImage(bitmapFile(picture));
    ASSERT_NE(handle, 0);
    surface.drawImage(handle, 10, 10, 2, 2);
    EXPECT_EQ(surface.pixel(11, 11), qRgb(100, 110, 120));
    surface.drawImage(handle, 20, 20, 4, 4);
    EXPECT_EQ(surface.pixel(21, 21), qRgb(10, 20, 30));
    EXPECT_EQ(surface.pixel(22, 21), qRgb(40, 50, 60));
    EXPECT_EQ(surface.pixel(23, 23), qRgb(100, 110, 120));
    EXPECT_EQ(colourAt(surface, 24, 24), colour::white);
    surface.unloadImage(handle);
    EXPECT_EQ(surface.loadedImageCount(), 0);
    surface.drawImage(handle, 40, 40, 2, 2);
    EXPECT_EQ(colourAt(surface, 40, 40), colour::white);
}

TEST(DrawingSurface, KeyColourLeavesTheCanvasUnderIt)
{
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(254, 0, 0));
    DrawingSurface surface;
    surface.setPenColour(colour::green);
    surface.drawLine(0, 5, 20, 5);
    const int handle = surface.loadImage(bitmapFile(picture));
    surface.drawImage(handle, 0, 5, 2, 1, colour::red);
    EXPECT_EQ(colourAt(surface, 0, 5), colour::green);
    EXPECT_EQ(surface.pixel(1, 5), qRgb(254, 0, 0));
    surface.drawImage(handle, 4, 5, 2, 1);
    EXPECT_EQ(colourAt(surface, 4, 5), colour::red);
}

TEST(DrawingSurface, BytesThatAreNoPictureGiveNoHandle)
{
    DrawingSurface surface;
    EXPECT_EQ(surface.loadImage(QByteArray("BM not really a bitmap")), 0);
    EXPECT_EQ(surface.loadImage(QByteArray()), 0);
    EXPECT_EQ(surface.loadedImageCount(), 0);
}

TEST(DrawingSurface, TextIsDrawnWithoutBackground)
{
    DrawingSurface surface({100, 40});
    surface.setPenColour(colour::green);
    for (int y = 0; y < 40; ++y)
        surface.drawLine(0, y, 100, y);
    surface.setFont({QStringLiteral("微软雅黑"), QStringLiteral("WenQuanYi Micro Hei")}, 10);
    surface.writeTextAt(5, 5, QStringLiteral("Quenvox 停止"));
    int black = 0;
    int other = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 100; ++x) {
            const int value = colourAt(surface, x, y);
            black += value == colour::black;
            other += value != colour::black && value != colour::green;
        }
    }
    EXPECT_GT(black, 20);
    EXPECT_EQ(other, 0); // no background box and no antialiased edge
    for (int x = 0; x < 100; ++x)
        EXPECT_EQ(colourAt(surface, x, 4), colour::green) << x; // nothing above the text's top
}

TEST(DrawingSurface, PointsBecomePixelsThroughTheScreenResolution)
{
    DrawingSurface surface;
    surface.setDotsPerInch(96);
    surface.setFont({QStringLiteral("微软雅黑")}, 10);
    EXPECT_EQ(surface.font().pixelSize(), 13);
    surface.setDotsPerInch(120);
    surface.setFont({QStringLiteral("微软雅黑")}, 10);
    EXPECT_EQ(surface.font().pixelSize(), 17);
}

TEST(DrawingSurface, SnapshotIsAnIndependentCopy)
{
    DrawingSurface surface;
    const QImage before = surface.snapshot();
    surface.setPenColour(colour::red);
    surface.drawLine(0, 0, 10, 0);
    EXPECT_EQ(QColor(before.pixel(0, 0)), QColor(Qt::white));
    EXPECT_EQ(colourAt(surface, 0, 0), colour::red);
}

TEST(DrawingSurface, ReportsWhatChanged)
{
    DrawingSurface surface;
    QRegion changed;
    QObject::connect(&surface, &DrawingSurface::changed, [&](const QRect &area) { changed += area; });
    surface.drawLine(100, 100, 100, 120);
    EXPECT_TRUE(changed.contains(QPoint(100, 110)));
    EXPECT_FALSE(changed.contains(QPoint(200, 200)));
}
