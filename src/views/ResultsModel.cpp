#include "ResultsModel.h"

#include "ColourMarking.h"
#include "grid/GridStore.h"

#include <QColor>

namespace {

QColor toColor(const Rgb &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

ResultsModel::ResultsModel(GridStore *results, const ColourMarking *marking, QObject *parent)
    : GridStoreModel(results, captions(), parent), m_marking(marking)
{
}

QStringList ResultsModel::captions()
{
    QStringList captions;
    for (int i = 1; i <= 9; ++i)
        captions << QStringLiteral("L%1").arg(i);
    captions << QStringLiteral(" Länge ") << QStringLiteral("Gl1 ");
    for (int i = 2; i <= 9; ++i)
        captions << QStringLiteral("Gl%1").arg(i);
    captions << QStringLiteral("Preis ");
    return captions;
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const
{
    if (role == MarkedRole) {
        return background(storeRow(index.row()), storeColumn(index.column())).isValid();
    }
    return GridStoreModel::data(index, role);
}

QVariant ResultsModel::background(int storeRow, int storeColumn) const
{
    if (!m_marking->cellStyleRequested(storeColumn))
        return {};
    const auto style = PieceColours::forCellText(store().text(storeRow, storeColumn));
    if (!style)
        return {};
    return toColor(style->background);
}

QVariant ResultsModel::foreground(int storeRow, int storeColumn) const
{
    if (!m_marking->cellStyleRequested(storeColumn))
        return {};
    const auto style = PieceColours::forCellText(store().text(storeRow, storeColumn));
    if (!style || !style->whiteText)
        return {};
    return toColor(PieceColours::white);
}
