#include "cutting/cut_marking.h"

#include "cutting/cut_offsets.h"
#include "playback/media_player.h"
#include "surface/colour.h"
#include "surface/drawing_surface.h"
#include "timeline/clock_text.h"
#include "timeline/timeline_ruler.h"

#include <QPushButton>

#include <array>
#include <vector>

namespace {

constexpr int markerApexY = 198; // just below the cursor line, which ends at y = 197

}

CutMarking::CutMarking(CutState &state, const MediaPlayer &player, TimelineRuler &ruler,
                       DrawingSurface &canvas, std::function<qint64()> sourceFileSize,
                       Buttons buttons, QObject *parent)
    : QObject(parent), m_state(state), m_player(player), m_ruler(ruler), m_canvas(canvas),
      m_sourceFileSize(std::move(sourceFileSize)), m_buttons(buttons)
{
    connect(m_buttons.start, &QPushButton::clicked, this, &CutMarking::markStart);
    connect(m_buttons.end, &QPushButton::clicked, this, &CutMarking::markEnd);
}

void CutMarking::markStart()
{
    m_state.cutStartOffset = markWith(m_buttons.start);
    m_buttons.start->setEnabled(false);
    m_buttons.end->setEnabled(true);
}

void CutMarking::markEnd()
{
    m_state.cutEndOffset = markWith(m_buttons.end);
    m_buttons.end->setEnabled(false);
    m_buttons.save->setEnabled(true);
}

qint64 CutMarking::markWith(const QPushButton *pressed)
{
    const QString label = clockTextFromMilliseconds(m_player.position());

    // Element 1 of the ruler's list places the marker; it may still be 0 just after the cursor
    // left step 0. The list is never empty once a file is loaded; step 0 covers it anyway.
    std::vector<int> positions;
    m_ruler.copyPositions(positions);
    const int step = positions.empty() ? 0 : positions.front();

    const qint64 offset = offsetOfMarkedTime(m_player, m_sourceFileSize());

    drawCutMarker(3 * step + 5, markerApexY);
    // The buttons lie on the canvas, so their geometry is in canvas pixels.
    const QRect button = pressed->geometry();
    m_canvas.writeTextAt(button.left() + button.width() + 50, button.top() + 2, label);
    return offset;
}

void CutMarking::drawCutMarker(int x, int y)
{
    const std::array<int, 6> points = {x - 2, y + 10, x, y, x + 2, y + 10};
    m_canvas.setPenColour(colour::orange);
    m_canvas.setBrushColour(colour::red);
    m_canvas.drawPolygon(points, 3);
}
