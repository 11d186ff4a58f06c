#include "CombinationSearch.h"

#include "Combination.h"
#include "GridStore.h"
#include "NumberText.h"
#include "PriceStore.h"

namespace {

// The nine nested loops, on slot indexes that live outside this function so
// that a run started from inside `pump` moves them for this run too. Partial
// sums are kept in doubles: every piece length is a float with at most 24
// significant bits, so all sums of up to nine of them are exact in a double,
// and rounding the final sum once to float is the exact sum rounded once.
template <typename Visit, typename Pump>
bool enumerate(std::array<int, 9> &s, const SearchLengths &L, Visit &&visit, Pump &&pump)
{
    for (s[0] = 0; s[0] <= 9; ++s[0]) {
        const double p0 = L[s[0]];
        for (s[1] = s[0]; s[1] <= 9; ++s[1]) {
            const double p1 = p0 + L[s[1]];
            for (s[2] = s[1]; s[2] <= 9; ++s[2]) {
                const double p2 = p1 + L[s[2]];
                for (s[3] = s[2]; s[3] <= 9; ++s[3]) {
                    const double p3 = p2 + L[s[3]];
                    for (s[4] = s[3]; s[4] <= 9; ++s[4]) {
                        const double p4 = p3 + L[s[4]];
                        for (s[5] = s[4]; s[5] <= 9; ++s[5]) {
                            const double p5 = p4 + L[s[5]];
                            for (s[6] = s[5]; s[6] <= 9; ++s[6]) {
                                const double p6 = p5 + L[s[6]];
                                for (s[7] = s[6]; s[7] <= 9; ++s[7]) {
                                    const double p7 = p6 + L[s[7]];
                                    for (s[8] = s[7]; s[8] <= 9; ++s[8]) {
                                        visit(float(p7 + L[s[8]]));
                                        if (!pump())
                                            return false;
                                    }
                                    if (!pump())
                                        return false;
                                }
                                if (!pump())
                                    return false;
                            }
                            if (!pump())
                                return false;
                        }
                        if (!pump())
                            return false;
                    }
                    if (!pump())
                        return false;
                }
                if (!pump())
                    return false;
            }
            if (!pump())
                return false;
        }
        if (!pump())
            return false;
    }
    return true;
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
    std::array<QString, 10> lengthText;
    std::array<QString, 10> articleNumber;
    std::array<float, 10> unitPrice{};
    for (int i = 1; i <= 9; ++i) {
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
            const int slot = m_slot[std::size_t(8 - k)];
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
    std::array<int, 9> slots{};
    const SearchLengths lengths = TrackCatalogue::searchLengths();
    int fits = 0;
    enumerate(
        slots, lengths, [&](float sum) { fits += (sum >= lower && sum <= upper) ? 1 : 0; },
        [] { return true; });
    return fits;
}
