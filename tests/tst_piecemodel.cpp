#include "modeltest.h"
#include "rechner/PieceModel.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_PieceModel : public QObject
{
    Q_OBJECT

    PieceModel m_model;
    std::unique_ptr<QAbstractItemModelTester> m_tester;

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init()
    {
        m_tester = modelTester(&m_model);
        m_model.setPieces({{u"24064"_s, u"24 064"_s, 64.3}, {u"24360"_s, u"24 360"_s, 360.0}},
                          {{u"24360"_s, {359.5, 2, 1249}}});
    }

    // One edit of the row 24064 as typed into the table: what the row then
    // shows, and whether it counts as a change to save and ask again for.
    void edit_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("row");
        const QString unchanged = u"24064|24 064|64,3|||"_s;
        QTest::newRow("measured, German comma")
            << int(PieceModel::Measured) << u"64,25"_s << true << u"24064|24 064|64,3|64,25||"_s;
        QTest::newRow("measured, counted in hundredths")
            << int(PieceModel::Measured) << u"64,254"_s << true << u"24064|24 064|64,3|64,25||"_s;
        QTest::newRow("measured zero refused")
            << int(PieceModel::Measured) << u"0"_s << false << unchanged;
        QTest::newRow("measured far from nominal refused")
            << int(PieceModel::Measured) << u"3"_s << false << unchanged;
        QTest::newRow("owned") << int(PieceModel::Owned) << u" 12 "_s << true
                               << u"24064|24 064|64,3||12|"_s;
        QTest::newRow("owned negative refused")
            << int(PieceModel::Owned) << u"-1"_s << false << unchanged;
        QTest::newRow("owned fraction refused")
            << int(PieceModel::Owned) << u"1,5"_s << false << unchanged;
        QTest::newRow("price") << int(PieceModel::Price) << u"3,5"_s << true
                               << u"24064|24 064|64,3|||3,50"_s;
        QTest::newRow("price word refused")
            << int(PieceModel::Price) << u"teuer"_s << false << unchanged;
        QTest::newRow("nominal is not editable")
            << int(PieceModel::Nominal) << u"70"_s << false << unchanged;
    }
    void edit()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(bool, taken);
        QFETCH(QString, row);
        QSignalSpy edited(&m_model, &PieceModel::entriesEdited);
        QSignalSpy refused(&m_model, &PieceModel::refused);
        QCOMPARE(m_model.setData(m_model.index(0, column), typed), taken);
        QCOMPARE(modelRows(m_model).at(0), row);
        QCOMPARE(edited.count(), taken ? 1 : 0);
        // A refused entry is told, naming the piece and what was typed.
        if (column != PieceModel::Nominal) {
            QCOMPARE(refused.count(), taken ? 0 : 1);
            const QString why = refused.value(0).value(0).toString();
            QVERIFY2(taken || (why.contains(u"24 064"_s) && why.endsWith(typed)), qPrintable(why));
        }
    }

    // A measured length kept before it was checked, that cannot be the
    // piece's, counts as not measured.
    void implausibleKeptLength()
    {
        m_model.setPieces({{u"24229"_s, u"24 229"_s, 229.3}}, {{u"24229"_s, {3.0, 1, 0}}});
        QCOMPARE(m_model.lengthOf(0), 229.3);
        QCOMPARE(modelRows(m_model).at(0), u"24229|24 229|229,3||1|"_s);
    }

    // A length with hundredths is shown with them, as the answers count it;
    // a measured one is kept in hundredths.
    void hundredths()
    {
        m_model.setPieces({{u"9104"_s, u"9104"_s, 27.75}}, {});
        QVERIFY(m_model.setData(m_model.index(0, PieceModel::Measured), u"27,801"_s));
        QCOMPARE(modelRows(m_model).at(0), u"9104|9104|27,75|27,8||"_s);
        QCOMPARE(m_model.lengthOf(0), 27.8);
    }

    // Clearing a measured length goes back to the nominal one.
    void measuredCleared()
    {
        QCOMPARE(m_model.lengthOf(1), 359.5);
        QVERIFY(m_model.setData(m_model.index(1, PieceModel::Measured), QString()));
        QCOMPARE(m_model.lengthOf(1), 360.0);
        QCOMPARE(modelRows(m_model).at(1), u"24360|24 360|360,0||2|12,49"_s);
    }

    // An imported list: counts by article number however it is spaced,
    // pieces of other ranges named back, pieces not listed kept as they were.
    void owned()
    {
        const QStringList unknown =
            m_model.setOwned({{u"24064"_s, 5}, {u"99999"_s, 1}, {u"55200"_s, 2}});
        QCOMPARE(unknown, (QStringList{u"55200"_s, u"99999"_s}));
        QCOMPARE(modelRows(m_model),
                 (QStringList{u"24064|24 064|64,3||5|"_s, u"24360|24 360|360,0|359,5|2|12,49"_s}));
    }
};

QTEST_GUILESS_MAIN(tst_PieceModel)
#include "tst_piecemodel.moc"
