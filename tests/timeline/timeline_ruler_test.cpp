#include "timeline/timeline_ruler.h"

#include "surface/colour.h"
#include "surface/drawing_surface.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// On the 310 × 354 canvas the ruler's middle is row 177.
constexpr int midRow = 177;

const QRgb blue = qRgb(0, 0, 255);
const QRgb red = qRgb(255, 0, 0);
const QRgb green = qRgb(0, 255, 0);
const QRgb black = qRgb(0, 0, 0);

int stepX(int step)
{
    return 3 * step + 5;
}

QRgb opaque(QRgb pixel)
{
    return pixel | 0xFF000000;
}

// A canvas whose background picture is a gradient, so that clearing shows something that is
// neither white nor any colour of the ruler.
class RulerCanvas : public ::testing::Test
{
protected:
    RulerCanvas()
    {
        const int colours[] = {colour::fromRgb(51, 139, 185), colour::fromRgb(82, 175, 216),
                               colour::fromRgb(165, 227, 247)};
        m_surface.drawGradientRectangle(0, 0, m_surface.width(), m_surface.height(), 8, colours);
        m_background = m_surface.snapshot();
        m_surface.setBackgroundPicture(m_background);
    }

    QRgb background(int x, int y) const { return opaque(m_background.pixel(x, y)); }
    QRgb at(int x, int y) const { return opaque(m_surface.pixel(x, y)); }

    // The rows of column x, within the ruler's reach, that have `colour`.
    std::vector<int> rowsOfColour(int x, QRgb colourValue) const
    {
        std::vector<int> rows;
        for (int y = midRow - 30; y <= midRow + 30; ++y)
            if (at(x, y) == colourValue)
                rows.push_back(y);
        return rows;
    }

    // Column x shows `colourValue` on rows first..last and the background above and below.
    void expectMark(int x, QRgb colourValue, int first, int last) const
    {
        std::vector<int> expected;
        for (int y = first; y <= last; ++y)
            expected.push_back(y);
        EXPECT_EQ(rowsOfColour(x, colourValue), expected) << "column " << x;
        EXPECT_EQ(at(x, first - 1), background(x, first - 1)) << "column " << x << " above the mark";
        EXPECT_EQ(at(x, last + 1), background(x, last + 1)) << "column " << x << " below the mark";
    }

    // Column x shows `colourValue` from first to last and the background elsewhere in the reach.
    void expectOnlyMark(int x, QRgb colourValue, int first, int last) const
    {
        for (int y = midRow - 30; y <= midRow + 30; ++y) {
            const QRgb expected = y >= first && y <= last ? colourValue : background(x, y);
            ASSERT_EQ(at(x, y), expected) << "column " << x << ", row " << y;
        }
    }

    std::set<int> changedColumns(const QImage &before) const
    {
        std::set<int> columns;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                if (opaque(before.pixel(x, y)) != at(x, y))
                    columns.insert(x);
        return columns;
    }

    DrawingSurface m_surface;
    QImage m_background;
    TimelineRuler m_ruler;
};

TEST_F(RulerCanvas, DrawRulerPutsEveryMarkAtItsStep)
{
    m_ruler.drawRuler(m_surface);
    for (int step = 0; step <= 100; ++step) {
        // The lower end point of every mark is left unpainted.
        if (step == 0 || step == 100)
            expectMark(stepX(step), blue, midRow - 20, midRow + 19);
        else if (step % 5 == 0)
            expectMark(stepX(step), red, midRow - 10, midRow + 9);
        else
            expectMark(stepX(step), black, midRow - 5, midRow + 4);
    }
    EXPECT_EQ(m_surface.penColour(), colour::blue);
    EXPECT_EQ(m_surface.penWidth(), 0);
}

TEST_F(RulerCanvas, DrawRulerLaysATwoPixelBaseLineAcrossTheCanvas)
{
    m_ruler.drawRuler(m_surface);
    for (const int x : {0, 6, 7, 154, 306, 309}) {
        const std::vector<int> rows = rowsOfColour(x, blue);
        ASSERT_EQ(rows.size(), 2u) << "column " << x;
        EXPECT_TRUE(rows == (std::vector<int>{midRow - 1, midRow}) || rows == (std::vector<int>{midRow, midRow + 1}))
            << "column " << x;
    }
}

TEST_F(RulerCanvas, FreshRulerCopiesNoPositions)
{
    std::vector<int> destination;
    m_ruler.copyPositions(destination);
    EXPECT_TRUE(destination.empty());
    EXPECT_EQ(m_ruler.cursorPercent(), 0);
}

// The list after each call of an ordinary run: open, PlayLoad, two ticks, Stop.
TEST_F(RulerCanvas, TypicalRunKeepsThePositionList)
{
    m_ruler.drawRuler(m_surface);
    const struct
    {
        int step;
        int colourValue;
        std::vector<int> list;
    } run[] = {
        {0, colour::blue, {0}}, {0, colour::green, {0}}, {4, colour::green, {0, 4}},
        {9, colour::green, {9}}, {0, colour::green, {0}},
    };
    for (const auto &call : run) {
        m_ruler.moveCursor(m_surface, call.step, call.colourValue);
        EXPECT_EQ(m_ruler.cursorPercent(), call.step);
        EXPECT_EQ(m_ruler.positionList(), call.list) << "after step " << call.step;
        std::vector<int> copied;
        m_ruler.copyPositions(copied);
        EXPECT_EQ(copied, call.list);
    }
    expectOnlyMark(stepX(0), green, midRow - 20, midRow + 19);
    expectOnlyMark(stepX(9), black, midRow - 5, midRow + 4);
    expectOnlyMark(stepX(4), black, midRow - 5, midRow + 4);
}

TEST_F(RulerCanvas, CursorLeavesStepZeroAndMovesOn)
{
    m_ruler.drawRuler(m_surface);

    QImage before = m_surface.snapshot();
    m_ruler.moveCursor(m_surface, 0, colour::blue);
    EXPECT_EQ(changedColumns(before), std::set<int>{}) << "the blue cursor lies over the blue end line";
    expectMark(stepX(0), blue, 157, 196);
    EXPECT_EQ(m_ruler.positionList(), std::vector<int>{0});

    before = m_surface.snapshot();
    m_ruler.moveCursor(m_surface, 7, colour::green);
    EXPECT_EQ(changedColumns(before), std::set<int>{stepX(7)}) << "nothing is cleared when leaving step 0";
    EXPECT_EQ(stepX(7), 26);
    expectMark(26, green, 157, 196);
    expectMark(stepX(0), blue, 157, 196);
    EXPECT_EQ(m_ruler.positionList(), (std::vector<int>{0, 7}));

    before = m_surface.snapshot();
    m_ruler.moveCursor(m_surface, 8, colour::green);
    EXPECT_EQ(changedColumns(before), (std::set<int>{26, 29}));
    expectOnlyMark(26, black, 172, 181);
    expectMark(29, green, 157, 196);
    EXPECT_EQ(m_ruler.positionList(), std::vector<int>{8});
    EXPECT_EQ(m_ruler.cursorPercent(), 8);
}

TEST_F(RulerCanvas, LeavingAStepRedrawsItsOwnMark)
{
    m_ruler.drawRuler(m_surface);
    const struct
    {
        int step;
        QRgb colourValue;
        int first;
        int last;
    } marks[] = {
        {1, black, 172, 181}, {35, red, 167, 186}, {95, red, 167, 186}, {99, black, 172, 181}, {100, blue, 157, 196},
    };
    for (const auto &mark : marks) {
        m_ruler.moveCursor(m_surface, mark.step, colour::green);
        m_ruler.moveCursor(m_surface, 50, colour::green);
        expectOnlyMark(stepX(mark.step), mark.colourValue, mark.first, mark.last);
        EXPECT_EQ(m_ruler.positionList(), std::vector<int>{50});
    }
    EXPECT_EQ(stepX(35), 110);
    EXPECT_EQ(stepX(100), 305);
}

TEST_F(RulerCanvas, MovingToTheSameStepAgain)
{
    m_ruler.drawRuler(m_surface);
    m_ruler.moveCursor(m_surface, 0, colour::blue);
    m_ruler.moveCursor(m_surface, 0, colour::green);
    EXPECT_EQ(m_ruler.positionList(), std::vector<int>{0});
    expectOnlyMark(stepX(0), green, 157, 196);

    m_ruler.moveCursor(m_surface, 12, colour::green);
    m_ruler.moveCursor(m_surface, 12, colour::blue);
    EXPECT_EQ(m_ruler.positionList(), std::vector<int>{12});
    expectOnlyMark(stepX(12), blue, 157, 196);

    // On a fresh ruler a first move to 0 starts the list with it.
    TimelineRuler fresh;
    fresh.moveCursor(m_surface, 0, colour::green);
    EXPECT_EQ(fresh.positionList(), std::vector<int>{0});
}

TEST_F(RulerCanvas, FirstMoveOfAFreshRulerStartsTheList)
{
    m_ruler.drawRuler(m_surface);
    m_ruler.moveCursor(m_surface, 30, colour::green);
    EXPECT_EQ(m_ruler.positionList(), std::vector<int>{30});
    expectMark(stepX(0), blue, 157, 196);
    expectMark(stepX(30), green, 157, 196);
}

TEST_F(RulerCanvas, AStepBeyondTheEndIsDrawnThenPulledBack)
{
    m_ruler.drawRuler(m_surface);
    m_ruler.moveCursor(m_surface, 50, colour::green);
    m_ruler.moveCursor(m_surface, 101, colour::green);
    expectOnlyMark(stepX(50), red, 167, 186);
    EXPECT_EQ(stepX(101), 308);
    expectMark(308, green, 157, 196);
    EXPECT_EQ(m_ruler.cursorPercent(), 101);
    EXPECT_EQ(m_ruler.positionList(), std::vector<int>{101});

    const QImage before = m_surface.snapshot();
    m_ruler.moveCursor(m_surface, 20, colour::green);
    EXPECT_EQ(m_surface.image(), before) << "the guard draws nothing";
    EXPECT_EQ(m_ruler.cursorPercent(), 100);
    EXPECT_EQ(m_ruler.positionList(), std::vector<int>{101});

    m_ruler.moveCursor(m_surface, 30, colour::green);
    expectOnlyMark(stepX(100), blue, 157, 196);
    expectMark(stepX(30), green, 157, 196);
    expectMark(308, green, 157, 196);
    EXPECT_EQ(m_ruler.positionList(), std::vector<int>{30});
}

TEST_F(RulerCanvas, CopyPositionsAppendsAfterWhatTheListHolds)
{
    m_ruler.moveCursor(m_surface, 0, colour::blue);
    m_ruler.moveCursor(m_surface, 4, colour::green);
    std::vector<int> destination{7, 7};
    m_ruler.copyPositions(destination);
    EXPECT_EQ(destination, (std::vector<int>{7, 7, 0, 4}));
}

TEST_F(RulerCanvas, ACopyIsIndependent)
{
    m_ruler.moveCursor(m_surface, 0, colour::blue);
    m_ruler.moveCursor(m_surface, 4, colour::green);
    TimelineRuler copy(m_ruler);
    EXPECT_EQ(copy.cursorPercent(), 4);
    EXPECT_EQ(copy.positionList(), (std::vector<int>{0, 4}));
    m_ruler.moveCursor(m_surface, 9, colour::green);
    EXPECT_EQ(copy.cursorPercent(), 4);
    EXPECT_EQ(copy.positionList(), (std::vector<int>{0, 4}));
    copy.moveCursor(m_surface, 60, colour::green);
    EXPECT_EQ(m_ruler.positionList(), std::vector<int>{9});
}

} // namespace
