#include "GapSolver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <queue>
#include <tuple>
#include <vector>

namespace {

using Word = std::uint64_t;
constexpr int wordBits = 64;
constexpr quint64 countMax = std::numeric_limits<quint64>::max();

quint64 addSaturating(quint64 a, quint64 b)
{
    return a > countMax - b ? countMax : a + b;
}

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

qint64 ceilDiv(qint64 a, qint64 b)
{
    return -floorDiv(-a, b);
}

// Bit sets over the sums 0 .. size-1, one per (kind, remaining pieces).
class BitView
{
public:
    BitView(const Word *words, qint64 size) : m_words(words), m_size(size) {}

    bool test(qint64 i) const
    {
        return i >= 0 && i < m_size && ((m_words[i / wordBits] >> (i % wordBits)) & 1U) != 0;
    }

    // The lowest set bit in [a, b], or -1.
    qint64 lowest(qint64 a, qint64 b) const
    {
        a = std::max<qint64>(a, 0);
        b = std::min<qint64>(b, m_size - 1);
        if (a > b)
            return -1;
        qint64 w = a / wordBits;
        const qint64 last = b / wordBits;
        Word word = m_words[w] & (~Word(0) << (a % wordBits));
        while (true) {
            if (w == last && (b % wordBits) != wordBits - 1)
                word &= (Word(1) << ((b % wordBits) + 1)) - 1;
            if (word != 0)
                return w * wordBits + std::countr_zero(word);
            if (++w > last)
                return -1;
            word = m_words[w];
        }
    }

    // The highest set bit in [a, b], or -1.
    qint64 highest(qint64 a, qint64 b) const
    {
        a = std::max<qint64>(a, 0);
        b = std::min<qint64>(b, m_size - 1);
        if (a > b)
            return -1;
        qint64 w = b / wordBits;
        const qint64 first = a / wordBits;
        Word word = m_words[w];
        if ((b % wordBits) != wordBits - 1)
            word &= (Word(1) << ((b % wordBits) + 1)) - 1;
        while (true) {
            if (w == first)
                word &= ~Word(0) << (a % wordBits);
            if (word != 0)
                return w * wordBits + (wordBits - 1 - std::countl_zero(word));
            if (--w < first)
                return -1;
            word = m_words[w];
        }
    }

    bool any(qint64 a, qint64 b) const { return lowest(a, b) >= 0; }

private:
    const Word *m_words;
    qint64 m_size;
};

void orShifted(Word *dst, const Word *src, qint64 words, qint64 shift)
{
    const qint64 wordShift = shift / wordBits;
    const int bitShift = int(shift % wordBits);
    for (qint64 w = words - 1; w >= wordShift; --w) {
        Word value = src[w - wordShift] << bitShift;
        if (bitShift != 0 && w - wordShift - 1 >= 0)
            value |= src[w - wordShift - 1] >> (wordBits - bitShift);
        dst[w] |= value;
    }
}

void clearTail(Word *words, qint64 wordCount, qint64 size)
{
    const qint64 used = size % wordBits;
    if (used != 0)
        words[wordCount - 1] &= (Word(1) << used) - 1;
}

} // namespace

struct GapSolver::Tables
{
    Problem problem;
    bool cancelled = false;

    int kinds = 0;
    int maxPieces = 0;
    qint64 unit = 1;                  // units per table step
    std::vector<qint64> step;         // per kind: length + joint, in table steps
    std::vector<int> limit;           // per kind, at most maxPieces
    std::vector<qint64> price;        // per kind, cents
    std::vector<int> stock;           // per kind
    std::vector<qint64> minPriceFrom; // cheapest kind from k on (kinds with limit > 0)
    std::vector<int> freeStockFrom;   // pieces on hand usable from kind k on
    qint64 low = 0;                   // window in table steps, sums of piece steps
    qint64 high = -1;                 // (the one joint beyond the pieces' own taken off)
    qint64 size = 1;                  // sums 0 .. size-1 are tabled
    qint64 words = 1;
    std::vector<Word> reach;     // (kind, remaining) -> sums
    std::vector<quint64> counts; // (pieces, sum 0..high) -> selections of all kinds
    quint64 total = 0;
    std::size_t peakBytes = 0;

    BitView reachable(int kind, int remaining) const
    {
        return {reach.data() + (qint64(kind) * (maxPieces + 1) + remaining) * words, size};
    }

    // Units of a table sum, the joint beyond the pieces' own included.
    qint64 lengthOf(qint64 sum) const { return sum * unit + problem.joint; }

    Selection figures(const QList<int> &counts) const;
};

QList<int> GapSolver::Selection::rowOrder() const
{
    QList<int> order;
    for (qsizetype i = counts.size() - 1; i >= 0; --i) {
        for (int c = 0; c < counts.at(i); ++c)
            order.append(int(i));
    }
    return order;
}

GapSolver::Selection GapSolver::Tables::figures(const QList<int> &selectionCounts) const
{
    Selection s;
    s.counts = selectionCounts;
    s.length = problem.joint;
    for (int k = 0; k < kinds && k < selectionCounts.size(); ++k) {
        const int c = selectionCounts.at(k);
        s.pieces += c;
        s.length += c * (problem.range.piece(k).length + problem.joint);
        s.price += c * price[std::size_t(k)];
        const int buy = std::max(0, c - stock[std::size_t(k)]);
        s.toBuy += buy;
        s.buyCost += buy * price[std::size_t(k)];
    }
    return s;
}

GapSolver::GapSolver(Problem problem, const std::atomic<bool> *cancel)
    : m_tables(std::make_unique<Tables>())
{
    Tables &t = *m_tables;
    t.problem = std::move(problem);
    const Problem &p = t.problem;
    t.kinds = p.range.pieceCount();
    t.maxPieces = std::clamp(p.maxPieces, 0, largestMaxPieces);
    const auto kinds = std::size_t(t.kinds);
    t.step.resize(kinds);
    t.limit.resize(kinds);
    t.price.resize(kinds);
    t.stock.resize(kinds);

    // A piece that would make a selection no longer (length plus joint not
    // above 0) cannot be tabled; it is left out.
    qint64 unit = 0;
    qint64 longest = 1;
    for (std::size_t k = 0; k < kinds; ++k) {
        const qint64 length = p.range.piece(int(k)).length + p.joint;
        int limit = k < std::size_t(p.limit.size()) ? p.limit.at(qsizetype(k)) : -1;
        limit = limit < 0 ? t.maxPieces : std::min(limit, t.maxPieces);
        if (length <= 0)
            limit = 0;
        t.limit[k] = limit;
        t.price[k] = k < std::size_t(p.unitPrice.size()) ? p.unitPrice.at(qsizetype(k)) : 0;
        t.stock[k] = k < std::size_t(p.stock.size()) ? std::max(0, p.stock.at(qsizetype(k))) : 0;
        if (limit > 0) {
            unit = std::gcd(unit, length);
            longest = std::max(longest, length);
        }
    }
    t.unit = unit > 0 ? unit : 1;
    for (std::size_t k = 0; k < kinds; ++k)
        t.step[k] = std::max<qint64>(1, (p.range.piece(int(k)).length + p.joint) / t.unit);

    t.minPriceFrom.assign(kinds + 1, std::numeric_limits<qint64>::max());
    t.freeStockFrom.assign(kinds + 1, 0);
    for (std::size_t k = kinds; k-- > 0;) {
        t.minPriceFrom[k] = t.minPriceFrom[k + 1];
        if (t.limit[k] > 0)
            t.minPriceFrom[k] = std::min(t.minPriceFrom[k], t.price[k]);
        t.freeStockFrom[k] = t.freeStockFrom[k + 1] + std::min(t.stock[k], t.limit[k]);
    }
    for (qint64 &m : t.minPriceFrom) {
        if (m == std::numeric_limits<qint64>::max())
            m = 0;
    }

    // The selection's length is its pieces' (length + joint) plus one joint.
    t.low = std::max<qint64>(0, ceilDiv(p.wanted - p.minus - p.joint, t.unit));
    t.high = floorDiv(p.wanted + p.plus - p.joint, t.unit);
    // Sums up to one longest piece past the window: the nearest length above
    // it, if there is one, lies there.
    t.size = std::max<qint64>(t.high, 0) + longest / t.unit + 1;
    t.words = (t.size + wordBits - 1) / wordBits;

    const int rows = t.maxPieces + 1;
    // Selections per (pieces, sum) for every sum up to the window's top,
    // worked out and dropped before the reach table is built, so that the
    // two never take memory at the same time.
    if (t.high >= 0) {
        const qint64 width = t.high + 1;
        t.counts.assign(std::size_t(rows * width), 0);
        t.counts[0] = 1;
        for (int k = 0; k < t.kinds; ++k) {
            if (cancel != nullptr && cancel->load()) {
                t.cancelled = true;
                return;
            }
            const auto ku = std::size_t(k);
            const int limit = t.limit[ku];
            const qint64 e = t.step[ku];
            if (limit == 0)
                continue;
            if (limit >= t.maxPieces) {
                for (int r = 1; r < rows; ++r) {
                    quint64 *row = t.counts.data() + qint64(r) * width;
                    const quint64 *fewer = row - width;
                    for (qint64 s = e; s < width; ++s)
                        row[s] = addSaturating(row[s], fewer[s - e]);
                }
            } else {
                for (int r = rows - 1; r >= 1; --r) {
                    quint64 *row = t.counts.data() + qint64(r) * width;
                    for (int c = 1; c <= std::min(r, limit); ++c) {
                        const quint64 *from = t.counts.data() + qint64(r - c) * width;
                        for (qint64 s = c * e; s < width; ++s)
                            row[s] = addSaturating(row[s], from[s - c * e]);
                    }
                }
            }
        }
        for (int r = 1; r < rows; ++r) {
            for (qint64 s = t.low; s <= t.high; ++s)
                t.total = addSaturating(t.total, t.counts[std::size_t(qint64(r) * width + s)]);
        }
        // Only the total is asked for later.
        t.peakBytes = t.counts.size() * sizeof(quint64);
        t.counts.clear();
        t.counts.shrink_to_fit();
    }
    t.reach.assign(std::size_t((t.kinds + 1) * rows * t.words), 0);
    t.reach[std::size_t(qint64(t.kinds) * rows * t.words)] = 1; // no kinds: only 0 pieces, sum 0
    t.peakBytes = std::max(t.peakBytes, t.reach.size() * sizeof(Word));
    for (int k = t.kinds - 1; k >= 0; --k) {
        if (cancel != nullptr && cancel->load()) {
            t.cancelled = true;
            return;
        }
        const auto ku = std::size_t(k);
        Word *base = t.reach.data() + qint64(k) * rows * t.words;
        const Word *next = base + qint64(rows) * t.words;
        std::copy(next, next + qint64(rows) * t.words, base);
        if (t.limit[ku] == 0)
            continue;
        for (int r = 1; r < rows; ++r) {
            Word *dst = base + qint64(r) * t.words;
            if (t.limit[ku] >= t.maxPieces) {
                // Unlimited: r pieces from k on are r-1 of them plus one more k.
                orShifted(dst, base + qint64(r - 1) * t.words, t.words, t.step[ku]);
            } else {
                for (int c = 1; c <= std::min(r, t.limit[ku]); ++c)
                    orShifted(dst, next + qint64(r - c) * t.words, t.words, c * t.step[ku]);
            }
            clearTail(dst, t.words, t.size);
        }
    }
}

GapSolver::~GapSolver() = default;
GapSolver::GapSolver(GapSolver &&) noexcept = default;
GapSolver &GapSolver::operator=(GapSolver &&) noexcept = default;

const GapSolver::Problem &GapSolver::problem() const
{
    return m_tables->problem;
}

bool GapSolver::isCancelled() const
{
    return m_tables->cancelled;
}

std::size_t GapSolver::tableBytes() const
{
    return m_tables->peakBytes;
}

quint64 GapSolver::count() const
{
    return m_tables->cancelled ? 0 : m_tables->total;
}

GapSolver::Selection GapSolver::selection(const QList<int> &counts) const
{
    return m_tables->figures(counts);
}

namespace {

// The walk over the selections of exactly `pieces` pieces whose sum lies in
// [low, high], in search order: kind by kind from the shortest, each kind's
// count from the most down to none. A branch is entered only when the kinds
// after it can still complete it into the window. `visit(counts, sum)`
// returns false to stop; `enter(kind, remaining, sum, counts)` may refuse a
// branch (a bound of the caller).
template <typename Tables, typename Visit, typename Enter>
bool walk(const Tables &t, int pieces, qint64 low, qint64 high, std::vector<int> &counts,
          Visit &visit, Enter &enter, const std::atomic<bool> *cancel, quint64 &nodes)
{
    // An explicit stack keeps the depth (up to 40 kinds) off the call stack
    // and lets the walk stop anywhere.
    struct Frame
    {
        int kind;
        int remaining;
        qint64 sum;
        int next; // the count of this kind to try next; -1 when all tried
    };
    std::vector<Frame> stack;
    const auto fits = [&](int kind, int remaining, qint64 sum) {
        return t.reachable(kind, remaining).any(low - sum, high - sum);
    };
    if (!fits(0, pieces, 0))
        return true;
    stack.push_back({0, pieces, 0, std::min(pieces, t.limit[0])});
    while (!stack.empty()) {
        Frame &f = stack.back();
        if (f.kind == t.kinds) {
            if (!visit(counts, f.sum))
                return false;
            stack.pop_back();
            continue;
        }
        if (f.next < 0) {
            counts[std::size_t(f.kind)] = 0;
            stack.pop_back();
            continue;
        }
        const int c = f.next--;
        if ((++nodes & 1023U) == 0 && cancel != nullptr && cancel->load())
            return false;
        const qint64 sum = f.sum + c * t.step[std::size_t(f.kind)];
        const int remaining = f.remaining - c;
        if (sum > high || !fits(f.kind + 1, remaining, sum))
            continue;
        counts[std::size_t(f.kind)] = c;
        if (!enter(f.kind + 1, remaining, sum, counts))
            continue;
        const int kind = f.kind + 1;
        const int first = kind < t.kinds ? std::min(remaining, t.limit[std::size_t(kind)]) : 0;
        stack.push_back({kind, remaining, sum, first});
    }
    return true;
}

using Key = std::array<qint64, 3>;

} // namespace

GapSolver::Page GapSolver::list(Order order, qint64 offset, qint64 limit,
                                const std::atomic<bool> *cancel) const
{
    const Tables &t = *m_tables;
    Page page;
    if (t.cancelled)
        return page;
    page.total = t.total;
    if (cancel != nullptr && cancel->load()) {
        page.cancelled = true;
        return page;
    }
    if (t.high < t.low || limit == 0 || t.total == 0)
        return page;
    offset = std::max<qint64>(offset, 0);
    const qint64 need = limit < 0 ? -1 : offset + limit;
    std::vector<int> counts(std::size_t(t.kinds), 0);
    quint64 nodes = 0;
    const auto toList = [](const std::vector<int> &c) { return QList<int>(c.begin(), c.end()); };
    const qint64 target = t.problem.wanted - t.problem.joint; // wanted, as a sum of piece steps

    if (order == Order::Search) {
        qint64 seen = 0;
        auto visit = [&](const std::vector<int> &c, qint64) {
            if (seen++ >= offset)
                page.rows.append(t.figures(toList(c)));
            return need < 0 || seen < need;
        };
        auto enter = [](int, int, qint64, const std::vector<int> &) { return true; };
        for (int pieces = 1; pieces <= t.maxPieces; ++pieces) {
            if (!walk(t, pieces, t.low, t.high, counts, visit, enter, cancel, nodes)) {
                page.cancelled = cancel != nullptr && cancel->load();
                break;
            }
        }
        return page;
    }

    // Every other order: keep the best `need` rows met so far in a heap whose
    // top is the worst of them, and refuse every branch whose best possible
    // key cannot beat it. The walk goes in search order, so of two equal keys
    // the one met first is the better one, as a stable sort would have it.
    struct Kept
    {
        Key key;
        quint64 seq;
        QList<int> counts;
        bool operator<(const Kept &o) const { return std::tie(key, seq) < std::tie(o.key, o.seq); }
    };
    std::priority_queue<Kept> heap;
    quint64 seq = 0;

    // Partial figures of the kinds before `kind`.
    struct Partial
    {
        int pieces = 0;
        qint64 price = 0;
        int toBuy = 0;
        qint64 buyCost = 0;
    };
    const auto partial = [&](int kind, const std::vector<int> &c) {
        Partial f;
        for (int k = 0; k < kind; ++k) {
            const auto ku = std::size_t(k);
            f.pieces += c[ku];
            f.price += c[ku] * t.price[ku];
            const int buy = std::max(0, c[ku] - t.stock[ku]);
            f.toBuy += buy;
            f.buyCost += buy * t.price[ku];
        }
        return f;
    };
    const auto distanceOf = [&](qint64 sum) { return std::abs(sum * t.unit - target); };
    const auto keyOf = [&](int pieces, qint64 distance, qint64 length, qint64 price, int toBuy,
                           qint64 buyCost) -> Key {
        switch (order) {
        case Order::Pieces:
            return {pieces, distance, price};
        case Order::Nearest:
            return {distance, pieces, price};
        case Order::Price:
            return {price, pieces, 0};
        case Order::Length:
            return {length, 0, 0};
        case Order::ToBuy:
            return {toBuy, buyCost, pieces};
        case Order::BuyCost:
            return {buyCost, toBuy, pieces};
        case Order::Search:
            break;
        }
        return {0, 0, 0};
    };

    int pieces = 0;
    auto visit = [&](const std::vector<int> &c, qint64 sum) {
        const Partial f = partial(t.kinds, c);
        const Key key = keyOf(pieces, distanceOf(sum), sum, f.price, f.toBuy, f.buyCost);
        if (need < 0 || qint64(heap.size()) < need) {
            heap.push({key, seq++, toList(c)});
        } else if (key < heap.top().key) {
            heap.pop();
            heap.push({key, seq++, toList(c)});
        }
        return true;
    };
    auto enter = [&](int kind, int remaining, qint64 sum, const std::vector<int> &c) {
        if (need < 0 || qint64(heap.size()) < need)
            return true;
        const Partial f = partial(kind, c);
        const BitView rest = t.reachable(kind, remaining);
        const qint64 a = t.low - sum;
        const qint64 b = t.high - sum;
        // The nearest reachable sum to the wanted one, and the shortest.
        qint64 distance = 0;
        const qint64 aim = floorDiv(target, t.unit) - sum;
        const qint64 below = rest.highest(a, std::min(b, aim));
        const qint64 above = rest.lowest(std::max(a, aim + 1), b);
        distance = std::numeric_limits<qint64>::max();
        if (below >= 0)
            distance = distanceOf(sum + below);
        if (above >= 0)
            distance = std::min(distance, distanceOf(sum + above));
        const qint64 shortest = sum + rest.lowest(a, b);
        const std::size_t ku = std::size_t(kind);
        const int mustBuy = std::max(0, remaining - t.freeStockFrom[ku]);
        const Key bound =
            keyOf(pieces, distance, shortest, f.price + remaining * t.minPriceFrom[ku],
                  f.toBuy + mustBuy, f.buyCost + mustBuy * t.minPriceFrom[ku]);
        return bound < heap.top().key;
    };
    for (pieces = 1; pieces <= t.maxPieces; ++pieces) {
        if (order == Order::Pieces && need >= 0 && qint64(heap.size()) >= need &&
            heap.top().key[0] < pieces)
            break;
        if (!walk(t, pieces, t.low, t.high, counts, visit, enter, cancel, nodes)) {
            page.cancelled = true;
            return page;
        }
    }
    std::vector<Kept> kept;
    kept.reserve(heap.size());
    while (!heap.empty()) {
        kept.push_back(heap.top());
        heap.pop();
    }
    std::reverse(kept.begin(), kept.end());
    for (std::size_t i = std::size_t(offset); i < kept.size(); ++i) {
        if (limit >= 0 && qint64(i) >= offset + limit)
            break;
        page.rows.append(t.figures(kept[i].counts));
    }
    return page;
}

GapSolver::Nearest GapSolver::nearest(const std::atomic<bool> *cancel) const
{
    const Tables &t = *m_tables;
    Nearest answer;
    if (t.cancelled)
        return answer;
    // The longest reachable sum below the window and the shortest above it,
    // over every piece count; then the fewest pieces that reach it.
    qint64 below = -1;
    qint64 above = -1;
    for (int r = 1; r <= t.maxPieces; ++r) {
        const BitView all = t.reachable(0, r);
        if (t.low >= 2)
            below = std::max(below, all.highest(1, t.low - 1));
        const qint64 a = all.lowest(std::max<qint64>(t.high + 1, 1), t.size - 1);
        if (a >= 0 && (above < 0 || a < above))
            above = a;
    }
    const auto firstSelection = [&](qint64 sum) -> std::optional<Selection> {
        std::vector<int> counts(std::size_t(t.kinds), 0);
        std::optional<Selection> found;
        quint64 nodes = 0;
        auto visit = [&](const std::vector<int> &c, qint64) {
            found = t.figures(QList<int>(c.begin(), c.end()));
            return false;
        };
        auto enter = [](int, int, qint64, const std::vector<int> &) { return true; };
        for (int r = 1; r <= t.maxPieces && !found; ++r) {
            if (t.reachable(0, r).test(sum))
                walk(t, r, sum, sum, counts, visit, enter, cancel, nodes);
        }
        return found;
    };
    if (below >= 1) {
        answer.below = firstSelection(below);
        if (answer.below)
            answer.minusNeeded = t.problem.wanted - answer.below->length;
    }
    if (above >= 1) {
        answer.above = firstSelection(above);
        if (answer.above)
            answer.plusNeeded = answer.above->length - t.problem.wanted;
    }
    return answer;
}

QList<GapSolver::Swap> GapSolver::swaps(const TrackRange &range, const QList<int> &laid, qint64 off,
                                        qint64 minus, qint64 plus, qint64 joint)
{
    // Every multiset of at most two laid pieces to take out, every multiset of
    // at most two range pieces to put in.
    QList<int> sortedLaid = laid;
    std::sort(sortedLaid.begin(), sortedLaid.end());
    QList<QList<int>> removals{{}};
    for (qsizetype i = 0; i < sortedLaid.size(); ++i) {
        if (i > 0 && sortedLaid[i] == sortedLaid[i - 1])
            continue;
        removals.append(QList<int>{sortedLaid[i]});
    }
    for (qsizetype i = 0; i < sortedLaid.size(); ++i) {
        for (qsizetype j = i + 1; j < sortedLaid.size(); ++j) {
            const QList<int> pair{sortedLaid[i], sortedLaid[j]};
            if (!removals.contains(pair))
                removals.append(pair);
        }
    }
    QList<QList<int>> additions{{}};
    for (int a = 0; a < range.pieceCount(); ++a)
        additions.append(QList<int>{a});
    for (int a = 0; a < range.pieceCount(); ++a) {
        for (int b = a; b < range.pieceCount(); ++b)
            additions.append(QList<int>{a, b});
    }
    const auto lengthOf = [&](const QList<int> &pieces) {
        qint64 sum = 0;
        for (int p : pieces)
            sum += range.piece(p).length + joint;
        return sum;
    };

    QList<Swap> found;
    for (const QList<int> &remove : std::as_const(removals)) {
        for (const QList<int> &add : std::as_const(additions)) {
            if (remove.isEmpty() && add.isEmpty())
                continue;
            // Putting back a piece just taken out moves nothing.
            if (std::any_of(add.begin(), add.end(), [&](int p) { return remove.contains(p); }))
                continue;
            const qint64 after = off - lengthOf(remove) + lengthOf(add);
            if (after >= -minus && after <= plus)
                found.append({remove, add, after});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Swap &x, const Swap &y) {
        const auto moved = [](const Swap &s) { return s.remove.size() + s.add.size(); };
        return std::make_tuple(moved(x), std::abs(x.offAfter)) <
               std::make_tuple(moved(y), std::abs(y.offAfter));
    });
    return found;
}
