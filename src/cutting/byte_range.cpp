#include "cutting/byte_range.h"

#include <algorithm>

ByteRange requestedRange(qint64 start, qint64 count)
{
    return {std::max<qint64>(start, 1) - 1, std::max<qint64>(count, 0)};
}

ByteRange byteRangeWithin(qint64 dataLength, qint64 start, qint64 count)
{
    const ByteRange requested = requestedRange(start, count);
    const qint64 beginIndex = std::min(requested.beginIndex, dataLength);
    return {beginIndex, std::min(requested.count, dataLength - beginIndex)};
}

QByteArray bytesMid(const QByteArray &data, qint64 start, qint64 count)
{
    const ByteRange range = byteRangeWithin(data.size(), start, count);
    return data.mid(range.beginIndex, range.count);
}
