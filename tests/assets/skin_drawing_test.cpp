#include "assets/skin_drawing.h"
#include "assets/skin_images.h"
#include "surface/colour.h"
#include "surface/drawing_surface.h"

#include <QBuffer>
#include <QImage>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

QImage decoded(QByteArrayView file)
{
    return QImage::fromData(file, "BMP").convertToFormat(QImage::Format_RGB32);
}

// The first pixel of `area` on the surface that differs from `expected`, as text; empty if none.
std::string firstDifference(const DrawingSurface &surface, QPoint topLeft, const QImage &expected)
{
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (qRgb(qRed(surface.pixel(topLeft.x() + x, topLeft.y() + y)),
                     qGreen(surface.pixel(topLeft.x() + x, topLeft.y() + y)),
                     qBlue(surface.pixel(topLeft.x() + x, topLeft.y() + y)))
                != (expected.pixel(x, y) | 0xFF000000))
                return "differs at " + std::to_string(x) + ", " + std::to_string(y);
    return {};
}

// Fills the whole canvas with one colour through the background picture.
void fillCanvas(DrawingSurface &surface, QColor colour)
{
    QImage background(surface.width(), surface.height(), QImage::Format_RGB32);
    background.fill(colour);
    surface.setBackgroundPicture(background);
    surface.clearRectangle(0, 0, surface.width(), surface.height());
}

// Counts the pictures the surface holds every time pending events run.
class LoadedImageProbe
{
public:
    explicit LoadedImageProbe(const DrawingSurface &surface)
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this, &surface] {
            m_counts.push_back(surface.loadedImageCount());
        });
        m_timer.start();
    }
    int highest() const { return m_counts.empty() ? -1 : *std::max_element(m_counts.begin(), m_counts.end()); }
    bool sawAny() const { return !m_counts.empty(); }

private:
    QTimer m_timer;
    std::vector<int> m_counts;
};

struct NaturalSizeCase
{
    const char *name;
    QByteArrayView file;
    int closeLook; // 0: a transport button drawn by drawSkinImage
};

class NaturalSize : public ::testing::TestWithParam<NaturalSizeCase>
{
};

TEST_P(NaturalSize, DrawsAnExactCopy)
{
    const NaturalSizeCase &drawn = GetParam();
    const QImage picture = decoded(drawn.file);
    DrawingSurface surface;
    const QPoint at(20, 40);
    if (drawn.closeLook == 0)
        drawSkinImage(surface, at.x(), at.y(), picture.width(), picture.height(), drawn.file);
    else
        drawCloseButton(surface, at.x(), at.y(), picture.width(), picture.height(), drawn.closeLook);
    EXPECT_EQ(firstDifference(surface, at, picture), "");
    EXPECT_EQ(surface.pixel(at.x() - 1, at.y()), qRgb(255, 255, 255)) << "drawn beyond its left edge";
    EXPECT_EQ(surface.pixel(at.x() + picture.width(), at.y()), qRgb(255, 255, 255))
        << "drawn beyond its right edge";
    EXPECT_EQ(surface.loadedImageCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(SkinDrawing, NaturalSize,
                         ::testing::Values(NaturalSizeCase{"buttonNormal", buttonNormalImage, 0},
                                           NaturalSizeCase{"buttonHover", buttonHoverImage, 0},
                                           NaturalSizeCase{"buttonPressed", buttonPressedImage, 0},
                                           NaturalSizeCase{"closeNormal", closeNormalImage, 1},
                                           NaturalSizeCase{"closeHover", closeHoverImage, 2},
                                           NaturalSizeCase{"closePressed", closePressedImage, 3}),
                         [](const auto &instance) { return std::string(instance.param.name); });

TEST(SkinDrawing, AnotherSizeStretchesThePicture)
{
    const QImage picture = decoded(buttonPressedImage);
    DrawingSurface surface;
    const QPoint at(10, 10);
    drawSkinImage(surface, at.x(), at.y(), 2 * picture.width(), 2 * picture.height(), buttonPressedImage);
    EXPECT_EQ(firstDifference(surface, at,
                              picture.scaled(picture.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)),
              "");
    // Doubled, each picture pixel covers two by two canvas pixels; the corners stay marked.
    for (const QPoint corner : {QPoint(0, 0), QPoint(171, 0), QPoint(0, 59), QPoint(171, 59), QPoint(1, 1)})
        EXPECT_EQ(surface.pixel((at + corner).x(), (at + corner).y()), qRgb(237, 28, 36)) << corner.x() << ", " << corner.y();
    EXPECT_EQ(surface.pixel(at.x() + 2, at.y()), picture.pixel(1, 0));
}

TEST(SkinDrawing, CloseButtonStretchesToTheGivenBox)
{
    DrawingSurface surface;
    drawCloseButton(surface, 0, 0, 19, 9, closeLook::hover);
    const QImage expected = decoded(closeHoverImage).scaled(19, 9, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_EQ(firstDifference(surface, {0, 0}, expected), "");
    EXPECT_EQ(surface.pixel(19, 0), qRgb(255, 255, 255));
}

// A 3 × 2 picture of our own: exact red is the key colour, a red one step off is not.
QByteArray keyTestBitmap()
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(254, 0, 0));
    picture.setPixel(2, 0, qRgb(10, 20, 30));
    picture.setPixel(0, 1, qRgb(255, 0, 1));
    picture.setPixel(1, 1, qRgb(255, 0, 0));
    picture.setPixel(2, 1, qRgb(255, 1, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return bytes;
}

TEST(SkinDrawing, KeyColourLeavesTheCanvasVisible)
{
    const QByteArray bitmap = keyTestBitmap();
    ASSERT_EQ(bitmap.left(2), "BM");
    DrawingSurface surface;
    const QRgb canvas = qRgb(0, 200, 0);
    fillCanvas(surface, canvas);
    drawSkinImage(surface, 5, 6, 3, 2, bitmap);
    const struct
    {
        int x;
        int y;
        QRgb expected;
    } pixels[] = {
        {5, 6, canvas}, {6, 6, qRgb(254, 0, 0)}, {7, 6, qRgb(10, 20, 30)},
        {5, 7, qRgb(255, 0, 1)}, {6, 7, canvas}, {7, 7, qRgb(255, 1, 0)},
    };
    for (const auto &pixel : pixels)
        EXPECT_EQ(surface.pixel(pixel.x, pixel.y), pixel.expected) << pixel.x << ", " << pixel.y;
}

TEST(SkinDrawing, TransportButtonOverRedKeepsItsCornerPixels)
{
    DrawingSurface surface;
    fillCanvas(surface, QColor(255, 0, 0));
    drawSkinImage(surface, 16, 100, 86, 30, buttonNormalImage);
    for (const QPoint corner : {QPoint(16, 100), QPoint(101, 100), QPoint(16, 129), QPoint(101, 129)})
        EXPECT_EQ(surface.pixel(corner.x(), corner.y()), qRgb(237, 28, 36)) << corner.x() << ", " << corner.y();
    EXPECT_EQ(surface.pixel(15, 100), qRgb(255, 0, 0));
}

TEST(SkinDrawing, CloseButtonWithAnUnknownLookDrawsNothingYetLoadsAndUnloadsAll)
{
    for (const int look : {0, 4, -1}) {
        DrawingSurface surface;
        const QImage before = surface.snapshot();
        LoadedImageProbe probe(surface);
        drawCloseButton(surface, 0, 0, 38, 18, look);
        EXPECT_EQ(surface.image(), before) << "look " << look;
        EXPECT_EQ(probe.highest(), 3) << "look " << look;
        EXPECT_EQ(surface.loadedImageCount(), 0) << "look " << look;
    }
}

TEST(SkinDrawing, SkinImageHoldsOnlyItsPictureWhileEventsRun)
{
    DrawingSurface surface;
    LoadedImageProbe probe(surface);
    drawSkinImage(surface, 0, 0, 86, 30, buttonHoverImage);
    ASSERT_TRUE(probe.sawAny());
    EXPECT_EQ(probe.highest(), 1);
    EXPECT_EQ(surface.loadedImageCount(), 0);
}

TEST(SkinDrawing, TheThreeCloseLooksDifferAtTheCrossAndTheField)
{
    std::vector<QRgb> field;
    std::vector<QRgb> crossCorner;
    std::vector<QRgb> pressedCrossCorner;
    std::vector<QRgb> fieldBesideCross;
    for (const int look : {closeLook::normal, closeLook::hover, closeLook::pressed}) {
        DrawingSurface surface;
        drawCloseButton(surface, 272, 1, 38, 18, look);
        field.push_back(surface.pixel(272 + 3, 1 + 3));
        crossCorner.push_back(surface.pixel(272 + 15, 1 + 5));
        pressedCrossCorner.push_back(surface.pixel(272 + 24, 1 + 13));
        fieldBesideCross.push_back(surface.pixel(272 + 2, 1 + 5));
    }
    const QRgb white = qRgb(255, 255, 255);
    EXPECT_NE(field[0], field[1]);
    EXPECT_NE(field[1], field[2]);
    EXPECT_NE(field[0], field[2]);
    EXPECT_EQ(crossCorner, (std::vector<QRgb>{white, white, fieldBesideCross[2]}));
    EXPECT_EQ(pressedCrossCorner[2], white);
    EXPECT_NE(pressedCrossCorner[0], white);
    EXPECT_NE(pressedCrossCorner[1], white);
}

TEST(SkinDrawing, NestedCallsFromPendingEventsKeepTheirOwnPictures)
{
    DrawingSurface surface;
    int nestedCalls = 0;
    QTimer::singleShot(0, [&] {
        ++nestedCalls;
        drawCloseButton(surface, 0, 0, 38, 18, closeLook::hover);
        drawSkinImage(surface, 0, 200, 86, 30, buttonPressedImage);
    });
    drawCloseButton(surface, 100, 0, 38, 18, closeLook::pressed);
    drawSkinImage(surface, 100, 200, 86, 30, buttonNormalImage);
    ASSERT_EQ(nestedCalls, 1);
    EXPECT_EQ(firstDifference(surface, {0, 0}, decoded(closeHoverImage)), "");
    EXPECT_EQ(firstDifference(surface, {100, 0}, decoded(closePressedImage)), "");
    EXPECT_EQ(firstDifference(surface, {0, 200}, decoded(buttonPressedImage)), "");
    EXPECT_EQ(firstDifference(surface, {100, 200}, decoded(buttonNormalImage)), "");
    EXPECT_EQ(surface.loadedImageCount(), 0);
}

TEST(SkinDrawing, BytesThatAreNoPictureDrawNothing)
{
    DrawingSurface surface;
    const QImage before = surface.snapshot();
    const QByteArray truncated = QByteArray(buttonNormalImage.data(), 40);
    for (const QByteArrayView bytes : {QByteArrayView(), QByteArrayView("not a bitmap"), QByteArrayView(truncated)}) {
        drawSkinImage(surface, 0, 0, 86, 30, bytes);
        EXPECT_EQ(surface.image(), before);
        EXPECT_EQ(surface.loadedImageCount(), 0);
    }
}

} // namespace
