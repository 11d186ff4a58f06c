#include "core/PieceBook.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

class tst_PieceBook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A measured length is taken within a tenth of the nominal one, both
    // ends included to the hundredth; further off it is a typo.
    void measuredFits_data()
    {
        QTest::addColumn<double>("nominal");
        QTest::addColumn<double>("measured");
        QTest::addColumn<bool>("fits");
        QTest::newRow("worn a little") << 217.9 << 217.5 << true;
        QTest::newRow("a digit typed") << 217.9 << 3.0 << false;
        QTest::newRow("a tenth shorter") << 229.3 << 206.37 << true;
        QTest::newRow("just beyond a tenth shorter") << 229.3 << 206.36 << false;
        QTest::newRow("a tenth longer") << 64.3 << 70.73 << true;
        QTest::newRow("just beyond a tenth longer") << 64.3 << 70.74 << false;
        QTest::newRow("zero") << 64.3 << 0.0 << false;
        QTest::newRow("a huge number") << 64.3 << 1e300 << false;
        QTest::newRow("not a number") << 64.3 << std::nan("") << false;
    }
    void measuredFits()
    {
        QFETCH(double, nominal);
        QFETCH(double, measured);
        QFETCH(bool, fits);
        QCOMPARE(PieceBook::measuredFits(nominal, measured), fits);
    }

    // Kept per range through a real file and read back by a new reader, as
    // the next start reads it; ids and article numbers with "/" and blanks
    // must neither split into groups nor mix ranges.
    void roundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Gleisrechner.ini"_s);
        PieceBook::Entries c{{u"24360"_s, {229.25, 3, 1249}}, {u"24064"_s, {{}, 0, 0}}};
        PieceBook::Entries kato{{u"20-091B"_s, {{}, 2, 0}}, {u"a/b c"_s, {45.5, 0, 99}}};
        {
            QSettings settings(path, QSettings::IniFormat);
            PieceBook::save(settings, u"maerklin-c"_s, c);
            PieceBook::save(settings, u"xtrkcad:Kato/N Unitrack"_s, kato);
            settings.sync();
            QCOMPARE(settings.status(), QSettings::NoError);
        }
        QSettings settings(path, QSettings::IniFormat);
        c.remove(u"24064"_s); // nothing kept about it
        QCOMPARE(PieceBook::load(settings, u"maerklin-c"_s), c);
        QCOMPARE(PieceBook::load(settings, u"xtrkcad:Kato/N Unitrack"_s), kato);
        QCOMPARE(PieceBook::load(settings, u"xtrkcad:Kato"_s), PieceBook::Entries());

        // Saving a range again replaces what it had, and hand-edited values
        // that are no numbers, are negative or more than the table takes give
        // nothing.
        PieceBook::save(settings, u"r"_s, {{u"1"_s, {{}, 5, 0}}, {u"2"_s, {{}, 1, 0}}});
        PieceBook::save(settings, u"r"_s, {{u"2"_s, {{}, 4, 0}}});
        settings.setValue(u"Sortiment-r/3/Bestand"_s, u"viele"_s);
        settings.setValue(u"Sortiment-r/3/gemessen"_s, -5);
        settings.setValue(u"Sortiment-r/3/Cent"_s, 250);
        settings.setValue(u"Sortiment-r/4/Bestand"_s, 1000);
        settings.setValue(u"Sortiment-r/4/Cent"_s, 99);
        const PieceBook::Entries expected{
            {u"2"_s, {{}, 4, 0}}, {u"3"_s, {{}, 0, 250}}, {u"4"_s, {{}, 0, 99}}};
        QCOMPARE(PieceBook::load(settings, u"r"_s), expected);
    }
};

QTEST_APPLESS_MAIN(tst_PieceBook)
#include "tst_piecebook.moc"
