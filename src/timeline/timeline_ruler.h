#pragma once

#include <vector>

class DrawingSurface;

// The playback ruler of 100 steps and its cursor. Step p lies at canvas x = 3p + 5; the ruler's
// middle is half the canvas height. The ruler keeps no copy of the picture: moving the cursor
// clears one column back to the canvas background and redraws the mark that belongs there.
class TimelineRuler
{
public:
    TimelineRuler() = default;
    TimelineRuler(const TimelineRuler &) = default;
    TimelineRuler &operator=(const TimelineRuler &) = default;
    virtual ~TimelineRuler() = default;

    // The base line, a tick for every step and the two blue end lines. Leaves the pen blue,
    // width 0; moveCursor relies on that width.
    virtual void drawRuler(DrawingSurface &canvas);

    // Repairs the column of the previous step and draws the cursor at `percent` in `colour`.
    // A stored step above 100 is only pulled back to 100, without drawing.
    virtual void moveCursor(DrawingSurface &canvas, int percent, int colour);

    // Appends the position list to `destination`; its first element is the current step,
    // except just after the cursor left step 0, when it is still 0.
    virtual void copyPositions(std::vector<int> &destination) const;

    int cursorPercent() const { return m_cursorPercent; }
    const std::vector<int> &positionList() const { return m_positionList; }

private:
    void drawMarkOfStep(DrawingSurface &canvas, int step) const;

    int m_cursorPercent = 0;
    // The steps at which a cursor has stood since the last column was erased.
    std::vector<int> m_positionList;
};
