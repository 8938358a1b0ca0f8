#include "cutting/file_bytes.h"

#include <QFile>
#include <QSaveFile>

bool writeFileBytes(const QString &path, QByteArrayView data)
{
    if (path.isEmpty())
        return false;
    // QSaveFile writes beside the target and renames over it on commit, so a write that fails
    // half way (disk full, file-size limit) leaves the old file untouched.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data.data(), data.size()) != data.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<QByteArray> readFileRange(const QString &path, ByteRange range)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < range.endIndex())
        return std::nullopt;
    if (!file.seek(range.beginIndex))
        return std::nullopt;
    QByteArray bytes = file.read(range.count);
    if (bytes.size() != range.count)
        return std::nullopt;
    return bytes;
}
