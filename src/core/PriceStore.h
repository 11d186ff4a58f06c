#pragma once

#include "GridStore.h"

#include <QStringView>

#include <array>
#include <optional>

// The user's unit prices: row 1, column 0 the caption "Preise", columns 1 to
// 9 the price of catalogue positions 1 to 9. Prices are kept exactly as the
// user typed them or the settings file held them; they become numbers only
// when Preis() reads them.
class PriceStore : public GridStore
{
public:
    static constexpr int row = 1;

    PriceStore();

    QString price(int position) const { return text(row, position); }
    void setPrice(int position, const QString &price) { setCell(row, position, price); }
    // Takes the prices that are there, catalogue order, and keeps the others.
    void setPrices(const std::array<std::optional<QString>, 9> &prices);

    // The unit price of an article number as a float; 0 for a text that is
    // not one of the nine article numbers, and 0 for a price that is empty or
    // cannot be read (the price grid refuses such edits, so this only meets
    // what a hand-edited settings file brought in).
    float Preis(QStringView artNr) const;

    // A price cell as a number: an empty cell is 0, an unreadable text none.
    static std::optional<float> readPrice(const QVariant &cell);
};
