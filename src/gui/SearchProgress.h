#pragma once

#include "core/Throttle.h"

class QLabel;

// What a running search shows and lets happen: the busy cursor, pending
// user events, and the count of rows stored so far.
class SearchProgress
{
public:
    // The search goes on until `stop` turns true.
    SearchProgress(QLabel *count, const bool &stop);
    ~SearchProgress();
    SearchProgress(const SearchProgress &) = delete;
    SearchProgress &operator=(const SearchProgress &) = delete;

    // Called after every candidate and every loop end, 92,377 times a
    // search. Letting events run costs about 2 microseconds even when none
    // are waiting, far more than a candidate, so they run at most every 50
    // microseconds: a click waits no longer than that, and the search keeps
    // its speed. False when the search is to stop.
    bool pump();

    // The count always holds the number of rows stored so far, but it is
    // painted at most once a frame: painting it for every row would cost the
    // search more time than everything else together.
    void stored(int rows);

private:
    QLabel *m_count;
    const bool &m_stop;
    Throttle m_pump{50'000};
    Throttle m_paint{16'000'000};
};
