#pragma once

#include "core/GridStore.h"

#include <QStringList>

// Each row of `store` in one line, cells joined by "|", "~" for an empty cell.
inline QStringList gridText(const GridStore &store)
{
    QStringList rows;
    for (int r = store.firstRow(); r <= store.lastRow(); ++r) {
        QStringList cells;
        for (int c = store.firstColumn(); c <= store.lastColumn(); ++c)
            cells << (store.cell(r, c).isValid() ? store.text(r, c) : QStringLiteral("~"));
        rows << cells.join(u'|');
    }
    return rows;
}
