#pragma once

#include "cutting/byte_range.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Replaces the file at `path` by `data` atomically: afterwards it holds either all of `data` or
// what it held before. False for an empty path or any failure to write.
bool writeFileBytes(const QString &path, QByteArrayView data);

// Exactly the bytes of `range` from the file at `path`; nothing when the file cannot be read or
// no longer reaches the end of the range.
std::optional<QByteArray> readFileRange(const QString &path, ByteRange range);
