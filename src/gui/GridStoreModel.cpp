#include "GridStoreModel.h"

#include "core/GridStore.h"

GridStoreModel::GridStoreModel(const GridStore *store, QStringList captions, QObject *parent)
    : QAbstractTableModel(parent), m_store(store), m_captions(std::move(captions)),
      m_rows(store->rowCount()), m_columns(store->columnCount())
{
}

int GridStoreModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int GridStoreModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

int GridStoreModel::storeRow(int modelRow) const
{
    return m_store->firstRow() + modelRow;
}

int GridStoreModel::storeColumn(int modelColumn) const
{
    return m_store->firstColumn() + modelColumn;
}

QVariant GridStoreModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = storeRow(index.row());
    const int column = storeColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return displayText(row, column);
    case Qt::EditRole:
        return m_store->text(row, column);
    case Qt::BackgroundRole:
        return background(row, column);
    case Qt::ForegroundRole:
        return foreground(row, column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant GridStoreModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_captions.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_captions.at(section);
    return {};
}

void GridStoreModel::reload()
{
    beginResetModel();
    m_rows = m_store->rowCount();
    m_columns = m_store->columnCount();
    endResetModel();
}

void GridStoreModel::refresh()
{
    if (m_rows > 0 && m_columns > 0)
        Q_EMIT dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
}

QString GridStoreModel::displayText(int storeRow, int storeColumn) const
{
    return m_store->text(storeRow, storeColumn);
}

QVariant GridStoreModel::background(int, int) const
{
    return {};
}

QVariant GridStoreModel::foreground(int, int) const
{
    return {};
}
