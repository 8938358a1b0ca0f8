#include "cutting/base_name.h"

#include <QStringList>

QString baseNameOfPath(const QString &path)
{
    // Qt hands paths over with "/" on every platform. Each "/" ends a component, possibly an
    // empty one; the text after the last "/" counts only when there is some.
    QStringList components = path.split(QLatin1Char('/'));
    if (components.last().isEmpty())
        components.removeLast();
    if (components.isEmpty())
        return {};

    const QString &lastComponent = components.last();
    const qsizetype dotIndex = lastComponent.lastIndexOf(QLatin1Char('.'));
    return dotIndex > 0 ? lastComponent.left(dotIndex) : QString();
}
