#include "Throttle.h"

Throttle::Throttle(qint64 intervalNs) : m_interval(intervalNs)
{
    m_clock.start();
}

bool Throttle::dueAt(qint64 elapsedNs)
{
    if (elapsedNs - m_last < m_interval)
        return false;
    m_last = elapsedNs;
    return true;
}
