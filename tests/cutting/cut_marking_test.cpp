#include "cutting/cut_marking.h"
#include "playback/media_player.h"
#include "support/fixtures.h"
#include "surface/colour.h"
#include "surface/drawing_surface.h"
#include "timeline/timeline_ruler.h"

#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QRgb orange = colour::toQColor(colour::orange).rgb();
const QRgb red = colour::toQColor(colour::red).rgb();

// The canvas with the three cutting buttons where the window has them, the start button enabled
// as after a load, a ruler and a player.
class MarkingTheCut : public testing::Test
{
protected:
    void SetUp() override
    {
        m_window.resize(310, 354);
        m_start = makeButton(232);
        m_end = makeButton(280);
        m_save = makeButton(320);
        m_start->setEnabled(true);
        m_marking = std::make_unique<CutMarking>(m_state, m_player, m_ruler, m_canvas,
                                                 [this] { return m_sourceFileSize; },
                                                 CutMarking::Buttons{m_start, m_end, m_save});
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    QPushButton *makeButton(int top)
    {
        auto *button = new QPushButton(&m_window);
        button->setGeometry(23, top, 64, 24);
        button->setEnabled(false);
        return button;
    }

    // Opens a fixture and holds playback paused at `positionMs`.
    void standPausedAt(qint64 positionMs)
    {
        ASSERT_TRUE(m_player.play(int(positionMs)));
        ASSERT_TRUE(m_player.togglePause());
    }

    // The leftmost and topmost pixels of `area` that differ from `before`.
    static QPoint firstChangedPixel(const QImage &before, const QImage &after, const QRect &area)
    {
        QPoint first(area.right() + 1, area.bottom() + 1);
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (before.pixel(x, y) != after.pixel(x, y)) {
                    first.setX(std::min(first.x(), x));
                    first.setY(std::min(first.y(), y));
                }
        return first;
    }

    QWidget m_window;
    QPushButton *m_start = nullptr;
    QPushButton *m_end = nullptr;
    QPushButton *m_save = nullptr;
    DrawingSurface m_canvas;
    TimelineRuler m_ruler;
    MediaPlayer m_player;
    CutState m_state;
    qint64 m_sourceFileSize = 0;
    std::unique_ptr<CutMarking> m_marking;
};

struct MarkerCase
{
    int step;
    int apexX;
};

class CutMarker : public MarkingTheCut, public testing::WithParamInterface<MarkerCase>
{};

TEST_P(CutMarker, IsAnOrangeOutlinedRedTriangleUnderTheStep)
{
    const int x = GetParam().apexX;
    m_canvas.setPenColour(colour::black);
    m_canvas.setBrushColour(colour::white);
    const QRgb background = m_canvas.pixel(x, 190);

    m_marking->drawCutMarker(3 * GetParam().step + 5, 198);

    EXPECT_EQ(m_canvas.pixel(x, 198), orange) << "apex";
    EXPECT_EQ(m_canvas.pixel(x - 2, 208), orange) << "left base corner";
    EXPECT_EQ(m_canvas.pixel(x + 2, 208), orange) << "right base corner";
    EXPECT_EQ(m_canvas.pixel(x, 205), red) << "inside";
    EXPECT_EQ(m_canvas.pixel(x, 197), background) << "above the apex";
    EXPECT_EQ(m_canvas.pixel(x - 3, 208), background) << "left of the base";
    EXPECT_EQ(m_canvas.pixel(x + 3, 208), background) << "right of the base";
    EXPECT_EQ(m_canvas.pixel(x, 209), background) << "below the base";
    EXPECT_EQ(m_canvas.penColour(), colour::orange);
    EXPECT_EQ(m_canvas.brushColour(), colour::red);
}

INSTANTIATE_TEST_SUITE_P(Steps, CutMarker,
                         testing::Values(MarkerCase{0, 5}, MarkerCase{25, 80},
                                         MarkerCase{100, 305}));

TEST_F(MarkingTheCut, ButtonsAreEnabledInTurnByClicks)
{
    QTest::mouseClick(m_start, Qt::LeftButton);
    EXPECT_FALSE(m_start->isEnabled());
    EXPECT_TRUE(m_end->isEnabled());
    EXPECT_FALSE(m_save->isEnabled());

    QTest::mouseClick(m_end, Qt::LeftButton);
    EXPECT_FALSE(m_start->isEnabled());
    EXPECT_FALSE(m_end->isEnabled());
    EXPECT_TRUE(m_save->isEnabled());
}

TEST_F(MarkingTheCut, WithoutAFileBothOffsetsAreZero)
{
    m_sourceFileSize = 1000;
    m_state = {77, 99};
    m_marking->markStart();
    m_marking->markEnd();
    EXPECT_EQ(m_state.cutStartOffset, 0);
    EXPECT_EQ(m_state.cutEndOffset, 0);
}

TEST_F(MarkingTheCut, OffsetsComeFromTheFramesHoldingTheMarkedTimes)
{
    const QString source = fixturePath("vbr.mp3");
    ASSERT_TRUE(m_player.open(source));
    m_sourceFileSize = QFile(source).size();

    standPausedAt(1500);
    const qint64 startMs = m_player.position();
    m_marking->markStart();
    standPausedAt(4000);
    const qint64 endMs = m_player.position();
    m_marking->markEnd();

    EXPECT_EQ(m_state.cutStartOffset, *m_player.frameOffsetAtMs(startMs) + 1);
    EXPECT_EQ(m_state.cutEndOffset, *m_player.frameOffsetAtMs(endMs) + 1);
    EXPECT_GT(m_state.cutEndOffset, m_state.cutStartOffset);
}

TEST_F(MarkingTheCut, MarkerFollowsElementOneOfTheRulersList)
{
    m_ruler.drawRuler(m_canvas);
    m_ruler.moveCursor(m_canvas, 30, colour::green);
    m_marking->markStart();
    EXPECT_EQ(m_canvas.pixel(95, 198), orange);

    // Just after the cursor leaves step 0 the list still begins with 0: the marker goes there.
    TimelineRuler fresh;
    fresh.moveCursor(m_canvas, 0, colour::green);
    fresh.moveCursor(m_canvas, 4, colour::green);
    std::vector<int> positions;
    fresh.copyPositions(positions);
    ASSERT_EQ(positions.front(), 0);
    CutMarking marking(m_state, m_player, fresh, m_canvas, [] { return qint64(0); },
                       {m_start, m_end, m_save});
    marking.markEnd();
    EXPECT_EQ(m_canvas.pixel(5, 198), orange);
    EXPECT_NE(m_canvas.pixel(17, 198), orange);
}

TEST_F(MarkingTheCut, EmptyRulerListMarksStepZero)
{
    m_marking->markStart();
    EXPECT_EQ(m_canvas.pixel(5, 198), orange);
}

TEST_F(MarkingTheCut, TimeLabelStandsFiftyPixelsRightOfThePressedButton)
{
    struct LabelCase
    {
        void (CutMarking::*mark)();
        QPoint expected;
    };
    for (const LabelCase &c : {LabelCase{&CutMarking::markStart, {137, 234}},
                               LabelCase{&CutMarking::markEnd, {137, 282}}}) {
        const QImage before = m_canvas.snapshot();
        (m_marking.get()->*c.mark)();
        // The label's band only: the marker lies above it.
        const QRect band(90, c.expected.y() - 10, 150, 30);
        const QPoint first = firstChangedPixel(before, m_canvas.image(), band);
        EXPECT_GE(first.x(), c.expected.x());
        EXPECT_LE(first.x(), c.expected.x() + 3);
        EXPECT_GE(first.y(), c.expected.y());
        EXPECT_LE(first.y(), c.expected.y() + 8);
    }
}

} // namespace
