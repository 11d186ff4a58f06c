#include "PieceModel.h"

#include "Question.h"
#include "core/NumberText.h"
#include "core/OwnedList.h"
#include "core/Shopping.h"

#include <QLocale>

PieceModel::PieceModel(QObject *parent) : QAbstractTableModel(parent) {}

void PieceModel::setPieces(const QList<Piece> &pieces, const PieceBook::Entries &entries)
{
    beginResetModel();
    m_pieces = pieces;
    m_entries = entries;
    // A measured length kept from before it was checked, or edited by hand,
    // that cannot be this piece's counts as not measured.
    for (const Piece &piece : pieces) {
        const auto it = m_entries.find(piece.article);
        if (it != m_entries.end() && it->measuredMm &&
            !PieceBook::measuredFits(piece.nominalMm, *it->measuredMm))
            it->measuredMm.reset();
    }
    endResetModel();
}

double PieceModel::lengthOf(int row) const
{
    const PieceBook::Entry e = entry(row);
    return e.measuredMm ? *e.measuredMm : m_pieces.value(row).nominalMm;
}

QStringList PieceModel::setOwned(const QHash<QString, int> &counts)
{
    QStringList unknown;
    QHash<QString, int> byKey;
    for (int row = 0; row < m_pieces.size(); ++row)
        byKey.insert(OwnedList::key(m_pieces[row].article), row);
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const int row = byKey.value(it.key(), -1);
        if (row < 0) {
            unknown << it.key();
            continue;
        }
        m_entries[m_pieces[row].article].owned = it.value();
    }
    unknown.sort();
    Q_EMIT dataChanged(index(0, Owned), index(rowCount() - 1, Owned));
    Q_EMIT entriesEdited();
    return unknown;
}

int PieceModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_pieces.size());
}

int PieceModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PieceModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Piece &piece = m_pieces[index.row()];
    const PieceBook::Entry e = m_entries.value(piece.article);
    if (role == Qt::TextAlignmentRole)
        return index.column() >= Nominal ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                         : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    // The text may be cut short in a narrow column: whole in the tooltip.
    if (role == Qt::ToolTipRole && index.column() == Label)
        return piece.label;
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const QLocale locale;
    switch (index.column()) {
    case Article:
        return piece.article;
    case Label:
        return piece.label;
    // Hundredths where a length has them (27,75 mm), as the sums they add
    // up to show them: one decimal would show a length the answers do not
    // count with.
    case Nominal:
        return Gleisrechner::millimetres(Gleisrechner::units(piece.nominalMm), locale);
    case Measured:
        return e.measuredMm ? Gleisrechner::millimetres(Gleisrechner::units(*e.measuredMm), locale)
                            : QString();
    case Owned:
        return e.owned > 0 || role == Qt::EditRole ? locale.toString(e.owned) : QString();
    case Price:
        return e.priceCents > 0 || role == Qt::EditRole ? Shopping::money(e.priceCents, locale)
                                                        : QString();
    }
    return {};
}

QVariant PieceModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    // Two lines where a unit follows, so that the six columns fit beside the
    // question at the window's first size.
    static const char *const captions[ColumnCount] = {
        "Artikel", "Bezeichnung", "Länge\n(mm)", "gemessen\n(mm)", "Bestand", "Stückpreis\n(€)"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(captions[section]) : QString();
}

Qt::ItemFlags PieceModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() >= Measured)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool PieceModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid) ||
        index.column() < Measured)
        return false;
    const QString text = value.toString().trimmed();
    const Piece &piece = m_pieces[index.row()];
    const QLocale locale;
    PieceBook::Entry e = entry(index.row());
    switch (index.column()) {
    case Measured: {
        if (text.isEmpty()) {
            e.measuredMm.reset();
            break;
        }
        const std::optional<float> mm = NumberText::toFloat(text);
        if (!mm || !PieceBook::measuredFits(piece.nominalMm, double(*mm))) {
            Q_EMIT refused(
                QStringLiteral("Die gemessene Länge von %1 muss eine Zahl wie %2 "
                               "sein, höchstens 10 % von der Nennlänge entfernt, "
                               "nicht: %3")
                    .arg(piece.label,
                         Gleisrechner::millimetres(Gleisrechner::units(piece.nominalMm), locale),
                         text));
            return false;
        }
        // Counted in hundredths; the float's tail would only be noise in
        // the settings file.
        e.measuredMm = RangeUnits::toMillimetres(Gleisrechner::units(double(*mm)));
        break;
    }
    case Owned: {
        // Whole pieces only: the locale reading would round "1,5" to 2.
        const std::optional<qint16> count = text.isEmpty()               ? qint16(0)
                                            : NumberText::isDigits(text) ? NumberText::toInt16(text)
                                                                         : std::nullopt;
        if (!count || *count < 0 || *count > PieceBook::mostOwned) {
            Q_EMIT refused(QStringLiteral("Der Bestand von %1 muss eine ganze Zahl von 0 bis %2 "
                                          "sein, nicht: %3")
                               .arg(piece.label)
                               .arg(PieceBook::mostOwned)
                               .arg(text));
            return false;
        }
        e.owned = *count;
        break;
    }
    case Price: {
        const std::optional<qint64> cents = Shopping::readMoney(text);
        if (!cents) {
            Q_EMIT refused(QStringLiteral("Der Stückpreis von %1 muss ein Betrag wie %2 sein, "
                                          "nicht: %3")
                               .arg(piece.label, Shopping::money(1249, locale), text));
            return false;
        }
        e.priceCents = *cents;
        break;
    }
    }
    if (e == entry(index.row()))
        return true;
    m_entries[m_pieces[index.row()].article] = e;
    Q_EMIT dataChanged(index, index);
    Q_EMIT entriesEdited();
    return true;
}
