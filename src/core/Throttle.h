#pragma once

#include <QElapsedTimer>

// Says yes at most once an interval. The search's event pump and the
// painting of its running count use it, since doing either for each of the
// search's candidates would cost more than the search itself.
class Throttle
{
public:
    explicit Throttle(qint64 intervalNs);

    // True when the interval has passed since the last true (or since the
    // throttle was made); the interval starts again then.
    bool due() { return dueAt(m_clock.nsecsElapsed()); }
    // The same for a clock reading, in nanoseconds since the throttle was made.
    bool dueAt(qint64 elapsedNs);

private:
    QElapsedTimer m_clock;
    qint64 m_interval;
    qint64 m_last = 0;
};
