#include "core/WindowPlacement.h"

#include <QTest>

class TstWindowPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clientSizeLeavesTheFrame()
    {
        QCOMPARE(WindowPlacement::clientSize(QMargins(1, 20, 1, 1)), QSize(1022, 719));
        // Negative margins count as none.
        QCOMPARE(WindowPlacement::clientSize(QMargins(-3, -3, 0, 0)), QSize(1024, 740));
    }

    // Two or three screens side by side, stacked or apart; the window is 1024 x 740.
    void bringIntoView_data()
    {
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QPoint>("stored");
        QTest::addColumn<QPoint>("shown");
        const QRect main(0, 0, 1920, 1080);
        const QRect right(1920, 0, 1280, 1024);
        const QRect left(-1280, 0, 1280, 1024);
        const QRect below(0, 1080, 1920, 1080);
        QTest::newRow("off the right of the second")
            << QList{main, right} << QPoint(3300, 100) << QPoint(2176, 100);
        QTest::newRow("off the left of all")
            << QList{main, right, left} << QPoint(-5000, 50) << QPoint(-1280, 50);
        QTest::newRow("below the lower")
            << QList{main, below} << QPoint(100, 3000) << QPoint(100, 1420);
        QTest::newRow("title bar above the top")
            << QList{main} << QPoint(100, -10) << QPoint(100, 0);
    }
    void bringIntoView()
    {
        QFETCH(QList<QRect>, screens);
        QFETCH(QPoint, stored);
        QTEST(WindowPlacement::bringIntoView(QRect(stored, WindowPlacement::outerSize), screens),
              "shown");
    }

    // A window still where the file put it keeps the file's twips.
    void storedPosition_data()
    {
        QTest::addColumn<QPointF>("twips"); // as read
        QTest::addColumn<QPoint>("pixels");
        QTest::addColumn<QPoint>("now");
        QTest::addColumn<QPointF>("toStore");
        QTest::newRow("unmoved keeps odd twips")
            << QPointF(1234, 607) << QPoint(82, 40) << QPoint(82, 40) << QPointF(1234, 607);
        QTest::newRow("moved") << QPointF(1234, 607) << QPoint(82, 40) << QPoint(83, 40)
                               << QPointF(1245, 600);
    }
    void storedPosition()
    {
        QFETCH(QPointF, twips);
        QFETCH(QPoint, now);
        const auto stored =
            WindowPlacement::StoredPosition::fromTwips(float(twips.x()), float(twips.y()));
        QTEST(stored.pixels, "pixels");
        QTEST(stored.twipsFor(now), "toStore");
    }
};

QTEST_GUILESS_MAIN(TstWindowPlacement)
#include "tst_windowplacement.moc"
