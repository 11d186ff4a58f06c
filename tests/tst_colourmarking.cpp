#include "core/ColourMarking.h"
#include "core/PieceColours.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString rgb(const Rgb &c)
{
    return u"%1,%2,%3"_s.arg(c.red).arg(c.green).arg(c.blue);
}

// A style as "R,G,B" of the background, " white" when the text turns white;
// "-" for no style.
QString shown(const std::optional<PieceColours::Style> &style)
{
    return !style ? u"-"_s : rgb(style->background) + (style->whiteText ? u" white"_s : QString());
}

QString shown(const std::optional<ColourMarking::ColumnColours> &colours)
{
    return !colours ? u"-"_s : rgb(colours->background) + u" on " + rgb(colours->text);
}

} // namespace

class tst_ColourMarking : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // A cell is marked by its text alone: an article number or a length text
    // exactly as the search writes it.
    void cellText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("style");
        QTest::newRow("24360") << u"24360"_s << u"192,0,0 white"_s;
        QTest::newRow("24094") << u"24094"_s << u"192,192,0"_s;
        QTest::newRow("77,5") << u"77,5"_s << u"0,192,192"_s;
        QTest::newRow("two decimals") << u"360,00"_s << u"-"_s;
        QTest::newRow("other length") << u"64,4"_s << u"-"_s;
        QTest::newRow("English text") << u"70.8"_s << u"-"_s;
    }
    void cellText()
    {
        QFETCH(QString, text);
        QTEST(shown(PieceColours::forCellText(text)), "style");
    }

    // Each entry toggles one group; then the flags of the twenty result
    // columns, the "HighlightRow" setting and the colours of price-grid
    // columns 0, 1, 6 and 9.
    void toggleGroup_data()
    {
        QTest::addColumn<QList<int>>("groups");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<int>("highlightRow");
        QTest::addColumn<QStringList>("priceColumns");
        const QString none(20, u'.');
        const QStringList plain(4, u"255,255,255 on 0,0,0"_s);
        const QStringList coloured{u"128,128,128 on 255,255,255"_s, u"192,0,0 on 255,255,255"_s,
                                   u"192,192,0 on 255,255,255"_s, u"167,106,33 on 255,255,255"_s};
        QTest::newRow("window opens") << QList<int>{} << none << 0 << QStringList(4, u"-"_s);
        QTest::newRow("lengths") << QList<int>{0} << u"xxxxxxxxx..........."_s << 1 << coloured;
        QTest::newRow("lengths off, articles stay")
            << QList<int>{0, 1, 0} << u"..........xxxxxxxxx."_s << 1 << coloured;
        QTest::newRow("both off") << QList<int>{1, 0, 1, 0} << none << 0 << plain;
    }
    void toggleGroup()
    {
        QFETCH(QList<int>, groups);
        ColourMarking marking;
        for (int group : groups)
            marking.toggleGroup(group);
        QString flags;
        for (int c = 0; c < 20; ++c)
            flags += marking.cellStyleRequested(c) ? u'x' : u'.';
        QTEST(flags, "flags");
        QTEST(int(marking.highlightRowSetting()), "highlightRow");
        QStringList priceColumns;
        for (int column : {0, 1, 6, 9})
            priceColumns << shown(marking.priceColumnColours(column));
        QTEST(priceColumns, "priceColumns");
    }
};

QTEST_GUILESS_MAIN(tst_ColourMarking)
#include "tst_colourmarking.moc"
