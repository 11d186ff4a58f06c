#include "ResultQuery.h"

#include "Combination.h"
#include "NumberText.h"
#include "ResultSorter.h"
#include "UserText.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

namespace {

std::size_t slot(int position)
{
    return std::size_t(position - 1);
}

// A number cell of a result row as the locale reads it; a cell that holds
// no number (a price total beyond the float range) sorts after every number.
double numberOrLast(const QString &text)
{
    return NumberText::toDouble(text).value_or(std::numeric_limits<double>::infinity());
}

QString unknownPiece(QStringView articleNumber)
{
    if (articleNumber.isEmpty())
        return QStringLiteral("In der Liste fehlt eine Artikelnummer (zwei Kommas oder eines am "
                              "Rand?).");
    QStringList known;
    for (const TrackPiece &piece : TrackCatalogue::pieces())
        known << piece.articleNumber;
    return QStringLiteral("Unbekannte Artikelnummer: %1 (bekannt sind %2)")
        .arg(UserText::quoted(articleNumber), known.join(u", "));
}

} // namespace

QString ResultQuery::setOrder(QStringView name)
{
    if (name == u"length")
        m_order = Order::Length;
    else if (name == u"price")
        m_order = Order::Price;
    else if (name == u"articles")
        m_order = Order::Articles;
    else if (name == u"pieces")
        m_order = Order::Pieces;
    else
        return QStringLiteral("Unbekannte Sortierung: %1 (möglich sind length, price, pieces, "
                              "articles)")
            .arg(UserText::quoted(name));
    return QString();
}

QString ResultQuery::setMaxPieces(QStringView text)
{
    const auto pieces = NumberText::digitValue(text);
    if (!pieces || *pieces == 0)
        return QStringLiteral("--max-pieces braucht eine Zahl von 1 bis 9, nicht: %1")
            .arg(UserText::quoted(text));
    m_maxPieces = *pieces;
    return QString();
}

QString ResultQuery::addWithout(QStringView list)
{
    for (QStringView articleNumber : list.split(u',')) {
        const int position = TrackCatalogue::positionOf(articleNumber);
        if (position == 0)
            return unknownPiece(articleNumber);
        m_without[slot(position)] = true;
    }
    return QString();
}

QString ResultQuery::addStock(QStringView list)
{
    for (QStringView entry : list.split(u',')) {
        const qsizetype equals = entry.indexOf(u'=');
        if (entry.isEmpty())
            return unknownPiece(entry);
        if (equals < 0)
            return QStringLiteral("--stock erwartet ARTNR=ANZAHL, nicht: %1")
                .arg(UserText::quoted(entry));
        const QStringView articleNumber = entry.left(equals);
        const QStringView count = entry.mid(equals + 1);
        const int position = TrackCatalogue::positionOf(articleNumber);
        if (position == 0)
            return unknownPiece(articleNumber);
        const auto stocked = NumberText::digitValue(count);
        if (!stocked)
            return QStringLiteral("Der Bestand von %1 muss eine Zahl von 0 bis 9 sein, nicht: %2")
                .arg(articleNumber, UserText::quoted(count));
        if (m_stock[slot(position)])
            return QStringLiteral("Der Bestand von %1 ist mehrfach angegeben.").arg(articleNumber);
        m_stock[slot(position)] = *stocked;
    }
    return QString();
}

QString ResultQuery::check() const
{
    const bool anyStock =
        std::any_of(m_stock.begin(), m_stock.end(), [](const auto &s) { return s.has_value(); });
    if (m_stockOnly && !anyStock)
        return QStringLiteral("--stock-only braucht --stock: welche Gleise sind vorhanden?");
    for (int position = 1; position <= TrackCatalogue::pieceCount; ++position) {
        if (m_without[slot(position)] && m_stock[slot(position)]) {
            return QStringLiteral("%1 steht in --without und in --stock; bitte nur in einem.")
                .arg(TrackCatalogue::piece(position).articleNumber);
        }
    }
    return QString();
}

int ResultQuery::limit(int position) const
{
    if (m_without[slot(position)])
        return 0;
    if (const auto stock = m_stock[slot(position)])
        return *stock;
    return m_stockOnly ? 0 : unlimited;
}

int ResultQuery::pieceCount(const GridStore &results, int row)
{
    int count = 0;
    for (int k = 0; k < Combination::pieceSlots; ++k)
        count += results.text(row, Combination::firstArticleColumn + k).isEmpty() ? 0 : 1;
    return count;
}

bool ResultQuery::accepts(const GridStore &results, int row) const
{
    if (pieceCount(results, row) > m_maxPieces)
        return false;
    std::array<int, TrackCatalogue::pieceCount> used{};
    for (int k = 0; k < Combination::pieceSlots; ++k) {
        const int position =
            TrackCatalogue::positionOf(results.text(row, Combination::firstArticleColumn + k));
        if (position != 0 && ++used[slot(position)] > limit(position))
            return false;
    }
    return true;
}

GridStore ResultQuery::apply(const GridStore &results, int rowCount, int wantedLength) const
{
    std::vector<int> rows;
    for (int row = 0; row < rowCount; ++row) {
        if (accepts(results, row))
            rows.push_back(row);
    }

    if (m_order == Order::Pieces) {
        struct Key
        {
            int pieces;
            double distance; // whole tenths of a millimetre, so that ties are exact
            double price;
        };
        std::vector<Key> keys(static_cast<std::size_t>(rowCount));
        for (int row : rows) {
            const double tenths =
                std::round(numberOrLast(results.text(row, Combination::sumColumn)) * 10.0);
            keys[std::size_t(row)] = {pieceCount(results, row),
                                      std::abs(tenths - double(wantedLength) * 10.0),
                                      numberOrLast(results.text(row, Combination::priceColumn))};
        }
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
            const Key &x = keys[std::size_t(a)];
            const Key &y = keys[std::size_t(b)];
            return std::tie(x.pieces, x.distance, x.price) <
                   std::tie(y.pieces, y.distance, y.price);
        });
    }

    GridStore picked;
    picked.resize(0, int(rows.size()) - 1, 0, Combination::columnCount - 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int column = 0; column < Combination::columnCount; ++column)
            picked.setCell(int(i), column, results.cell(rows[i], column));
    }

    // The three header sorts exactly as the window does them.
    int header = -1;
    if (m_order == Order::Length)
        header = Combination::sumColumn;
    else if (m_order == Order::Price)
        header = Combination::priceColumn;
    else if (m_order == Order::Articles)
        header = Combination::firstArticleColumn;
    if (header >= 0)
        picked.sortRows(picked.firstRow(), picked.lastRow(), ResultSorter::keysFor(header));
    return picked;
}
