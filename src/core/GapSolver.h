#pragma once

#include "TrackRange.h"

#include <QList>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

// Bridges a gap with the pieces of any range without trying every selection.
//
// A selection is a multiset of pieces; its length is the sum of its pieces'
// lengths plus one joint allowance per joint. A gap between two fixed track
// ends takes n + 1 joints for n pieces (one at each end and one between each
// two pieces), so a selection of n pieces is n * length + (n + 1) * joint
// long. A selection fits when its length lies in [wanted - minus, wanted +
// plus], both bounds included, it has 1 to maxPieces pieces and uses no piece
// more often than that piece's limit.
//
// Construction builds two tables over the exact sums (in the largest unit
// that divides every piece length): which sums r pieces of the kinds from
// index k on can reach, and how many selections of n pieces reach each sum.
// Counting is then a sum over the window, and listing walks the selections in
// the asked order, entering only branches that still reach the window, so
// its cost follows the rows listed, not the selections that exist.
//
// All queries are const and use no shared mutable state: one solver may be
// asked from several threads at once. The optional cancel flag is read
// periodically; a cancelled call returns what it has with `cancelled` set.
class GapSolver
{
public:
    // The order rows are listed in; every order ends in the search order, so
    // equal rows keep the order the window's enumeration gives them.
    enum class Order {
        Search,  // fewer pieces first, then the ascending piece indexes
                 // lexicographically: exactly the window's enumeration
        Pieces,  // fewest pieces, then nearest the wanted length, then cheapest
        Nearest, // nearest the wanted length, then fewest pieces, then cheapest
        Price,   // cheapest, then fewest pieces
        Length,  // shortest summed length first
        ToBuy,   // fewest pieces to buy, then their cost, then fewest pieces
        BuyCost, // cheapest to buy, then fewest pieces to buy, then fewest pieces
    };

    static constexpr int defaultMaxPieces = 9;
    static constexpr int largestMaxPieces = 20;
    static constexpr int largestRange = 40; // piece kinds

    struct Problem
    {
        TrackRange range;
        qint64 wanted = 0; // units (RangeUnits)
        qint64 minus = 0;
        qint64 plus = 0;
        qint64 joint = 0; // allowance per joint, may be negative
        int maxPieces = defaultMaxPieces;
        // Per piece index (search order); a missing entry or a negative one
        // means no limit other than maxPieces, 0 leaves the piece out.
        QList<int> limit;
        // Per piece index: how many the builder has on hand (missing: 0).
        QList<int> stock;
        // Per piece index: unit price in cents (missing: 0).
        QList<qint64> unitPrice;
    };

    struct Selection
    {
        QList<int> counts; // per piece index
        int pieces = 0;
        qint64 length = 0;  // units, joints included
        qint64 price = 0;   // cents
        int toBuy = 0;      // pieces beyond the stock
        qint64 buyCost = 0; // cents for those

        // The piece indexes of the row, longest first ("24360", "24360", "24188").
        QList<int> rowOrder() const;
    };

    struct Page
    {
        QList<Selection> rows;
        quint64 total = 0;      // every fit; saturates at UINT64_MAX
        bool cancelled = false; // rows may be incomplete
    };

    struct Nearest
    {
        // The nearest reachable length below the window's lower bound and
        // above its upper one, each with its fewest-pieces selection (first
        // in search order among equals).
        std::optional<Selection> below;
        std::optional<Selection> above;
        // The minus and plus tolerance that would take them in, in units.
        qint64 minusNeeded = 0;
        qint64 plusNeeded = 0;
    };

    // An exchange on a run already laid: take `remove` out and put `add` in
    // (piece indexes, at most two each, not both empty).
    struct Swap
    {
        QList<int> remove;
        QList<int> add;
        qint64 offAfter = 0; // the run's error after the exchange, units
    };

    // n pieces between two fixed track ends make n + 1 joints.
    static constexpr int joints(int pieces) { return pieces + 1; }

    explicit GapSolver(Problem problem, const std::atomic<bool> *cancel = nullptr);
    ~GapSolver();
    GapSolver(const GapSolver &) = delete;
    GapSolver &operator=(const GapSolver &) = delete;
    GapSolver(GapSolver &&) noexcept;
    GapSolver &operator=(GapSolver &&) noexcept;

    const Problem &problem() const;
    // The construction was cancelled: every query answers nothing.
    bool isCancelled() const;

    // How many selections fit (saturating at UINT64_MAX).
    quint64 count() const;

    // The most memory the tables took at once while being built, in bytes.
    std::size_t tableBytes() const;

    // Rows offset to offset + limit - 1 of the fits in the given order, and
    // the total. A negative limit lists all.
    Page list(Order order, qint64 offset, qint64 limit,
              const std::atomic<bool> *cancel = nullptr) const;

    Nearest nearest(const std::atomic<bool> *cancel = nullptr) const;

    // The selection with these counts, its figures worked out.
    Selection selection(const QList<int> &counts) const;

    // For a run of the pieces `laid` (piece indexes) that is `off` units too
    // long (positive) or too short (negative): every exchange of at most two
    // of its pieces for at most two pieces of the range after which the
    // error lies in [-minus, plus], fewest pieces moved first, then the
    // smallest error, then search order. The joint allowance counts for
    // pieces added and removed.
    static QList<Swap> swaps(const TrackRange &range, const QList<int> &laid, qint64 off,
                             qint64 minus, qint64 plus, qint64 joint = 0);

private:
    struct Tables;
    std::unique_ptr<Tables> m_tables;
};
