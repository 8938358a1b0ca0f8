#pragma once

#include <QRegion>
#include <QSize>

// The window's outline: a rectangle whose corners are arcs of a `cornerSize` × `cornerSize`
// ellipse. It ends one pixel before the window's right and bottom edges, on the border painted at
// column width − 2 and row height − 2.
QRegion roundedWindowRegion(QSize windowSize, int cornerSize);
