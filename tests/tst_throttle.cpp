#include "core/Throttle.h"

#include <QTest>

class TstThrottle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Clock readings in nanoseconds and what a throttle of 50 answers to each.
    void dueAt_data()
    {
        QTest::addColumn<QList<qint64>>("readings");
        QTest::addColumn<QList<bool>>("due");
        QTest::newRow("not before the interval")
            << QList<qint64>{0, 49, 50} << QList<bool>{false, false, true};
        QTest::newRow("counts from the last yes")
            << QList<qint64>{60, 100, 109, 110, 300, 349, 350}
            << QList<bool>{true, false, false, true, true, false, true};
    }
    void dueAt()
    {
        QFETCH(QList<qint64>, readings);
        Throttle throttle(50);
        QList<bool> due;
        for (qint64 reading : readings)
            due << throttle.dueAt(reading);
        QTEST(due, "due");
    }
};

QTEST_GUILESS_MAIN(TstThrottle)
#include "tst_throttle.moc"
