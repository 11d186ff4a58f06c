#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <vector>

// A two-dimensional table of cells behind a grid. A cell is empty (an invalid
// QVariant), a text (QString) or a number (double). Rows and columns run from
// a lower to an upper bound, both inclusive; a store with no rows has an upper
// row bound one below its lower bound.
class GridStore
{
public:
    enum class Direction { Ascending, Descending };
    enum class Comparison { Text, Number };

    struct SortKey
    {
        int column = 0;
        Direction direction = Direction::Ascending;
        Comparison comparison = Comparison::Text;
    };

    GridStore() = default;

    // Cells inside both the old and the new bounds keep their values; new
    // cells are empty. A last bound below its first bound means "none".
    void resize(int firstRow, int lastRow, int firstColumn, int lastColumn);

    int firstRow() const { return m_firstRow; }
    int lastRow() const { return m_firstRow + m_rows - 1; }
    int firstColumn() const { return m_firstColumn; }
    int lastColumn() const { return m_firstColumn + m_columns - 1; }
    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }
    bool contains(int row, int column) const;

    // Reading outside the bounds gives an empty cell; writing outside them is
    // ignored. Grids and views may hold a stale row index for a moment while
    // a search refills the store, and must never be able to crash it.
    QVariant cell(int row, int column) const;
    void setCell(int row, int column, const QVariant &value);

    // The cell as a text: an empty cell gives the empty text, a number its
    // plain C-locale form.
    QString text(int row, int column) const;

    // Reorders whole rows of [firstRow, lastRow]; the first key decides, each
    // further key breaks the ties of those before it. Rows that compare equal
    // on every key keep their order.
    void sortRows(int firstRow, int lastRow, const QList<SortKey> &keys);

private:
    qsizetype index(int row, int column) const;

    int m_firstRow = 0;
    int m_rows = 0;
    int m_firstColumn = 0;
    int m_columns = 0;
    std::vector<QVariant> m_cells; // row-major
};
