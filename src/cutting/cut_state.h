#pragma once

#include <QtGlobal>

// Where the marked cut begins and ends: one-based byte offsets into the loaded file, so an offset
// o means the cut starts at zero-based index o − 1. 0 until marked and never reset; 64 bits so
// files past 2 GiB cut correctly.
struct CutState
{
    qint64 cutStartOffset = 0;
    qint64 cutEndOffset = 0;
};
