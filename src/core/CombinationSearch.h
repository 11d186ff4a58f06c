#pragma once

#include "Combination.h"
#include "TrackCatalogue.h"

#include <array>
#include <functional>

class GridStore;
class PriceStore;

// The complete enumeration of every selection of at most nine pieces, 48620
// in all, the empty one included, in lexicographic order of the nine
// ascending slot indexes into SearchLengths.
//
// The slot indexes, the search window and the lengths are members shared by
// every run on the same object. The event pump may start a new run on the
// same object from inside a running one: the new run completes a search of
// its own, which leaves every slot index run out, so the interrupted run
// stores nothing more and just finishes. That is how a second press of the
// start button restarts a search.
class CombinationSearch
{
public:
    static constexpr int selectionCount = 48620;

    // Called after every candidate and each time an inner loop runs out.
    // Returning false abandons the search at once (the program is ending).
    using EventPump = std::function<bool()>;
    // Called after each stored row with the number of rows stored so far.
    using RowStored = std::function<void(int rowCount)>;

    struct Outcome
    {
        int rows = 0;           // rows this run stored
        bool abandoned = false; // the pump asked to stop
    };

    // Empties the results to one row of twenty empty texts, then stores every
    // selection whose summed length lies in [lower, upper], both bounds
    // included, as one row per selection from row 0 on. Prices are taken from
    // the store as they stand when the run starts.
    Outcome run(float lower, float upper, GridStore &results, const PriceStore &prices,
                const EventPump &pump = {}, const RowStored &rowStored = {});

    // The bare enumeration: how many selections fit, nothing stored, no pump.
    static int countFits(float lower, float upper);

private:
    std::array<int, Combination::pieceSlots> m_slot{};
    SearchLengths m_lengths{};
    float m_lower = 0.0f;
    float m_upper = 0.0f;
};
