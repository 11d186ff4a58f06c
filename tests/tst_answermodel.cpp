#include "modeltest.h"
#include "rechner/AnswerModel.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// `listed` rows of two pieces kinds, `total` fits in all.
Answer answerOf(int listed, quint64 total)
{
    Answer answer;
    answer.problem.wanted = 100000;
    for (int i = 0; i < listed; ++i) {
        GapSolver::Selection row;
        row.counts = {i % 3, 2};
        row.pieces = i % 3 + 2;
        row.length = 100000 + (i % 5) * 5 - 10; // 999,9 mm to 1.000,1 mm
        row.price = 1249 + i;
        row.toBuy = i % 2;
        row.buyCost = qint64(i % 2) * 350;
        answer.page.rows << row;
    }
    answer.page.total = total;
    return answer;
}

} // namespace

class tst_AnswerModel : public QObject
{
    Q_OBJECT

    AnswerModel m_model;
    std::unique_ptr<QAbstractItemModelTester> m_tester;

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init()
    {
        m_tester = modelTester(&m_model);
        m_model.setLabels({u"24 064"_s, u"24 360"_s});
    }

    // The cells of the first rows: pieces longest first, a sign on every
    // deviation but none, prices and what is left to buy.
    void cells()
    {
        m_model.setAnswer(answerOf(3, 3));
        QCOMPARE(modelRows(m_model),
                 (QStringList{u"2|999,9|-0,1|12,49|0|0,00|2 × 24 360"_s,
                              u"3|999,95|-0,05|12,50|1|3,50|2 × 24 360, 1 × 24 064"_s,
                              u"4|1.000,0|0,0|12,51|0|0,00|2 × 24 360, 2 × 24 064"_s}));
    }

    // A large answer: a page at a time from the rows listed, then a longer
    // list asked for once; "N von M" follows every step.
    void pages()
    {
        QSignalSpy more(&m_model, &AnswerModel::moreWanted);
        m_model.setAnswer(answerOf(250, 10000));
        QStringList seen{m_model.countText()};
        while (m_model.canFetchMore({})) {
            m_model.fetchMore({});
            seen << m_model.countText();
        }
        QCOMPARE(seen, (QStringList{u"100 von 10.000"_s, u"200 von 10.000"_s, u"250 von 10.000"_s,
                                    u"250 von 10.000"_s}));
        QCOMPARE(more.count(), 1);
        QCOMPARE(more.at(0).at(0).toInt(), 250 + 4 * AnswerModel::pageSize);
        // The longer list leaves the rows shown in their places (no reset:
        // a view keeps its place and its chosen row) and adds the next page.
        QSignalSpy reset(&m_model, &QAbstractItemModel::modelReset);
        m_model.setAnswer(answerOf(650, 10000));
        QCOMPARE(reset.count(), 0);
        QCOMPARE(m_model.countText(), u"350 von 10.000"_s);
        QVERIFY(m_model.canFetchMore({}));
        // A longer list for a question changed meanwhile, whose first rows
        // differ, starts afresh, as many rows shown as before.
        while (m_model.canFetchMore({}))
            m_model.fetchMore({});
        Answer changed = answerOf(1050, 10000);
        changed.page.rows[0].counts = {5, 5};
        m_model.setAnswer(changed);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(m_model.rowCount(), 650);
        QCOMPARE(m_model.index(0, AnswerModel::Pieces).data().toString(),
                 u"5 × 24 360, 5 × 24 064"_s);
        // A small answer shows every row and wants nothing more.
        m_model.setAnswer(answerOf(7, 7));
        QCOMPARE(m_model.rowCount(), 7);
        QVERIFY(!m_model.canFetchMore({}));
    }

    // A header click asks for the rows in that column's order.
    void sortByHeader_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<GapSolver::Order>("order");
        QTest::newRow("pieces") << int(AnswerModel::Count) << GapSolver::Order::Pieces;
        QTest::newRow("deviation") << int(AnswerModel::Deviation) << GapSolver::Order::Nearest;
        QTest::newRow("price") << int(AnswerModel::Price) << GapSolver::Order::Price;
        QTest::newRow("to buy") << int(AnswerModel::ToBuy) << GapSolver::Order::ToBuy;
        QTest::newRow("cost to buy") << int(AnswerModel::ToBuyCost) << GapSolver::Order::BuyCost;
    }
    void sortByHeader()
    {
        QFETCH(int, column);
        QFETCH(GapSolver::Order, order);
        QSignalSpy wanted(&m_model, &AnswerModel::orderWanted);
        m_model.sort(column);
        QCOMPARE(wanted.count(), 1);
        QCOMPARE(wanted.at(0).at(0).value<GapSolver::Order>(), order);
        QCOMPARE(AnswerModel::columnOf(order), column);
    }
};

QTEST_GUILESS_MAIN(tst_AnswerModel)
#include "tst_answermodel.moc"
