#include "surface/colour.h"

namespace colour {

QColor toQColor(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int fromQColor(const QColor &value)
{
    return fromRgb(value.red(), value.green(), value.blue());
}

} // namespace colour
