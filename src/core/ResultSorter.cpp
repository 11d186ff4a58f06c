#include "ResultSorter.h"

#include "Combination.h"

QList<GridStore::SortKey> ResultSorter::keysFor(int column)
{
    using Key = GridStore::SortKey;
    QList<Key> keys;
    if (column == Combination::sumColumn || column == Combination::priceColumn) {
        keys.append(Key{column, GridStore::Direction::Ascending, GridStore::Comparison::Number});
    } else if (column == Combination::firstArticleColumn) {
        for (int k = 0; k < Combination::pieceSlots; ++k) {
            keys.append(Key{Combination::firstArticleColumn + k, GridStore::Direction::Descending,
                            GridStore::Comparison::Text});
        }
    }
    return keys;
}

ResultSorter::Outcome ResultSorter::sortByHeader(GridStore &results, int column)
{
    // The row count as the 16-bit number it always fits in.
    const auto rows = static_cast<qint16>(results.rowCount());
    if (rows < 2)
        return Outcome::NothingToSort;
    const QList<GridStore::SortKey> keys = keysFor(column);
    if (keys.isEmpty())
        return Outcome::NotSortable;
    results.sortRows(results.firstRow(), results.firstRow() + rows - 1, keys);
    return Outcome::Sorted;
}

QString ResultSorter::nothingToSortTitle()
{
    return QStringLiteral(" nach Gleislänge sortieren...");
}

QString ResultSorter::nothingToSortMessage()
{
    return QStringLiteral(" Sorry, aber es gibt nichts zu sortieren !           ");
}
