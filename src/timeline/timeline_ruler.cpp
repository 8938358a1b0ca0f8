#include "timeline/timeline_ruler.h"

#include "surface/colour.h"
#include "surface/drawing_surface.h"

#include <algorithm>

namespace {

constexpr int lastStep = 100;
constexpr int shortTickReach = 5;
constexpr int longTickReach = 10;
constexpr int endLineReach = 20;

int stepX(int step)
{
    return 3 * step + 5;
}

// Kept real until here, so an odd canvas height puts the middle between two rows.
double rulerMid(const DrawingSurface &canvas)
{
    return canvas.height() / 2.0;
}

// A vertical line from trunc(mid − reach) to trunc(mid + reach); the lower end is not painted.
void drawVertical(DrawingSurface &canvas, int x, int reach)
{
    const double mid = rulerMid(canvas);
    canvas.drawLine(x, int(mid - reach), x, int(mid + reach));
}

} // namespace

void TimelineRuler::drawRuler(DrawingSurface &canvas)
{
    const int midRow = int(rulerMid(canvas));
    canvas.setPenColour(colour::blue);
    canvas.setPenWidth(2);
    canvas.drawLine(0, midRow, canvas.width(), midRow);
    canvas.setPenWidth(0);
    for (int step = 1; step <= lastStep; ++step) {
        const bool longTick = step % 5 == 0;
        canvas.setPenColour(longTick ? colour::red : colour::black);
        drawVertical(canvas, stepX(step), longTick ? longTickReach : shortTickReach);
    }
    canvas.setPenColour(colour::blue);
    drawVertical(canvas, stepX(0), endLineReach);
    drawVertical(canvas, stepX(lastStep), endLineReach);
}

void TimelineRuler::moveCursor(DrawingSurface &canvas, int percent, int colour)
{
    const int previous = m_cursorPercent;
    // A cursor drawn past the end is left standing; this call only brings the step back.
    if (previous > lastStep) {
        m_cursorPercent = lastStep;
        return;
    }
    if (previous == 0) {
        canvas.setPenColour(colour::blue);
        drawVertical(canvas, stepX(0), endLineReach);
    } else {
        const double mid = rulerMid(canvas);
        canvas.clearRectangle(stepX(previous), int(mid - endLineReach), 1, 2 * endLineReach);
        m_positionList.clear();
        drawMarkOfStep(canvas, previous);
    }
    canvas.setPenColour(colour);
    drawVertical(canvas, stepX(percent), endLineReach);
    m_cursorPercent = percent;
    if (std::find(m_positionList.begin(), m_positionList.end(), percent) == m_positionList.end())
        m_positionList.push_back(percent);
}

void TimelineRuler::copyPositions(std::vector<int> &destination) const
{
    destination.insert(destination.end(), m_positionList.begin(), m_positionList.end());
}

// The mark that drawRuler put at `step` (never step 0, whose end line moveCursor draws itself).
void TimelineRuler::drawMarkOfStep(DrawingSurface &canvas, int step) const
{
    if (step % 5 != 0) {
        canvas.setPenColour(colour::black);
        drawVertical(canvas, stepX(step), shortTickReach);
    } else if (step == lastStep) {
        canvas.setPenColour(colour::blue);
        drawVertical(canvas, stepX(step), endLineReach);
    } else {
        canvas.setPenColour(colour::red);
        drawVertical(canvas, stepX(step), longTickReach);
    }
}
