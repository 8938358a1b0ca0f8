#include "app/main_window.h"
#include "app/close_box.h"
#include "surface/canvas_widget.h"
#include "surface/drawing_surface.h"
#include "timeline/timeline_ruler.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Pixels that tell the close button's looks apart: the field colour of its top row.
QRgb closeFieldPixel(DrawingSurface &canvas)
{
    return canvas.pixel(275, 1);
}

class WindowChromeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A release on PlayLoad would open the dialog; answer it with a cancel.
        window.dialog().setRunner([](const FileDialogRequest &) { return std::optional<QString>(); });
        window.onMainWindowCreated();
        window.move(100, 200);
        QCoreApplication::processEvents();
        normalClose = closeFieldPixel(window.canvas());
    }

    void send(QEvent::Type type, int x, int y, Qt::MouseButtons held)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const QPointF local(x, y);
        QMouseEvent event(type, local, window.canvasWidget().mapToGlobal(local), button, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&window.canvasWidget(), &event);
    }
    void press(int x, int y) { send(QEvent::MouseButtonPress, x, y, Qt::LeftButton); }
    void drag(int x, int y) { send(QEvent::MouseMove, x, y, Qt::LeftButton); }
    void hover(int x, int y) { send(QEvent::MouseMove, x, y, Qt::NoButton); }
    void release(int x, int y) { send(QEvent::MouseButtonRelease, x, y, Qt::NoButton); }

    QRgb closeLookPixel() { return closeFieldPixel(window.canvas()); }

    TimelineRuler ruler;
    MainWindow window{ruler};
    QRgb normalClose = 0;
};

} // namespace

TEST(CloseBox, BoundsAreInclusiveAndOnePixelWiderThanTheImage)
{
    struct Case { int x, y; bool inside; };
    const Case cases[] = {{308, 18, true}, {270, 0, true}, {289, 9, true},
                          {269, 5, false}, {309, 5, false}, {280, 19, false}};
    for (const auto &c : cases)
        EXPECT_EQ(closeBoxContains(310, c.x, c.y), c.inside) << c.x << "," << c.y;
}

TEST_F(WindowChromeTest, DragMovesTheWindowByThePointersTravel)
{
    press(50, 10);
    drag(53, 8);
    EXPECT_EQ(window.pos(), QPoint(103, 198));
    // The pressed point is under the pointer again, so the next event carries the next travel.
    drag(50 + 10, 10 + 5);
    EXPECT_EQ(window.pos(), QPoint(113, 203));
    release(60, 15);
    hover(70, 20);
    EXPECT_EQ(window.pos(), QPoint(113, 203));
}

TEST_F(WindowChromeTest, PressInTheCloseBoxNeverMovesTheWindow)
{
    hover(290, 10);
    const QRgb hoverLook = closeLookPixel();
    EXPECT_NE(hoverLook, normalClose);
    press(290, 10);
    const QRgb pressedLook = closeLookPixel();
    EXPECT_NE(pressedLook, hoverLook);
    EXPECT_NE(pressedLook, normalClose);

    drag(200, 60); // out of the box: the first move ends the drag
    EXPECT_EQ(window.pos(), QPoint(100, 200));
    EXPECT_EQ(closeLookPixel(), normalClose);
    EXPECT_FALSE(window.chrome().isDragging());

    drag(290, 10); // and back in, still held: hover look, not pressed
    EXPECT_EQ(window.pos(), QPoint(100, 200));
    EXPECT_EQ(closeLookPixel(), hoverLook);

    QSignalSpy closing(&window, &QObject::destroyed);
    release(290, 10);
    EXPECT_EQ(closeLookPixel(), hoverLook);
    EXPECT_TRUE(window.isVisible()); // the close takes effect once the handler has returned
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 5000);
}

TEST_F(WindowChromeTest, PressInTheCloseBoxThenReleaseOutsideKeepsTheWindowOpen)
{
    hover(290, 10);
    press(290, 10);
    drag(150, 60);
    EXPECT_EQ(closeLookPixel(), normalClose);
    release(150, 60);
    EXPECT_EQ(closeLookPixel(), normalClose);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.pos(), QPoint(100, 200));
}

TEST_F(WindowChromeTest, ReleaseDecidesByTheLastMoveNotByItsOwnPosition)
{
    hover(150, 60);
    release(290, 10); // over the box, but no move said so
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(closeLookPixel(), normalClose);
}

TEST_F(WindowChromeTest, EveryMoveOverTheCloseBoxRedrawsTheHoverLook)
{
    hover(290, 10);
    const QRgb hoverLook = closeLookPixel();
    window.canvas().clearRectangle(270, 1, 38, 18);
    hover(291, 11);
    EXPECT_EQ(closeLookPixel(), hoverLook);
}

TEST_F(WindowChromeTest, PressOnATransportButtonThenDragMovesTheWindow)
{
    // Pause: pressing it and moving drags the window; the release still acts on the button.
    press(150, 115);
    drag(155, 118);
    EXPECT_EQ(window.pos(), QPoint(105, 203));
    window.clock().start(1000);
    release(150, 115);
    EXPECT_FALSE(window.clock().isActive()); // Pause stops the clock
}

TEST_F(WindowChromeTest, WhatEverOrderThePointerEventsComeInNothingBreaks)
{
    const QPoint points[] = {{0, 0}, {309, 353}, {290, 10}, {150, 115}, {50, 177}, {-5, -5}, {400, 400}};
    for (const QPoint &a : points) {
        for (const QPoint &b : points) {
            release(a.x(), a.y());
            hover(b.x(), b.y());
            press(b.x(), b.y());
            press(a.x(), a.y());
            release(b.x(), b.y());
            drag(a.x(), a.y());
        }
    }
    hover(150, 60);
    release(150, 60);
    EXPECT_FALSE(window.chrome().isDragging());
    EXPECT_FALSE(window.chrome().isOverClose());
    EXPECT_EQ(closeLookPixel(), normalClose);
}
