// Build-time tool: paints the six skin pictures and writes them, as complete 24-bit bitmap files,
// into a C++ source of constant byte arrays. Usage: quenvox_skin_generator <output.cpp>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Rgb
{
    int red;
    int green;
    int blue;
};

// `fraction` 0 gives `from`, 1 gives `to`.
Rgb mix(Rgb from, Rgb to, double fraction)
{
    const auto channel = [fraction](int a, int b) { return int(std::lround(a + fraction * (b - a))); };
    return {channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue)};
}

class Picture
{
public:
    Picture(int width, int height) : m_width(width), m_height(height), m_pixels(std::size_t(width * height)) {}

    int width() const { return m_width; }
    int height() const { return m_height; }
    Rgb at(int x, int y) const { return m_pixels[std::size_t(y * m_width + x)]; }
    void set(int x, int y, Rgb colour) { m_pixels[std::size_t(y * m_width + x)] = colour; }

private:
    int m_width;
    int m_height;
    std::vector<Rgb> m_pixels;
};

// ---- The transport button, 86 × 30 ----

enum class ButtonLook { Normal, Hover, Pressed };

constexpr int buttonWidth = 86;
constexpr int buttonHeight = 30;
constexpr Rgb cornerColour{237, 28, 36};

// How many pixels (x, y) lies inside the picture's outline: 0 on the outer edge.
int depthInside(const Picture &picture, int x, int y)
{
    return std::min({x, y, picture.width() - 1 - x, picture.height() - 1 - y});
}

// A vertical blend between rows `firstRow` and `lastRow`.
Rgb shadeDown(Rgb top, Rgb bottom, int y, int firstRow, int lastRow)
{
    return mix(top, bottom, std::clamp(double(y - firstRow) / (lastRow - firstRow), 0.0, 1.0));
}

Rgb buttonPixel(ButtonLook look, int depth, int y)
{
    const int lastRow = buttonHeight - 1;
    const Rgb blueEdgeTop{78, 132, 177}, blueEdgeBottom{77, 122, 161};
    const Rgb lightEdgeTop{127, 220, 255}, lightEdgeBottom{108, 207, 243};
    const Rgb glowTop{86, 209, 255}, glowBottom{73, 200, 247};
    const Rgb greyEdgeTop{171, 178, 189}, greyEdgeBottom{180, 187, 196};
    const Rgb nearWhite{248, 250, 251};
    const Rgb paleTop{253, 254, 254}, paleBottom{216, 228, 233};
    const Rgb sunkenTop{215, 227, 232}, sunkenBottom{252, 253, 253};

    switch (look) {
    case ButtonLook::Normal:
        if (depth == 0)
            return shadeDown(blueEdgeTop, blueEdgeBottom, y, 0, lastRow);
        if (depth == 1)
            return shadeDown(lightEdgeTop, lightEdgeBottom, y, 1, lastRow - 1);
        return shadeDown(paleTop, paleBottom, y, 2, lastRow - 2);
    case ButtonLook::Hover:
        if (depth == 0)
            return shadeDown(blueEdgeTop, blueEdgeBottom, y, 0, lastRow);
        if (depth <= 2) // the glow is two pixels deep and keeps one colour along the top and bottom
            return shadeDown(glowTop, glowBottom, y, 2, lastRow - 2);
        return shadeDown(paleTop, paleBottom, y, 2, lastRow - 2);
    case ButtonLook::Pressed:
        if (depth == 0)
            return shadeDown(greyEdgeTop, greyEdgeBottom, y, 0, lastRow);
        if (depth == 1)
            return nearWhite;
        return shadeDown(sunkenTop, sunkenBottom, y, 2, lastRow - 2);
    }
    return nearWhite;
}

Picture transportButton(ButtonLook look)
{
    Picture picture(buttonWidth, buttonHeight);
    for (int y = 0; y < buttonHeight; ++y)
        for (int x = 0; x < buttonWidth; ++x)
            picture.set(x, y, buttonPixel(look, depthInside(picture, x, y), y));
    for (const int x : {0, buttonWidth - 1})
        for (const int y : {0, buttonHeight - 1})
            picture.set(x, y, cornerColour);
    return picture;
}

// ---- The close button, 38 × 18 ----

constexpr int closeWidth = 38;
constexpr int closeHeight = 18;

struct CloseLook
{
    Rgb topRow;
    Rgb secondRow;
    Rgb middleRow; // row 9
    Rgb bottomRow;
    int crossLeft;
    int crossTop;
};

Rgb fieldPixel(const CloseLook &look, int y)
{
    const int middle = 9;
    if (y == 0)
        return look.topRow;
    if (y <= middle)
        return shadeDown(look.secondRow, look.middleRow, y, 1, middle);
    return shadeDown(look.middleRow, look.bottomRow, y, middle, closeHeight - 1);
}

// The × is 9 columns wide and 8 rows high: two diagonals, each about one pixel thick per row.
bool onCross(const CloseLook &look, int x, int y)
{
    const int column = x - look.crossLeft;
    const int row = y - look.crossTop;
    if (column < 0 || column > 8 || row < 0 || row > 7)
        return false;
    const double falling = row * 8.0 / 7.0;
    return std::abs(column - falling) <= 0.6 || std::abs((8 - column) - falling) <= 0.6;
}

Picture closeButton(const CloseLook &look)
{
    const Rgb white{255, 255, 255};
    Picture picture(closeWidth, closeHeight);
    for (int y = 0; y < closeHeight; ++y)
        for (int x = 0; x < closeWidth; ++x)
            picture.set(x, y, onCross(look, x, y) ? white : fieldPixel(look, y));
    return picture;
}

const Rgb skyBlue{156, 227, 247};
const CloseLook closeNormal{{206, 243, 255}, skyBlue, skyBlue, skyBlue, 15, 5};
const CloseLook closeHover{{255, 113, 82}, {231, 89, 57}, {198, 150, 140}, {156, 219, 239}, 15, 5};
const CloseLook closePressed{{216, 74, 43}, {173, 76, 51}, {165, 148, 146}, {156, 219, 239}, 16, 6};

// ---- The bitmap file ----

void appendLittleEndian(std::vector<unsigned char> &bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back((unsigned char)((value >> (8 * i)) & 0xFF));
}

// A Windows bitmap file without colour table: rows bottom first, blue-green-red, each row padded
// with zeros to a multiple of 4 bytes. `trailingZeros` extra bytes follow the pixels and are
// counted in the pixel data size.
std::vector<unsigned char> bitmapFile(const Picture &picture, int pixelsPerMetre, int trailingZeros)
{
    const int rowBytes = (picture.width() * 3 + 3) / 4 * 4;
    const int pixelBytes = rowBytes * picture.height() + trailingZeros;
    const int headerBytes = 14 + 40;
    std::vector<unsigned char> bytes;
    bytes.push_back('B');
    bytes.push_back('M');
    appendLittleEndian(bytes, std::uint32_t(headerBytes + pixelBytes), 4);
    appendLittleEndian(bytes, 0, 4);
    appendLittleEndian(bytes, headerBytes, 4);
    appendLittleEndian(bytes, 40, 4);
    appendLittleEndian(bytes, std::uint32_t(picture.width()), 4);
    appendLittleEndian(bytes, std::uint32_t(picture.height()), 4);
    appendLittleEndian(bytes, 1, 2);
    appendLittleEndian(bytes, 24, 2);
    appendLittleEndian(bytes, 0, 4);
    appendLittleEndian(bytes, std::uint32_t(pixelBytes), 4);
    appendLittleEndian(bytes, std::uint32_t(pixelsPerMetre), 4);
    appendLittleEndian(bytes, std::uint32_t(pixelsPerMetre), 4);
    appendLittleEndian(bytes, 0, 4);
    appendLittleEndian(bytes, 0, 4);
    for (int y = picture.height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb pixel = picture.at(x, y);
            bytes.push_back((unsigned char)pixel.blue);
            bytes.push_back((unsigned char)pixel.green);
            bytes.push_back((unsigned char)pixel.red);
        }
        bytes.resize(bytes.size() + std::size_t(rowBytes - picture.width() * 3), 0);
    }
    bytes.resize(bytes.size() + std::size_t(trailingZeros), 0);
    return bytes;
}

void writeArray(std::ostream &out, const std::string &name, const std::vector<unsigned char> &bytes)
{
    out << "\nnamespace {\nconstexpr unsigned char " << name << "Bytes[" << bytes.size() << "] = {";
    for (std::size_t i = 0; i < bytes.size(); ++i)
        out << (i % 24 == 0 ? "\n    " : " ") << int(bytes[i]) << ',';
    out << "\n};\n} // namespace\n\n";
    out << "const QByteArrayView " << name << "{" << name << "Bytes, sizeof " << name << "Bytes};\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " <output.cpp>\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << "// Generated by quenvox_skin_generator at build time. Do not edit.\n"
           "#include \"assets/skin_images.h\"\n";
    writeArray(out, "buttonNormalImage", bitmapFile(transportButton(ButtonLook::Normal), 2834, 0));
    writeArray(out, "buttonHoverImage", bitmapFile(transportButton(ButtonLook::Hover), 2834, 0));
    writeArray(out, "buttonPressedImage", bitmapFile(transportButton(ButtonLook::Pressed), 3779, 0));
    writeArray(out, "closeNormalImage", bitmapFile(closeButton(closeNormal), 3780, 0));
    writeArray(out, "closeHoverImage", bitmapFile(closeButton(closeHover), 3780, 0));
    writeArray(out, "closePressedImage", bitmapFile(closeButton(closePressed), 2834, 2));
    out.close();
    if (!out) {
        std::cerr << "cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
