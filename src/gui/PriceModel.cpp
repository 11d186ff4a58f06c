#include "PriceModel.h"

#include "QtColours.h"
#include "core/ColourMarking.h"
#include "core/NumberText.h"
#include "core/PriceStore.h"
#include "core/TrackCatalogue.h"

namespace {

// Far more than a cell can show; a longer text is cut before the view lays
// it out, so that a very long price line does not slow every paint.
constexpr qsizetype shownLength = 200;

// What a line edit, the grid's editor, holds at most; it cuts a longer text.
constexpr qsizetype editorLength = 32767;

bool isPriceColumn(int storeColumn)
{
    return storeColumn >= 1 && storeColumn <= TrackCatalogue::pieceCount;
}

} // namespace

PriceModel::PriceModel(PriceStore *prices, const ColourMarking *marking, QObject *parent)
    : GridStoreModel(&prices->table(), captions(), parent), m_prices(prices), m_marking(marking)
{
}

QStringList PriceModel::captions()
{
    QStringList captions{QStringLiteral(" Best. Nr.")};
    for (const TrackPiece &piece : TrackCatalogue::pieces())
        captions << piece.label;
    return captions;
}

QVariant PriceModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::EditRole && index.isValid() && isPriceColumn(storeColumn(index.column()))) {
        // A price too long for the editor (a hand-edited settings file) is
        // offered without its surrounding blanks: cut by the editor, "12,50"
        // after many blanks would come back as blanks alone, a free piece.
        const QString text = store().text(storeRow(index.row()), storeColumn(index.column()));
        return text.size() <= editorLength ? text : text.trimmed();
    }
    if ((role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) && index.isValid() &&
        isPriceColumn(storeColumn(index.column()))) {
        // A price that is not plainly a number here is shown as it stands;
        // what it counts as is told beside it, to the eye and the ear.
        const QString doubt = m_prices->doubt(storeColumn(index.column()));
        return doubt.isEmpty() ? QVariant() : QVariant(doubt);
    }
    return GridStoreModel::data(index, role);
}

Qt::ItemFlags PriceModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = GridStoreModel::flags(index);
    if (index.isValid() && isPriceColumn(storeColumn(index.column())))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool PriceModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const int column = storeColumn(index.column());
    if (!isPriceColumn(column))
        return false;

    const QString typed = value.toString();
    const PriceStore::Checked checked = PriceStore::check(typed);
    // Keeping an unreadable price would silently price combinations as if
    // the piece were free; one the file cannot keep would do so after the
    // next start.
    switch (checked.refusal) {
    case PriceStore::Refusal::None:
        break;
    case PriceStore::Refusal::NotANumber:
        Q_EMIT priceRefused(
            column, QStringLiteral("„%1“ ist kein Preis. Bitte eine Zahl eingeben, z. B. %2.\n"
                                   "Der bisherige Preis bleibt erhalten.")
                        .arg(typed, NumberText::formatStandard(12.5)));
        return false;
    case PriceStore::Refusal::NotStorable:
        Q_EMIT priceRefused(
            column,
            QStringLiteral("„%1“ enthält ein Zeichen, das die Einstellungsdatei nicht speichern "
                           "kann. Bitte den Preis ohne dieses Zeichen eingeben, z. B. %2.\n"
                           "Der bisherige Preis bleibt erhalten.")
                .arg(typed, NumberText::formatStandard(12.5)));
        return false;
    }
    m_prices->setPrice(column, checked.text);
    Q_EMIT dataChanged(index, index);
    return true;
}

QString PriceModel::displayText(int storeRow, int storeColumn) const
{
    const QString text = store().text(storeRow, storeColumn);
    if (isPriceColumn(storeColumn) && !m_prices->isBlank(storeColumn)) {
        if (const auto price = m_prices->value(storeColumn))
            return NumberText::formatStandard(*price);
    }
    return text.size() <= shownLength ? text : text.first(shownLength) + u'…';
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
