#pragma once

#include <QStyledItemDelegate>

class ColourMarking;

// Paints the results table. While marking is on, a marked cell of the
// current row keeps its piece colours and shows the highlight as a frame,
// so the colours stay readable where the selection colour would hide them.
class ResultCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    ResultCellDelegate(const ColourMarking *marking, QObject *parent);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    const ColourMarking *m_marking;
};
