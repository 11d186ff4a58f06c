#include "SearchProgress.h"

#include <QApplication>
#include <QLabel>

SearchProgress::SearchProgress(QLabel *count, const bool &stop) : m_count(count), m_stop(stop)
{
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_count->setText(QStringLiteral("0"));
}

SearchProgress::~SearchProgress()
{
    m_count->setUpdatesEnabled(true);
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
}
