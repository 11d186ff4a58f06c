#pragma once

#include "GridStore.h"

#include <QList>
#include <QString>

// Sorting the results by a header click. Three headers sort: the summed
// length and the price ascending, compared as numbers (as text "1.000,0"
// would come before "360,0"), and the first article number descending with
// the other eight breaking ties, so the longest pieces come first. Empty
// article cells sort after every article number.
namespace ResultSorter {

enum class Outcome {
    NothingToSort, // fewer than two rows: the table is not touched
    Sorted,
    NotSortable, // a header without keys: only redrawn
};

QList<GridStore::SortKey> keysFor(int column);
// Sorts the results as a click on the header of `column` asks.
Outcome sortByHeader(GridStore &results, int column);

QString nothingToSortTitle();
QString nothingToSortMessage();

} // namespace ResultSorter
