#include "print/PartsListPage.h"

#include <QTest>

namespace {

using Counts = PartsListPage::Counts;

// Counts with `count` at the given catalogue positions (1..9), all others
// unused.
Counts countsAt(std::initializer_list<int> positions, const QString &count)
{
    Counts counts;
    for (int position : positions)
        counts[std::size_t(position - 1)] = count;
    return counts;
}

QStringList texts(const PartsListPage &page)
{
    QStringList result;
    for (const PartsListPage::Line &line : page.lines())
        result.append(line.text);
    return result;
}

QList<int> tops(const PartsListPage &page)
{
    QList<int> result;
    for (const PartsListPage::Line &line : page.lines())
        result.append(line.yMm);
    return result;
}

} // namespace

class TestPartsListPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lines_data();
    void lines();
    void headerLines();
    void onlyTitleIsBold();
};

void TestPartsListPage::lines_data()
{
    QTest::addColumn<QString>("sum");
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<QStringList>("expectedPieceLines");
    QTest::addColumn<QList<int>>("expectedPieceTops");

    QTest::newRow("only first piece")
        << QStringLiteral("1.080,0") << countsAt({1}, QStringLiteral("3"))
        << QStringList{QStringLiteral("3  Stck   24 360")} << QList<int>{26};
    QTest::newRow("only fifth piece")
        << QStringLiteral("171,7") << countsAt({5}, QStringLiteral("1"))
        << QStringList{QStringLiteral("1  Stck   24 172")} << QList<int>{26};
    QTest::newRow("only last piece")
        << QStringLiteral("578,7") << countsAt({9}, QStringLiteral("9"))
        << QStringList{QStringLiteral("9  Stck   24 064")} << QList<int>{26};

    QTest::newRow("first and third, gap skipped")
        << QStringLiteral("949,3") << Counts{QStringLiteral("2"), QString(), QStringLiteral("1")}
        << QStringList{QStringLiteral("2  Stck   24 360"), QStringLiteral("1  Stck   24 229")}
        << QList<int>{26, 34};
    QTest::newRow("second and eighth, long gap skipped")
        << QStringLiteral("306,9") << countsAt({2, 8}, QStringLiteral("1"))
        << QStringList{QStringLiteral("1  Stck   24 236"), QStringLiteral("1  Stck   24 071")}
        << QList<int>{26, 34};

    QTest::newRow("all nine pieces")
        << QStringLiteral("1.492,2") << countsAt({1, 2, 3, 4, 5, 6, 7, 8, 9}, QStringLiteral("1"))
        << QStringList{QStringLiteral("1  Stck   24 360"), QStringLiteral("1  Stck   24 236"),
                       QStringLiteral("1  Stck   24 229"), QStringLiteral("1  Stck   24 188"),
                       QStringLiteral("1  Stck   24 172"), QStringLiteral("1  Stck   24 094"),
                       QStringLiteral("1  Stck   24 077"), QStringLiteral("1  Stck   24 071"),
                       QStringLiteral("1  Stck   24 064")}
        << QList<int>{26, 34, 42, 50, 58, 66, 74, 82, 90};

    // The count is copied as the parts list holds it, not reformatted.
    QTest::newRow("count text copied verbatim")
        << QStringLiteral("836,2")
        << Counts{QStringLiteral("2"), QString(), QString(), QString(),           QString(),
                  QString(),           QString(), QString(), QStringLiteral("07")}
        << QStringList{QStringLiteral("2  Stck   24 360"), QStringLiteral("07  Stck   24 064")}
        << QList<int>{26, 34};

    QTest::newRow("empty start-up row") << QString() << Counts{} << QStringList{} << QList<int>{};
}

void TestPartsListPage::lines()
{
    QFETCH(QString, sum);
    QFETCH(Counts, counts);
    QFETCH(QStringList, expectedPieceLines);
    QFETCH(QList<int>, expectedPieceTops);

    const PartsListPage page(sum, counts);

    QCOMPARE(texts(page).mid(2), expectedPieceLines);
    QCOMPARE(tops(page).mid(2), expectedPieceTops);
    for (const PartsListPage::Line &line : page.lines())
        QCOMPARE(line.xMm, 10);
}

void TestPartsListPage::headerLines()
{
    const PartsListPage page(QStringLiteral("1.234,5"), Counts{});
    QCOMPARE(page.lines().size(), 2);
    QCOMPARE(page.lines().at(0).text, QStringLiteral("Stückliste märklin C-Gleis"));
    QCOMPARE(page.lines().at(0).yMm, 10);
    QCOMPARE(page.lines().at(1).text, QStringLiteral("Distanz: 1.234,5 mm"));
    QCOMPARE(page.lines().at(1).yMm, 18);

    const PartsListPage startUp(QString(), Counts{});
    QCOMPARE(startUp.lines().at(1).text, QStringLiteral("Distanz:  mm"));
}

void TestPartsListPage::onlyTitleIsBold()
{
    const PartsListPage page(QStringLiteral("1.492,2"),
                             countsAt({1, 2, 3, 4, 5, 6, 7, 8, 9}, QStringLiteral("1")));
    QCOMPARE(page.lines().size(), 11);
    QVERIFY(page.lines().at(0).bold);
    for (qsizetype i = 1; i < page.lines().size(); ++i)
        QVERIFY2(!page.lines().at(i).bold, qPrintable(page.lines().at(i).text));
}

QTEST_APPLESS_MAIN(TestPartsListPage)
#include "tst_partslistpage.moc"
