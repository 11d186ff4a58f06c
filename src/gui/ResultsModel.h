#pragma once

#include "GridStoreModel.h"
#include "core/PieceColours.h"

#include <optional>

class ColourMarking;

// The results table: twenty columns, cells in piece colours where the
// column's marking is requested.
class ResultsModel : public GridStoreModel
{
    Q_OBJECT

public:
    // A role telling the delegate that a cell carries a piece colour, so
    // that the current row can keep it.
    static constexpr int MarkedRole = Qt::UserRole + 1;

    ResultsModel(GridStore *results, const ColourMarking *marking, QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    static QStringList captions();

protected:
    QVariant background(int storeRow, int storeColumn) const override;
    QVariant foreground(int storeRow, int storeColumn) const override;

private:
    std::optional<PieceColours::Style> markedStyle(int storeRow, int storeColumn) const;

    const ColourMarking *m_marking;
};
