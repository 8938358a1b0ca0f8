#pragma once

#include "cutting/cut_state.h"

#include <QObject>

#include <functional>

class DrawingSurface;
class MediaPlayer;
class QPushButton;
class TimelineRuler;

// Marks the start and the end of the cut while the file plays: stores the offsets, draws a marker
// under the ruler and the marked time beside the pressed button, and enables the buttons in turn.
// Clicks on the start and end buttons are connected here.
class CutMarking : public QObject
{
    Q_OBJECT

public:
    struct Buttons
    {
        QPushButton *start; // 按钮_起始位置
        QPushButton *end;   // 按钮_结束位置
        QPushButton *save;  // 按钮1
    };

    CutMarking(CutState &state, const MediaPlayer &player, TimelineRuler &ruler,
               DrawingSurface &canvas, std::function<qint64()> sourceFileSize, Buttons buttons,
               QObject *parent = nullptr);

    void markStart();
    void markEnd();
    // A triangle with its apex at (x, y) and its base at y + 10; pen 33023 and brush 255 stay
    // set on the canvas afterwards.
    void drawCutMarker(int x, int y);

private:
    // Draws the traces of a mark made with `pressed` and gives the offset of the marked time.
    qint64 markWith(const QPushButton *pressed);

    CutState &m_state;
    const MediaPlayer &m_player;
    TimelineRuler &m_ruler;
    DrawingSurface &m_canvas;
    std::function<qint64()> m_sourceFileSize;
    Buttons m_buttons;
};
