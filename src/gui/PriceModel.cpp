#include "PriceModel.h"

#include "QtColours.h"
#include "core/ColourMarking.h"
#include "core/NumberText.h"
#include "core/PriceStore.h"
#include "core/TrackCatalogue.h"

PriceModel::PriceModel(PriceStore *prices, const ColourMarking *marking, QObject *parent)
    : GridStoreModel(prices, captions(), parent), m_marking(marking)
{
    QList<int> editable;
    for (int p = 1; p <= TrackCatalogue::pieceCount; ++p)
        editable << p;
    setEditableColumns(editable);
}

QStringList PriceModel::captions()
{
    QStringList captions{QStringLiteral(" Best. Nr.")};
    for (const TrackPiece &piece : TrackCatalogue::pieces())
        captions << piece.label;
    return captions;
}

QString PriceModel::displayText(int storeRow, int storeColumn) const
{
    const QVariant cell = store().cell(storeRow, storeColumn);
    if (storeColumn == 0 || cell.toString().trimmed().isEmpty())
        return cell.toString();
    const auto price = PriceStore::readPrice(cell);
    return price ? NumberText::formatStandard(*price) : cell.toString();
}

QVariant PriceModel::background(int, int storeColumn) const
{
    const auto colours = m_marking->priceColumnColours(storeColumn);
    return colours ? QVariant(toQColor(colours->background)) : QVariant();
}

QVariant PriceModel::foreground(int, int storeColumn) const
{
    const auto colours = m_marking->priceColumnColours(storeColumn);
    return colours ? QVariant(toQColor(colours->text)) : QVariant();
}
