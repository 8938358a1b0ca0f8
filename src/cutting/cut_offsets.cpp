#include "cutting/cut_offsets.h"

#include "playback/media_player.h"

#include <algorithm>
#include <cmath>

qint64 offsetFromPosition(double positionMs, double sourceFileSize, double lengthMs)
{
    const double offset = positionMs * sourceFileSize / lengthMs;
    return std::isfinite(offset) ? qint64(std::trunc(offset)) : 0;
}

qint64 offsetOfMarkedTime(const MediaPlayer &player, qint64 sourceFileSize)
{
    const qint64 positionMs = player.position();
    const qint64 lengthMs = player.length();
    if (lengthMs > 0) {
        // A proportional offset lands mid-frame and drifts with tags and VBR; the decoder knows
        // where each frame begins. Offsets are one-based, frame offsets zero-based.
        if (const auto frameOffset = player.frameOffsetAtMs(std::max<qint64>(positionMs, 0)))
            return *frameOffset + 1;
    }
    return offsetFromPosition(double(positionMs), double(sourceFileSize), double(lengthMs));
}
