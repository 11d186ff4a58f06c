#include "AnswerModel.h"

#include "core/Shopping.h"

#include <QLocale>
#include <QScopedValueRollback>

AnswerModel::AnswerModel(QObject *parent) : QAbstractTableModel(parent) {}

bool AnswerModel::extendsShown(const Answer &answer) const
{
    if (answer.page.rows.size() <= m_shown)
        return false;
    for (int i = 0; i < m_shown; ++i)
        if (answer.page.rows[i].counts != m_answer.page.rows[i].counts)
            return false;
    return true;
}

void AnswerModel::setAnswer(const Answer &answer)
{
    // Views (and model testers) may ask for more while the reset is being
    // announced; rows are only added once it is done.
    const QScopedValueRollback busy(m_busy, true);
    if (m_moreAsked && extendsShown(answer)) {
        // The longer list asked for: the rows shown stay where they are, so
        // that the view keeps its place and its chosen row, and the next
        // page follows them.
        m_answer = answer;
        m_moreAsked = false;
        if (m_shown > 0)
            Q_EMIT dataChanged(index(0, 0), index(m_shown - 1, ColumnCount - 1));
        const int more = int(qMin<qsizetype>(pageSize, answer.page.rows.size() - m_shown));
        beginInsertRows({}, m_shown, m_shown + more - 1);
        m_shown += more;
        endInsertRows();
        Q_EMIT countChanged();
        return;
    }
    // A longer list that comes after the question changed keeps as many
    // rows as were shown.
    const int keep = m_moreAsked ? m_shown : 0;
    beginResetModel();
    m_answer = answer;
    m_shown = int(qMin<qsizetype>(answer.page.rows.size(), qMax(keep, pageSize)));
    m_moreAsked = false;
    endResetModel();
    Q_EMIT countChanged();
}

const GapSolver::Selection *AnswerModel::row(int row) const
{
    return row >= 0 && row < m_shown ? &m_answer.page.rows[row] : nullptr;
}

QString AnswerModel::countText() const
{
    const QLocale locale;
    return QStringLiteral("%1 von %2")
        .arg(locale.toString(m_shown), locale.toString(m_answer.page.total));
}

QString AnswerModel::piecesText(const GapSolver::Selection &row) const
{
    // Longest first, as the pieces are laid out on the bench.
    QStringList parts;
    for (qsizetype i = row.counts.size() - 1; i >= 0; --i)
        if (row.counts[i] > 0)
            parts << QStringLiteral("%1 × %2").arg(row.counts[i]).arg(m_labels.value(i));
    return parts.join(QStringLiteral(", "));
}

GapSolver::Order AnswerModel::orderOf(int column)
{
    switch (column) {
    case Sum:
    case Deviation:
        return GapSolver::Order::Nearest;
    case Price:
        return GapSolver::Order::Price;
    case ToBuy:
        return GapSolver::Order::ToBuy;
    case ToBuyCost:
        return GapSolver::Order::BuyCost;
    default:
        return GapSolver::Order::Pieces;
    }
}

int AnswerModel::columnOf(GapSolver::Order order)
{
    switch (order) {
    case GapSolver::Order::Nearest:
        return Deviation;
    case GapSolver::Order::Price:
        return Price;
    case GapSolver::Order::ToBuy:
        return ToBuy;
    case GapSolver::Order::BuyCost:
        return ToBuyCost;
    default:
        return Count;
    }
}

int AnswerModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

int AnswerModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AnswerModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == Pieces ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                        : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (index.column() == Pieces && role == Qt::ToolTipRole)
        role = Qt::DisplayRole; // the whole text where the column cuts it
    if (role != Qt::DisplayRole)
        return {};
    const GapSolver::Selection &r = m_answer.page.rows[index.row()];
    const QLocale locale;
    switch (index.column()) {
    case Pieces:
        return piecesText(r);
    case Count:
        return locale.toString(r.pieces);
    case Sum:
        return Gleisrechner::millimetres(r.length, locale);
    case Deviation:
        return Gleisrechner::deviation(r.length - m_answer.problem.wanted, locale);
    case Price:
        return Shopping::money(r.price, locale);
    case ToBuy:
        return locale.toString(r.toBuy);
    case ToBuyCost:
        return Shopping::money(r.buyCost, locale);
    }
    return {};
}

QVariant AnswerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    // Two lines each, so that the six numbers fit beside the pieces on a
    // small screen.
    static const char *const captions[ColumnCount] = {
        "Stück",      "Summe\n(mm)", "Abweichung\n(mm)",
        "Preis\n(€)", "zu\nkaufen",  "Kosten zu\nkaufen (€)",
        "Gleise"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(captions[section]) : QString();
}

bool AnswerModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_moreAsked && quint64(m_shown) < m_answer.page.total;
}

void AnswerModel::fetchMore(const QModelIndex &parent)
{
    if (m_busy || !canFetchMore(parent))
        return;
    const QScopedValueRollback busy(m_busy, true);
    const int listed = int(m_answer.page.rows.size());
    if (m_shown < listed) {
        const int more = qMin(pageSize, listed - m_shown);
        beginInsertRows({}, m_shown, m_shown + more - 1);
        m_shown += more;
        endInsertRows();
        Q_EMIT countChanged();
        return;
    }
    m_moreAsked = true;
    Q_EMIT moreWanted(listed + 4 * pageSize);
}

void AnswerModel::sort(int column, Qt::SortOrder)
{
    // Every order is "best first"; the solver lists the rows in it.
    Q_EMIT orderWanted(orderOf(column));
}
