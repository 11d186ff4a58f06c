#include "CombinationSearch.h"

#include "Combination.h"
#include "GridStore.h"
#include "NumberText.h"
#include "PriceStore.h"

namespace {

using Slots = std::array<int, Combination::pieceSlots>;

// The loop on slot k, and inside it the loops on the slots after it: slot k
// runs from the slot before it (0 for the first) up to the last search index.
// The slot indexes live outside this function, so that a run started from
// inside `pump` moves them for this run too; each loop therefore reads its
// index back from `s` after every pump. Partial sums are kept in doubles:
// every piece length is a float with at most 24 significant bits, so all sums
// of up to nine of them are exact in a double, and rounding the final sum once
// to float is the exact sum rounded once.
template <std::size_t k, typename Visit, typename Pump>
bool enumerateFrom(Slots &s, const SearchLengths &L, double partial, Visit &visit, Pump &pump)
{
    constexpr std::size_t last = Combination::pieceSlots - 1;
    int first = 0;
    if constexpr (k > 0)
        first = s[k - 1];
    for (s[k] = first; s[k] <= TrackCatalogue::pieceCount; ++s[k]) {
        const double sum = partial + L[std::size_t(s[k])];
        if constexpr (k == last) {
            visit(float(sum));
        } else if (!enumerateFrom<k + 1>(s, L, sum, visit, pump)) {
            return false;
        }
        // After a candidate, or after the loop on the next slot has run out.
        if (!pump())
            return false;
    }
    return true;
}

template <typename Visit, typename Pump>
bool enumerate(Slots &s, const SearchLengths &L, Visit &&visit, Pump &&pump)
{
    return enumerateFrom<0>(s, L, 0.0, visit, pump);
}

} // namespace

CombinationSearch::Outcome CombinationSearch::run(float lower, float upper, GridStore &results,
                                                  const PriceStore &prices, const EventPump &pump,
                                                  const RowStored &rowStored)
{
    m_lower = lower;
    m_upper = upper;

    results.resize(0, 0, 0, Combination::columnCount - 1);
    for (int c = 0; c < Combination::columnCount; ++c)
        results.setCell(0, c, QString());

    m_lengths = TrackCatalogue::searchLengths();

    // What one piece contributes to a row, worked out once per run: its
    // length text, article number and unit price.
    constexpr std::size_t indexes = std::tuple_size_v<SearchLengths>;
    std::array<QString, indexes> lengthText;
    std::array<QString, indexes> articleNumber;
    std::array<float, indexes> unitPrice{};
    for (std::size_t i = 1; i < indexes; ++i) {
        lengthText[i] = NumberText::formatLength(m_lengths[i]);
        articleNumber[i] = TrackCatalogue::ArtNrVonLaenge(m_lengths[i]);
        unitPrice[i] = prices.Preis(articleNumber[i]);
    }

    Outcome outcome;
    qint16 n = 0; // 16-bit on purpose: no window of 18 mm holds more than 932 rows
    const auto store = [&](float sum) {
        if (sum < m_lower || sum > m_upper)
            return;
        results.resize(0, n, 0, Combination::columnCount - 1);
        float total = 0.0f;
        for (int k = 0; k < Combination::pieceSlots; ++k) {
            const auto slot = std::size_t(m_slot[std::size_t(Combination::pieceSlots - 1 - k)]);
            if (m_lengths[slot] > 0.0f) {
                results.setCell(n, Combination::firstLengthColumn + k, lengthText[slot]);
                results.setCell(n, Combination::firstArticleColumn + k, articleNumber[slot]);
                total += unitPrice[slot]; // rounded to 32 bits after each addition
            }
        }
        results.setCell(n, Combination::sumColumn, NumberText::formatSum(sum));
        results.setCell(n, Combination::priceColumn, NumberText::formatPrice(total));
        ++n;
        outcome.rows = n;
        if (rowStored)
            rowStored(n);
    };
    const auto pumpEvents = [&] { return !pump || pump(); };

    outcome.abandoned = !enumerate(m_slot, m_lengths, store, pumpEvents);
    return outcome;
}

int CombinationSearch::countFits(float lower, float upper)
{
    Slots indexes{};
    const SearchLengths lengths = TrackCatalogue::searchLengths();
    int fits = 0;
    enumerate(
        indexes, lengths, [&](float sum) { fits += (sum >= lower && sum <= upper) ? 1 : 0; },
        [] { return true; });
    return fits;
}
