#pragma once

#include "core/PieceColours.h"

#include <QColor>

// The marking colours as Qt shows them.
inline QColor toQColor(const Rgb &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}
