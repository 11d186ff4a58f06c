#include "ResultCellDelegate.h"

#include "ResultsModel.h"
#include "core/ColourMarking.h"

#include <QPainter>

ResultCellDelegate::ResultCellDelegate(const ColourMarking *marking, QObject *parent)
    : QStyledItemDelegate(parent), m_marking(marking)
{
}

void ResultCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const bool keepColours = m_marking->highlightRowSetting() == 1 &&
                             option.state.testFlag(QStyle::State_Selected) &&
                             index.data(ResultsModel::MarkedRole).toBool();
    if (!keepColours) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem plain(option);
    plain.state.setFlag(QStyle::State_Selected, false);
    QStyledItemDelegate::paint(painter, plain, index);

    painter->save();
    QPen pen(option.palette.color(QPalette::Active, QPalette::Highlight));
    pen.setWidth(2);
    painter->setPen(pen);
    painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
    painter->restore();
}
