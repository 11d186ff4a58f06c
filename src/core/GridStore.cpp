#include "GridStore.h"

#include "NumberText.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

// A number key for sorting: texts are read by the user's locale, and a cell
// that holds no readable number sorts before every number.
double numberKey(const QVariant &value)
{
    if (!value.isValid())
        return -std::numeric_limits<double>::infinity();
    if (value.typeId() != QMetaType::QString)
        return value.toDouble();
    const auto number = NumberText::toFloat(value.toString());
    return number ? double(*number) : -std::numeric_limits<double>::infinity();
}

// One row's value under one key, read once before sorting rather than at
// every comparison.
struct KeyValue
{
    QString text;
    double number = 0.0;
};

} // namespace

void GridStore::resize(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    const int rows = std::max(0, lastRow - firstRow + 1);
    const int columns = std::max(0, lastColumn - firstColumn + 1);

    if (firstRow == m_firstRow && firstColumn == m_firstColumn && columns == m_columns) {
        // Growing or shrinking at the end only: the common case while a search
        // appends rows one by one, kept cheap by the vector's own growth.
        m_rows = rows;
        m_cells.resize(std::size_t(rows) * std::size_t(columns));
        return;
    }

    std::vector<QVariant> cells(std::size_t(rows) * std::size_t(columns));
    const int rowFrom = std::max(firstRow, m_firstRow);
    const int rowTo = std::min(lastRow, this->lastRow());
    const int columnFrom = std::max(firstColumn, m_firstColumn);
    const int columnTo = std::min(lastColumn, this->lastColumn());
    for (int r = rowFrom; r <= rowTo; ++r) {
        for (int c = columnFrom; c <= columnTo; ++c) {
            cells[std::size_t(r - firstRow) * std::size_t(columns) + std::size_t(c - firstColumn)] =
                std::move(m_cells[std::size_t(index(r, c))]);
        }
    }
    m_firstRow = firstRow;
    m_rows = rows;
    m_firstColumn = firstColumn;
    m_columns = columns;
    m_cells = std::move(cells);
}

bool GridStore::contains(int row, int column) const
{
    return row >= m_firstRow && row <= lastRow() && column >= m_firstColumn &&
           column <= lastColumn();
}

qsizetype GridStore::index(int row, int column) const
{
    return qsizetype(row - m_firstRow) * m_columns + (column - m_firstColumn);
}

QVariant GridStore::cell(int row, int column) const
{
    if (!contains(row, column))
        return {};
    return m_cells[std::size_t(index(row, column))];
}

void GridStore::setCell(int row, int column, const QVariant &value)
{
    if (!contains(row, column))
        return;
    m_cells[std::size_t(index(row, column))] = value;
}

QString GridStore::text(int row, int column) const
{
    return cell(row, column).toString();
}

void GridStore::sortRows(int firstRow, int lastRow, const QList<SortKey> &keys)
{
    firstRow = std::max(firstRow, m_firstRow);
    lastRow = std::min(lastRow, this->lastRow());
    if (keys.isEmpty() || lastRow <= firstRow)
        return;

    const auto rows = std::size_t(lastRow - firstRow) + 1;
    const auto keyCount = std::size_t(keys.size());
    std::vector<KeyValue> values(rows * keyCount);
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t k = 0; k < keyCount; ++k) {
            const QVariant value = cell(firstRow + int(r), keys[qsizetype(k)].column);
            KeyValue &v = values[r * keyCount + k];
            if (keys[qsizetype(k)].comparison == Comparison::Number)
                v.number = numberKey(value);
            else
                v.text = value.toString();
        }
    }

    std::vector<std::size_t> order(rows);
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        for (std::size_t k = 0; k < keyCount; ++k) {
            const KeyValue &x = values[a * keyCount + k];
            const KeyValue &y = values[b * keyCount + k];
            int result = 0;
            if (keys[qsizetype(k)].comparison == Comparison::Number)
                result = x.number < y.number ? -1 : (y.number < x.number ? 1 : 0);
            else
                result = x.text.compare(y.text, Qt::CaseSensitive);
            if (keys[qsizetype(k)].direction == Direction::Descending)
                result = -result;
            if (result != 0)
                return result < 0;
        }
        return false;
    });

    std::vector<QVariant> sorted;
    sorted.reserve(rows * std::size_t(m_columns));
    for (std::size_t r : order) {
        for (int c = 0; c < m_columns; ++c)
            sorted.push_back(
                std::move(m_cells[std::size_t(index(firstRow + int(r), m_firstColumn + c))]));
    }
    std::move(sorted.begin(), sorted.end(), m_cells.begin() + index(firstRow, m_firstColumn));
}
