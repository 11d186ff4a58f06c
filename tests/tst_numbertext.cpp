#include "core/NumberText.h"
#include "locales.h"

#include <QHash>
#include <QLocale>
#include <QTest>

#include <bit>
#include <limits>

using namespace Qt::StringLiterals;

class tst_NumberText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(german); }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("blanks inside the digits") << u"  12 34"_s << 1234.0;
        QTest::newRow("second point ends it") << u"1.2.3"_s << 1.2;
        QTest::newRow("negative exponent") << u"25e-1"_s << 2.5;
        QTest::newRow("exponent after blanks") << u"1 e 2"_s << 100.0;
        QTest::newRow("non-ASCII digit") << u"\u0663"_s << 0.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QTEST(NumberText::leadingNumber(text), "expected");
    }

    // One text read both ways. Floats are compared bit for bit: "0,10" must
    // give 0.1f, not something merely close to it. Whole numbers round half
    // to even and must fit 16 bits. NaN and -1 mean "unreadable".
    void toFloatAndInt16_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("asFloat");
        QTest::addColumn<int>("asInt16");
        const float none = std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("de half down") << german << u"12,50"_s << 12.5f << 12;
        QTest::newRow("de half up") << german << u"3,5"_s << 3.5f << 4;
        QTest::newRow("de grouped") << german << u"1.234,50"_s << 1234.5f << 1234;
        QTest::newRow("de nearest float to 0.1") << german << u"0,10"_s << 0.1f << 0;
        QTest::newRow("de too large") << german << u"32768"_s << 32768.0f << -1;
        QTest::newRow("de digits then letters") << german << u"12a"_s << none << -1;
    }
    void toFloatAndInt16()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(float, asFloat);
        QLocale::setDefault(locale);
        const float none = std::numeric_limits<float>::quiet_NaN();
        QCOMPARE(std::bit_cast<quint32>(NumberText::toFloat(text).value_or(none)),
                 std::bit_cast<quint32>(asFloat));
        QTEST(int(NumberText::toInt16(text).value_or(-1)), "asInt16");
    }

    // The full-precision reading of the texts the search writes, in the
    // locale that wrote them. No text is read as another number: a comma
    // that is a group separator only in English never joins digits of a
    // German price. Negative prices and totals beyond the float range are
    // read where the results are sorted and exported.
    void toDouble_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected"); // NaN: unreadable
        const double none = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("de no integer digit") << german << u",50"_s << 0.5;
        QTest::newRow("C grouped sum") << QLocale::c() << u"1,265.0"_s << 1265.0;
        QTest::newRow("en German price") << english << u"12,50"_s << none;
        QTest::newRow("not a number") << german << u"nan"_s << none;
    }
    void toDouble()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QTEST(NumberText::toDouble(text, locale).value_or(std::numeric_limits<double>::quiet_NaN()),
              "expected");
    }

    void format_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        const QString length = u"###.0"_s, sum = u"#,###.0"_s, price = u"####.00"_s;
        QTest::newRow("de length 64.3f") << german << length << double(64.3f) << u"64,3"_s;
        QTest::newRow("de sum carries to a group")
            << german << sum << double(999.96f) << u"1.000,0"_s;
        QTest::newRow("de price ungrouped") << german << price << 1234.5 << u"1234,50"_s;
        QTest::newRow("en price half") << english << price << 0.5 << u".50"_s;
    }
    void format()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QLocale::setDefault(locale);
        const QHash<QString, QString> formatted{
            {u"###.0"_s, NumberText::formatLength(float(value))},
            {u"#,###.0"_s, NumberText::formatSum(float(value))},
            {u"####.00"_s, NumberText::formatPrice(float(value))}};
        QTEST(formatted.value(pattern), "expected");
    }

    // A sentence about a number names the locale that read it. The system
    // locale reads numbers by LC_ALL, then LC_NUMERIC, then LANG, while its
    // own name follows the language of messages; a chosen locale is itself.
    void localeName_data()
    {
        QTest::addColumn<QByteArray>("lcAll");
        QTest::addColumn<QByteArray>("lcNumeric");
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<QString>("expected");
        QTest::newRow("LANG alone") << ""_ba
                                    << ""_ba
                                    << "de_DE.UTF-8"_ba << u"de_DE"_s;
        QTest::newRow("LC_NUMERIC over LANG") << ""_ba
                                              << "C"_ba
                                              << "de_DE.UTF-8"_ba << u"C"_s;
        QTest::newRow("LC_ALL over both") << "en_US.UTF-8"_ba
                                          << "de_DE.UTF-8"_ba
                                          << "C"_ba << u"en_US"_s;
        QTest::newRow("C with encoding") << ""_ba
                                         << ""_ba
                                         << "C.UTF-8"_ba << u"C"_s;
    }
    void localeName()
    {
        QFETCH(QByteArray, lcAll);
        QFETCH(QByteArray, lcNumeric);
        QFETCH(QByteArray, lang);
        const QList<std::pair<const char *, QByteArray>> variables{
            {"LC_ALL", lcAll}, {"LC_NUMERIC", lcNumeric}, {"LANG", lang}};
        QList<std::pair<const char *, QByteArray>> before;
        for (const auto &[name, value] : variables) {
            before.append({name, qgetenv(name)});
            qputenv(name, value);
        }
        const QString system = NumberText::localeName(QLocale::system());
        const QString chosen = NumberText::localeName(english);
        for (const auto &[name, value] : before)
            qputenv(name, value);
        QTEST(system, "expected");
        QCOMPARE(chosen, u"en_US"_s);
    }
};

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_numbertext.moc"
