#pragma once

#include <QByteArray>
#include <QtGlobal>

// A stretch of bytes by zero-based index and length.
struct ByteRange
{
    qint64 beginIndex = 0;
    qint64 count = 0;

    qint64 endIndex() const { return beginIndex + count; }
    bool operator==(const ByteRange &) const = default;
};

// The range a one-based `start` and a `count` ask for before any length is known: a start of 0
// or less begins at the first byte, a negative count asks for nothing.
ByteRange requestedRange(qint64 start, qint64 count);

// The bytes that bytesMid takes from data of `dataLength` bytes: the requested range cut back to
// what the data holds.
ByteRange byteRangeWithin(qint64 dataLength, qint64 start, qint64 count);

// The `count` bytes of `data` from the one-based position `start`, as far as the data reaches.
QByteArray bytesMid(const QByteArray &data, qint64 start, qint64 count);
