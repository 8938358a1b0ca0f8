#include "assets/skin_images.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

std::uint32_t readLittleEndian(QByteArrayView bytes, int offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | std::uint8_t(bytes[offset + i]);
    return value;
}

QImage decoded(QByteArrayView file)
{
    return QImage::fromData(file, "BMP").convertToFormat(QImage::Format_RGB32);
}

QRgb rgb(int red, int green, int blue)
{
    return qRgb(red, green, blue);
}

QString describe(QRgb colour)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(colour)).arg(qGreen(colour)).arg(qBlue(colour));
}

struct ImageFacts
{
    const char *name;
    const QByteArrayView *file;
    int width;
    int height;
    int fileBytes;
    int pixelDataBytes;
    int pixelsPerMetre;
};

const ImageFacts allImages[] = {
    {"buttonNormalImage", &buttonNormalImage, 86, 30, 7854, 7800, 2834},
    {"buttonHoverImage", &buttonHoverImage, 86, 30, 7854, 7800, 2834},
    {"buttonPressedImage", &buttonPressedImage, 86, 30, 7854, 7800, 3779},
    {"closeNormalImage", &closeNormalImage, 38, 18, 2142, 2088, 3780},
    {"closeHoverImage", &closeHoverImage, 38, 18, 2142, 2088, 3780},
    {"closePressedImage", &closePressedImage, 38, 18, 2144, 2090, 2834},
};

class EverySkinImage : public ::testing::TestWithParam<ImageFacts>
{
};

TEST_P(EverySkinImage, HasTheBitmapHeaderOfItsRole)
{
    const ImageFacts &facts = GetParam();
    const QByteArrayView file = *facts.file;
    ASSERT_EQ(file.size(), facts.fileBytes);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    const struct
    {
        int offset;
        int size;
        std::uint32_t expected;
    } fields[] = {
        {2, 4, std::uint32_t(facts.fileBytes)}, {6, 4, 0}, {10, 4, 54}, {14, 4, 40},
        {18, 4, std::uint32_t(facts.width)}, {22, 4, std::uint32_t(facts.height)}, {26, 2, 1},
        {28, 2, 24}, {30, 4, 0}, {34, 4, std::uint32_t(facts.pixelDataBytes)},
        {38, 4, std::uint32_t(facts.pixelsPerMetre)}, {42, 4, std::uint32_t(facts.pixelsPerMetre)},
        {46, 4, 0}, {50, 4, 0},
    };
    for (const auto &field : fields)
        EXPECT_EQ(readLittleEndian(file, field.offset, field.size), field.expected)
            << "field at offset " << field.offset;
}

TEST_P(EverySkinImage, PadsEveryRowAndTheTailWithZeros)
{
    const ImageFacts &facts = GetParam();
    const QByteArrayView file = *facts.file;
    const int rowBytes = (facts.width * 3 + 3) / 4 * 4;
    ASSERT_EQ(rowBytes - facts.width * 3, 2);
    for (int row = 0; row < facts.height; ++row)
        for (int offset = facts.width * 3; offset < rowBytes; ++offset)
            EXPECT_EQ(file[54 + row * rowBytes + offset], 0) << "row " << row;
    for (qsizetype tail = 54 + qsizetype(rowBytes) * facts.height; tail < file.size(); ++tail)
        EXPECT_EQ(file[tail], 0) << "byte " << tail;
}

TEST_P(EverySkinImage, DecodesFromItsBytesBottomRowFirst)
{
    const ImageFacts &facts = GetParam();
    const QByteArrayView file = *facts.file;
    const QImage picture = decoded(file);
    ASSERT_EQ(picture.size(), QSize(facts.width, facts.height));
    const int rowBytes = (facts.width * 3 + 3) / 4 * 4;
    for (int y = 0; y < facts.height; ++y) {
        const int stored = 54 + (facts.height - 1 - y) * rowBytes;
        for (int x = 0; x < facts.width; ++x) {
            const int at = stored + 3 * x;
            const QRgb expected = rgb(std::uint8_t(file[at + 2]), std::uint8_t(file[at + 1]),
                                      std::uint8_t(file[at]));
            ASSERT_EQ(picture.pixel(x, y), expected) << "pixel " << x << ", " << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SkinImages, EverySkinImage, ::testing::ValuesIn(allImages),
                         [](const auto &instance) { return std::string(instance.param.name); });

struct ColourSample
{
    const char *where;
    const QByteArrayView *file;
    int x;
    int y;
    QRgb expected;
};

// The colours the looks are described by, at the pixels that carry them.
const ColourSample describedColours[] = {
    {"normal outer edge, top", &buttonNormalImage, 1, 0, rgb(78, 132, 177)},
    {"normal outer edge, bottom", &buttonNormalImage, 84, 29, rgb(77, 122, 161)},
    {"normal inner edge, top", &buttonNormalImage, 43, 1, rgb(127, 220, 255)},
    {"normal inner edge, bottom", &buttonNormalImage, 43, 28, rgb(108, 207, 243)},
    {"normal shade, under the top edge", &buttonNormalImage, 43, 2, rgb(253, 254, 254)},
    {"normal shade, above the bottom edge", &buttonNormalImage, 43, 27, rgb(216, 228, 233)},
    {"hover outer edge, top", &buttonHoverImage, 1, 0, rgb(78, 132, 177)},
    {"hover outer edge, bottom", &buttonHoverImage, 84, 29, rgb(77, 122, 161)},
    {"hover glow, first top row", &buttonHoverImage, 43, 1, rgb(86, 209, 255)},
    {"hover glow, second top row", &buttonHoverImage, 43, 2, rgb(86, 209, 255)},
    {"hover glow, bottom rows", &buttonHoverImage, 43, 28, rgb(73, 200, 247)},
    {"hover glow, second bottom row", &buttonHoverImage, 43, 27, rgb(73, 200, 247)},
    {"pressed outer edge, top", &buttonPressedImage, 1, 0, rgb(171, 178, 189)},
    {"pressed outer edge, bottom", &buttonPressedImage, 84, 29, rgb(180, 187, 196)},
    {"pressed shade, under the top edge", &buttonPressedImage, 43, 2, rgb(215, 227, 232)},
    {"pressed shade, at the bottom", &buttonPressedImage, 43, 27, rgb(252, 253, 253)},
    {"close normal, top row", &closeNormalImage, 2, 0, rgb(206, 243, 255)},
    {"close normal, below", &closeNormalImage, 2, 1, rgb(156, 227, 247)},
    {"close normal, bottom", &closeNormalImage, 36, 17, rgb(156, 227, 247)},
    {"close hover, top row", &closeHoverImage, 2, 0, rgb(255, 113, 82)},
    {"close hover, second row", &closeHoverImage, 2, 1, rgb(231, 89, 57)},
    {"close hover, row 9", &closeHoverImage, 2, 9, rgb(198, 150, 140)},
    {"close hover, bottom row", &closeHoverImage, 2, 17, rgb(156, 219, 239)},
    {"close pressed, top row", &closePressedImage, 2, 0, rgb(216, 74, 43)},
    {"close pressed, second row", &closePressedImage, 2, 1, rgb(173, 76, 51)},
    {"close pressed, bottom row", &closePressedImage, 2, 17, rgb(156, 219, 239)},
};

TEST(SkinImageLooks, ShowTheDescribedColours)
{
    for (const ColourSample &sample : describedColours)
        EXPECT_EQ(describe(decoded(*sample.file).pixel(sample.x, sample.y)), describe(sample.expected))
            << sample.where;
}

TEST(SkinImageLooks, ButtonsHaveMarkedCornersAndNoKeyColour)
{
    for (const QByteArrayView *file : {&buttonNormalImage, &buttonHoverImage, &buttonPressedImage}) {
        const QImage picture = decoded(*file);
        for (const QPoint corner : {QPoint(0, 0), QPoint(85, 0), QPoint(0, 29), QPoint(85, 29)})
            EXPECT_EQ(describe(picture.pixel(corner)), describe(rgb(237, 28, 36))) << corner.x() << ", " << corner.y();
        int keyPixels = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                keyPixels += picture.pixel(x, y) == rgb(255, 0, 0);
        EXPECT_EQ(keyPixels, 0);
    }
}

TEST(SkinImageLooks, HoverKeepsTheNormalShadeInsideItsGlow)
{
    const QImage normal = decoded(buttonNormalImage);
    const QImage hover = decoded(buttonHoverImage);
    for (int y = 3; y <= 26; ++y)
        for (int x = 3; x <= 82; ++x)
            ASSERT_EQ(hover.pixel(x, y), normal.pixel(x, y)) << x << ", " << y;
}

QRect whitePixelBounds(const QImage &picture)
{
    QRect bounds;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) == rgb(255, 255, 255))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST(SkinImageLooks, CloseCrossSitsInItsBoxAndMovesDownRightWhenPressed)
{
    const struct
    {
        const QByteArrayView *file;
        QRect cross;
    } looks[] = {
        {&closeNormalImage, QRect(QPoint(15, 5), QPoint(23, 12))},
        {&closeHoverImage, QRect(QPoint(15, 5), QPoint(23, 12))},
        {&closePressedImage, QRect(QPoint(16, 6), QPoint(24, 13))},
    };
    for (const auto &look : looks) {
        const QImage picture = decoded(*look.file);
        EXPECT_EQ(whitePixelBounds(picture), look.cross);
        // Both strokes of the × run through every row of the box.
        for (int y = look.cross.top(); y <= look.cross.bottom(); ++y) {
            int whiteInRow = 0;
            for (int x = look.cross.left(); x <= look.cross.right(); ++x)
                whiteInRow += picture.pixel(x, y) == rgb(255, 255, 255);
            EXPECT_GE(whiteInRow, 1) << "row " << y;
        }
    }
}

} // namespace
