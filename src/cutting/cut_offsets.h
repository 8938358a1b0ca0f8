#pragma once

#include <QtGlobal>

class MediaPlayer;

// The byte offset in proportion to the file: trunc(positionMs × sourceFileSize / lengthMs) in
// doubles, truncated toward zero; 0 when the length is 0. Used when there is no frame map.
qint64 offsetFromPosition(double positionMs, double sourceFileSize, double lengthMs);

// The one-based offset at which a cut marked now begins or ends: the first byte of the MP3 frame
// that holds the player's position, or the end of the audio frames at the very end. Without a
// frame map (the player has no length) the proportional rule applies.
qint64 offsetOfMarkedTime(const MediaPlayer &player, qint64 sourceFileSize);
