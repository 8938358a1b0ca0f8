#include "playback/transport_buttons.h"

#include "assets/skin_images.h"
#include "surface/drawing_surface.h"

#include <QImage>

#include <gtest/gtest.h>

#include <optional>

namespace {

QImage decoded(QByteArrayView file)
{
    return QImage::fromData(file, "BMP").convertToFormat(QImage::Format_RGB32);
}

QRgb opaque(QRgb pixel)
{
    return pixel | 0xFF000000;
}

TEST(TransportButtonAt, MatchesInclusiveBoxes)
{
    const struct
    {
        int x;
        int y;
        int button;
    } cases[] = {
        {16, 100, 1},  {102, 130, 1}, {59, 115, 1},  {103, 115, 0}, {16, 99, 0},   {16, 131, 0},
        {15, 115, 0},  {111, 115, 0}, {112, 100, 2}, {198, 130, 2}, {199, 115, 0}, {207, 115, 0},
        {208, 115, 3}, {294, 115, 3}, {294, 130, 3}, {295, 115, 0}, {-16, -100, 0}, {150, 177, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(transportButtonAt(c.x, c.y), c.button) << c.x << ", " << c.y;
}

TEST(TransportButtonLeft, StandsEveryNinetySixPixelsFromSixteen)
{
    EXPECT_EQ(transportButtonLeft(1), 16);
    EXPECT_EQ(transportButtonLeft(2), 112);
    EXPECT_EQ(transportButtonLeft(3), 208);
}

// Tells the looks apart by pixels left of the label, where the three images differ.
class ButtonCanvas : public ::testing::Test
{
protected:
    ButtonCanvas() : m_buttons(m_surface)
    {
        m_surface.setFont({QStringLiteral("微软雅黑"), QStringLiteral("WenQuanYi Micro Hei")}, 10);
    }

    static constexpr QPoint probes[] = {{1, 0}, {5, 1}, {5, 2}};

    std::optional<ButtonLook> lookOf(int button) const
    {
        const int left = transportButtonLeft(button);
        const struct
        {
            ButtonLook look;
            QImage picture;
        } looks[] = {
            {ButtonLook::Normal, decoded(buttonNormalImage)},
            {ButtonLook::Hover, decoded(buttonHoverImage)},
            {ButtonLook::Pressed, decoded(buttonPressedImage)},
        };
        for (const auto &candidate : looks) {
            bool matches = true;
            for (const QPoint probe : probes)
                matches = matches
                    && opaque(m_surface.pixel(left + probe.x(), 100 + probe.y()))
                        == opaque(candidate.picture.pixel(probe));
            if (matches)
                return candidate.look;
        }
        return std::nullopt;
    }

    void expectLooks(std::optional<ButtonLook> first, std::optional<ButtonLook> second,
                     std::optional<ButtonLook> third) const
    {
        EXPECT_EQ(lookOf(1), first) << "PlayLoad";
        EXPECT_EQ(lookOf(2), second) << "Pause";
        EXPECT_EQ(lookOf(3), third) << "Stop";
    }

    DrawingSurface m_surface;
    TransportButtons m_buttons;
};

TEST_F(ButtonCanvas, ProbesTellTheThreeLooksApart)
{
    const QImage normal = decoded(buttonNormalImage);
    const QImage hover = decoded(buttonHoverImage);
    const QImage pressed = decoded(buttonPressedImage);
    int differing = 0;
    for (const QPoint probe : probes)
        differing += normal.pixel(probe) != hover.pixel(probe) && hover.pixel(probe) != pressed.pixel(probe)
            && normal.pixel(probe) != pressed.pixel(probe);
    EXPECT_GE(differing, 1);
    expectLooks(std::nullopt, std::nullopt, std::nullopt);
}

TEST_F(ButtonCanvas, DrawsTheImageAndWritesTheLabelOverIt)
{
    const QImage pressed = decoded(buttonPressedImage);
    for (int button = 1; button <= transportButtonCount; ++button) {
        drawTransportButton(m_surface, button, ButtonLook::Pressed);
        const int left = transportButtonLeft(button);
        int labelPixels = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 86; ++x) {
                const bool underLabel = x >= 28 && y >= 5;
                const bool same = opaque(m_surface.pixel(left + x, 100 + y)) == opaque(pressed.pixel(x, y));
                if (!underLabel) {
                    ASSERT_TRUE(same) << "button " << button << " at " << x << ", " << y;
                }
                labelPixels += !same;
            }
        }
        EXPECT_GT(labelPixels, 0) << "button " << button << " has no label";
        EXPECT_EQ(opaque(m_surface.pixel(left - 1, 100)), qRgb(255, 255, 255));
    }
    EXPECT_EQ(m_surface.loadedImageCount(), 0);
}

TEST_F(ButtonCanvas, HoverLightsTheButtonEnteredFromOutside)
{
    m_buttons.drawAllNormal();
    expectLooks(ButtonLook::Normal, ButtonLook::Normal, ButtonLook::Normal);

    m_buttons.hoverStep(50, 115);
    EXPECT_TRUE(m_buttons.isOverButton());
    expectLooks(ButtonLook::Hover, ButtonLook::Normal, ButtonLook::Normal);

    // Straight onto Pause: the flag is already set, so nothing changes.
    const QImage before = m_surface.snapshot();
    m_buttons.hoverStep(150, 115);
    EXPECT_EQ(m_surface.image(), before);
    expectLooks(ButtonLook::Hover, ButtonLook::Normal, ButtonLook::Normal);

    m_buttons.hoverStep(150, 60);
    EXPECT_FALSE(m_buttons.isOverButton());
    expectLooks(ButtonLook::Normal, ButtonLook::Normal, ButtonLook::Normal);

    m_buttons.hoverStep(250, 130);
    expectLooks(ButtonLook::Normal, ButtonLook::Normal, ButtonLook::Hover);
}

TEST_F(ButtonCanvas, MovesOutsideWithoutAHoveredButtonDrawNothing)
{
    m_buttons.drawAllNormal();
    const QImage before = m_surface.snapshot();
    for (const QPoint point : {QPoint(5, 5), QPoint(105, 115), QPoint(200, 131)})
        m_buttons.hoverStep(point.x(), point.y());
    EXPECT_EQ(m_surface.image(), before);
    EXPECT_FALSE(m_buttons.isOverButton());
}

TEST_F(ButtonCanvas, PressShowsThePressedLookAndReleaseTheHoverLook)
{
    m_buttons.drawAllNormal();
    m_buttons.hoverStep(150, 115);
    m_buttons.pressedLookStep(150, 115);
    expectLooks(ButtonLook::Normal, ButtonLook::Pressed, ButtonLook::Normal);
    EXPECT_TRUE(m_buttons.isOverButton());

    EXPECT_EQ(m_buttons.releaseStep(150, 115), 2);
    expectLooks(ButtonLook::Normal, ButtonLook::Hover, ButtonLook::Normal);
    EXPECT_TRUE(m_buttons.isOverButton());
}

TEST_F(ButtonCanvas, PressAndReleaseLeaveTheFlagAlone)
{
    m_buttons.drawAllNormal();
    m_buttons.pressedLookStep(20, 120);
    EXPECT_FALSE(m_buttons.isOverButton());
    expectLooks(ButtonLook::Pressed, ButtonLook::Normal, ButtonLook::Normal);
    EXPECT_EQ(m_buttons.releaseStep(220, 120), 3);
    EXPECT_FALSE(m_buttons.isOverButton());
    expectLooks(ButtonLook::Pressed, ButtonLook::Normal, ButtonLook::Hover);
}

TEST_F(ButtonCanvas, PressAndReleaseOffTheButtonsDrawNothing)
{
    m_buttons.drawAllNormal();
    const QImage before = m_surface.snapshot();
    m_buttons.pressedLookStep(105, 115);
    EXPECT_EQ(m_buttons.releaseStep(16, 131), 0);
    EXPECT_EQ(m_surface.image(), before);
}

} // namespace
