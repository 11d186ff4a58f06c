#pragma once

#include "core/Combination.h"
#include "core/GridStore.h"

#include <QStringList>

// Result rows from lines "name sum price article ...": the name stands in the
// first length cell, which no sort or filter reads, so that the rows' order
// afterwards reads back as their names.
inline GridStore resultRows(const QStringList &rows)
{
    GridStore results;
    results.resize(0, int(rows.size()) - 1, 0, Combination::columnCount - 1);
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList cells = rows.at(r).split(u' ');
        results.setCell(r, 0, cells.at(0));
        results.setCell(r, Combination::sumColumn, cells.at(1));
        results.setCell(r, Combination::priceColumn, cells.at(2));
        for (int k = 3; k < cells.size(); ++k)
            results.setCell(r, Combination::firstArticleColumn + k - 3, cells.at(k));
    }
    return results;
}

inline QString rowNames(const GridStore &results)
{
    QString names;
    for (int r = results.firstRow(); r <= results.lastRow(); ++r)
        names += results.text(r, 0);
    return names;
}
