#include "SearchProgress.h"

#include <QApplication>
#include <QLabel>

SearchProgress::SearchProgress(QLabel *count, const bool &stop) : m_count(count), m_stop(stop)
{
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_count->setText(QStringLiteral("0"));
    m_count->setAccessibleDescription(m_count->text());
}

SearchProgress::~SearchProgress()
{
    m_count->setUpdatesEnabled(true);
    m_count->setAccessibleDescription(m_count->text());
    QApplication::restoreOverrideCursor();
}

bool SearchProgress::pump()
{
    if (m_pump.due())
        QCoreApplication::processEvents();
    return !m_stop;
}

void SearchProgress::stored(int rows)
{
    const bool paint = m_paint.due();
    if (paint != m_count->updatesEnabled())
        m_count->setUpdatesEnabled(paint);
    m_count->setText(QString::number(rows));
    // Screen readers hear the count as often as it is painted.
    if (paint)
        m_count->setAccessibleDescription(m_count->text());
}
