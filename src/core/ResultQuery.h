#pragma once

#include "GridStore.h"
#include "TrackCatalogue.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The builder's questions put to a finished search: which rows to keep
// (at most so many pieces, without some pieces, only what is in stock) and
// in which order to list them. It only picks and reorders whole rows of the
// complete enumeration; every cell keeps the text the search wrote.
//
// Each set/add function reads the text of one command-line option and gives
// a German message for a bad value, or the empty text when it was taken.
class ResultQuery
{
public:
    enum class Order {
        Search,   // as the enumeration stored them
        Length,   // the " Länge " header: summed length ascending
        Price,    // the "Preis " header: price ascending
        Articles, // the "Gl1 " header: article numbers descending
        Pieces,   // fewest pieces, then nearest the wanted length, then cheapest
    };

    static constexpr int unlimited = TrackCatalogue::pieceCount;

    QString setOrder(QStringView name);
    QString setMaxPieces(QStringView text);
    // "24094,24064": pieces no row may use.
    QString addWithout(QStringView list);
    // "24360=2,24236=1": how many of each piece the builder owns.
    QString addStock(QStringView list);
    void setStockOnly(bool stockOnly) { m_stockOnly = stockOnly; }
    // Contradictions between options, once all are read.
    QString check() const;

    Order order() const { return m_order; }
    // How many of the piece at catalogue position 1..9 a row may use.
    int limit(int position) const;
    bool accepts(const GridStore &results, int row) const;

    // Rows 0 to rowCount - 1 of `results` that the query accepts, in its
    // order, as rows 0 on of a new store with the same twenty columns.
    // `wantedLength` is the length the search was asked for, in mm.
    GridStore apply(const GridStore &results, int rowCount, int wantedLength) const;

    // The number of pieces in a result row.
    static int pieceCount(const GridStore &results, int row);

private:
    Order m_order = Order::Search;
    int m_maxPieces = unlimited;
    std::array<bool, TrackCatalogue::pieceCount> m_without{};
    std::array<std::optional<int>, TrackCatalogue::pieceCount> m_stock{};
    bool m_stockOnly = false;
};
