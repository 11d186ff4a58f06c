#pragma once

#include "Question.h"

#include <QAbstractTableModel>
#include <QStringList>

// The answers as the table tblErgebnisse shows them, best first in the
// chosen order. A large answer is shown a page at a time (fetchMore); once
// the rows the solver listed are all shown, asking for more asks the solver
// for a longer list.
class AnswerModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The pieces last: their text is the longest, and the numbers stay in
    // sight however narrow the table.
    enum Column { Count, Sum, Deviation, Price, ToBuy, ToBuyCost, Pieces, ColumnCount };
    static constexpr int pageSize = 100;

    explicit AnswerModel(QObject *parent = nullptr);

    void setLabels(const QStringList &labels) { m_labels = labels; }
    void setAnswer(const Answer &answer);
    const Answer &answer() const { return m_answer; }
    const GapSolver::Selection *row(int row) const;
    // "N von M": rows shown of every fitting selection.
    QString countText() const;
    // The pieces of a row: "2 × 24 360, 1 × 24 236".
    QString piecesText(const GapSolver::Selection &row) const;

    static GapSolver::Order orderOf(int column);
    static int columnOf(GapSolver::Order order);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

Q_SIGNALS:
    // Every listed row is shown and the solver knows more: list at least `rows`.
    void moreWanted(int rows);
    void orderWanted(GapSolver::Order order);
    void countChanged();

private:
    // Whether `answer` lists the rows shown now, in their places, and more.
    bool extendsShown(const Answer &answer) const;

    QStringList m_labels;
    Answer m_answer;
    int m_shown = 0;
    bool m_moreAsked = false;
    bool m_busy = false; // inside a reset or an insertion
};
