#pragma once

#include "core/PieceBook.h"

#include <QAbstractTableModel>
#include <QList>

// The pieces of the chosen range as the table tblGleise shows them: the
// catalogue's article number, text and nominal length beside what the user
// keeps about each (measured length, owned count, unit price), which they
// edit in place.
class PieceModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Article, Label, Nominal, Measured, Owned, Price, ColumnCount };

    struct Piece
    {
        QString article;
        QString label;
        double nominalMm = 0.0;
    };

    explicit PieceModel(QObject *parent = nullptr);

    void setPieces(const QList<Piece> &pieces, const PieceBook::Entries &entries);
    const QList<Piece> &pieces() const { return m_pieces; }
    const PieceBook::Entries &entries() const { return m_entries; }
    // The length a piece counts with: measured where measured, else nominal.
    double lengthOf(int row) const;
    PieceBook::Entry entry(int row) const { return m_entries.value(m_pieces.value(row).article); }
    // Takes owned counts by article number (an imported list); returns the
    // article numbers that are not pieces of this range.
    QStringList setOwned(const QHash<QString, int> &counts);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // A user's edit (or an import) changed what is kept: save it and ask again.
    void entriesEdited();
    // An edit was not taken; `why` says so in German, naming the piece.
    void refused(const QString &why);

private:
    QList<Piece> m_pieces;
    PieceBook::Entries m_entries;
};
