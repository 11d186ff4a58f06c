#pragma once

#include <QAbstractTableModel>
#include <QStringList>

class GridStore;

// Shows a GridStore in a view: one model row per store row, in store order,
// one model column per store column. The row count is taken when the model
// re-reads the store (reload()), as a grid re-reads its table; cells are
// read live, so a store that shrank meanwhile shows empty cells, never
// stale or invalid ones. The model only reads: a model whose cells can be
// edited says itself how an edit reaches its store.
class GridStoreModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    GridStoreModel(const GridStore *store, QStringList captions, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Re-reads the store: row count and every cell.
    void reload();
    // Redraws every cell without re-reading the row count.
    void refresh();

    int storeRow(int modelRow) const;
    int storeColumn(int modelColumn) const;

protected:
    const GridStore &store() const { return *m_store; }
    virtual QString displayText(int storeRow, int storeColumn) const;
    virtual QVariant background(int storeRow, int storeColumn) const;
    virtual QVariant foreground(int storeRow, int storeColumn) const;

private:
    const GridStore *m_store;
    QStringList m_captions;
    int m_rows = 0;
    int m_columns = 0;
};
