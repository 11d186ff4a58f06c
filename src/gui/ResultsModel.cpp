#include "ResultsModel.h"

#include "core/ColourMarking.h"
#include "core/Combination.h"
#include "core/GridStore.h"
#include "core/NumberText.h"
#include "core/PriceStore.h"

#include "QtColours.h"

ResultsModel::ResultsModel(GridStore *results, const ColourMarking *marking, QObject *parent)
    : GridStoreModel(results, captions(), parent), m_marking(marking)
{
}

QStringList ResultsModel::captions()
{
    QStringList captions;
    for (int i = 1; i <= Combination::pieceSlots; ++i)
        captions << QStringLiteral("L%1").arg(i);
    captions << QStringLiteral(" Länge ") << QStringLiteral("Gl1 ");
    for (int i = 2; i <= Combination::pieceSlots; ++i)
        captions << QStringLiteral("Gl%1").arg(i);
    captions << QStringLiteral("Preis ");
    return captions;
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const
{
    if (role == MarkedRole && checkIndex(index, CheckIndexOption::IndexIsValid))
        return markedStyle(storeRow(index.row()), storeColumn(index.column())).has_value();
    return GridStoreModel::data(index, role);
}

QString ResultsModel::displayText(int storeRow, int storeColumn) const
{
    QString text = store().text(storeRow, storeColumn);
    if (storeColumn != Combination::priceColumn || text.isEmpty())
        return text;
    const auto price = PriceStore::readPrice(text);
    return price ? NumberText::formatStandard(*price) : text;
}

std::optional<PieceColours::Style> ResultsModel::markedStyle(int storeRow, int storeColumn) const
{
    if (!m_marking->cellStyleRequested(storeColumn))
        return std::nullopt;
    return PieceColours::forCellText(store().text(storeRow, storeColumn));
}

QVariant ResultsModel::background(int storeRow, int storeColumn) const
{
    const auto style = markedStyle(storeRow, storeColumn);
    return style ? QVariant(toQColor(style->background)) : QVariant();
}

QVariant ResultsModel::foreground(int storeRow, int storeColumn) const
{
    const auto style = markedStyle(storeRow, storeColumn);
    return style && style->whiteText ? QVariant(toQColor(PieceColours::white)) : QVariant();
}
