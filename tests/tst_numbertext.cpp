#include "text/NumberText.h"

#include <QLocale>
#include <QTest>

#include <bit>
#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QLocale english(QLocale::English, QLocale::UnitedStates);

// Floats are compared bit for bit: "0,10" must give 0.1f, not something
// merely close to it.
quint32 bits(float value)
{
    return std::bit_cast<quint32>(value);
}

} // namespace

class tst_NumberText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(german); }
    void cleanupTestCase() { QLocale::setDefault(german); }

    void leadingNumber_data();
    void leadingNumber();
    void toFloat_data();
    void toFloat();
    void toInt16_data();
    void toInt16();
    void patterns_data();
    void patterns();
    void defaultText_data();
    void defaultText();
};

void tst_NumberText::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("blanks inside the digits") << u"  12 34"_s << 1234.0;
    QTest::newRow("point is the decimal point") << u"60.5"_s << 60.5;
    QTest::newRow("comma ends the number") << u"60,5"_s << 60.0;
    QTest::newRow("grouped German text") << u"1.234,5"_s << 1.234;
    QTest::newRow("position written with a comma") << u" 1234,5 "_s << 1234.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("letters") << u"abc"_s << 0.0;
    QTest::newRow("digits then letters") << u"12abc"_s << 12.0;
    QTest::newRow("minus") << u"-3"_s << -3.0;
    QTest::newRow("minus then blank") << u"- 3"_s << -3.0;
    QTest::newRow("sign alone") << u"-"_s << 0.0;
    QTest::newRow("point alone") << u"."_s << 0.0;
    QTest::newRow("leading point") << u".5"_s << 0.5;
    QTest::newRow("trailing point") << u"60."_s << 60.0;
    QTest::newRow("second point ends it") << u"1.2.3"_s << 1.2;
    QTest::newRow("exponent") << u"1e3"_s << 1000.0;
    QTest::newRow("negative exponent") << u"25e-1"_s << 2.5;
    QTest::newRow("D exponent") << u"2.5d1"_s << 25.0;
    QTest::newRow("exponent without digits") << u"7e"_s << 7.0;
    QTest::newRow("exponent after blanks") << u"1 e 2"_s << 100.0;
    QTest::newRow("non-ASCII digit") << u"\u0663"_s << 0.0;
}

void tst_NumberText::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double actual = NumberText::leadingNumber(text);
    QVERIFY2(actual == expected, qPrintable(QString::number(actual, 'g', 17)));
}

void tst_NumberText::toFloat_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<float>("expected");

    QTest::newRow("de decimal comma") << german << u"12,50"_s << true << 12.5f;
    QTest::newRow("de grouped") << german << u"1.234,50"_s << true << 1234.5f;
    QTest::newRow("de blanks around") << german << u" 7 "_s << true << 7.0f;
    QTest::newRow("de nearest float to 0.1") << german << u"0,10"_s << true << 0.1f;
    QTest::newRow("de piece length") << german << u"64,3"_s << true << 64.3f;
    QTest::newRow("de empty") << german << QString() << false << 0.0f;
    QTest::newRow("de letters") << german << u"abc"_s << false << 0.0f;
    QTest::newRow("de digits then letters") << german << u"12a"_s << false << 0.0f;
    QTest::newRow("de beyond float range") << german << u"1e39"_s << false << 0.0f;
    QTest::newRow("en decimal point") << english << u"12.50"_s << true << 12.5f;
    QTest::newRow("en grouped") << english << u"1,234.50"_s << true << 1234.5f;
    QTest::newRow("en nearest float to 0.1") << english << u"0.10"_s << true << 0.1f;
}

void tst_NumberText::toFloat()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(float, expected);
    QLocale::setDefault(locale);

    const std::optional<float> value = NumberText::toFloat(text);
    QCOMPARE(value.has_value(), readable);
    if (readable)
        QCOMPARE(bits(*value), bits(expected));
}

void tst_NumberText::toInt16_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("expected");

    QTest::newRow("de plain") << german << u"9"_s << true << 9;
    QTest::newRow("de blanks around") << german << u" 1 "_s << true << 1;
    QTest::newRow("de half to even down") << german << u"2,5"_s << true << 2;
    QTest::newRow("de half to even up") << german << u"3,5"_s << true << 4;
    QTest::newRow("de negative half") << german << u"-2,5"_s << true << -2;
    QTest::newRow("de above half") << german << u"1,6"_s << true << 2;
    QTest::newRow("de largest") << german << u"32767"_s << true << 32767;
    QTest::newRow("de too large") << german << u"32768"_s << false << 0;
    QTest::newRow("de rounds past the range") << german << u"32767,5"_s << false << 0;
    QTest::newRow("de empty") << german << QString() << false << 0;
    QTest::newRow("de letters") << german << u"x"_s << false << 0;
    QTest::newRow("en half to even") << english << u"2.5"_s << true << 2;
    QTest::newRow("en comma is grouping") << english << u"1,000"_s << true << 1000;
}

void tst_NumberText::toInt16()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(int, expected);
    QLocale::setDefault(locale);

    const std::optional<qint16> value = NumberText::toInt16(text);
    QCOMPARE(value.has_value(), readable);
    if (readable)
        QCOMPARE(int(*value), expected);
}

void tst_NumberText::patterns_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    const QString length = u"###.0"_s;
    const QString sum = u"#,###.0"_s;
    const QString price = u"####.00"_s;
    const QString count = u"#"_s;
    const QString standard = u"Standard"_s;

    QTest::newRow("de length 64.3f") << german << length << double(64.3f) << u"64,3"_s;
    QTest::newRow("de length ungrouped") << german << length << 3240.0 << u"3240,0"_s;
    QTest::newRow("de length zero") << german << length << 0.0 << u",0"_s;
    QTest::newRow("de length carries") << german << length << double(9.96f) << u"10,0"_s;
    QTest::newRow("de sum 3240") << german << sum << 3240.0 << u"3.240,0"_s;
    QTest::newRow("de sum 1268.3f") << german << sum << double(1268.3f) << u"1.268,3"_s;
    QTest::newRow("de sum 360") << german << sum << 360.0 << u"360,0"_s;
    QTest::newRow("de sum 1000") << german << sum << 1000.0 << u"1.000,0"_s;
    QTest::newRow("de sum carries to a group") << german << sum << double(999.96f) << u"1.000,0"_s;
    QTest::newRow("de price zero") << german << price << 0.0 << u",00"_s;
    QTest::newRow("de price half") << german << price << 0.5 << u",50"_s;
    QTest::newRow("de price 12.5") << german << price << 12.5 << u"12,50"_s;
    QTest::newRow("de price ungrouped") << german << price << 1234.5 << u"1234,50"_s;
    QTest::newRow("de price carries") << german << price << double(0.999f) << u"1,00"_s;
    QTest::newRow("de count zero") << german << count << 0.0 << QString();
    QTest::newRow("de count ungrouped") << german << count << 1234.0 << u"1234"_s;
    QTest::newRow("de standard") << german << standard << 1234.5 << u"1.234,50"_s;
    QTest::newRow("en length") << english << length << 360.0 << u"360.0"_s;
    QTest::newRow("en sum 1268.3f") << english << sum << double(1268.3f) << u"1,268.3"_s;
    QTest::newRow("en sum 3240") << english << sum << 3240.0 << u"3,240.0"_s;
    QTest::newRow("en price half") << english << price << 0.5 << u".50"_s;
    QTest::newRow("en price 12.5") << english << price << 12.5 << u"12.50"_s;
    QTest::newRow("en standard") << english << standard << 1234.5 << u"1,234.50"_s;
}

void tst_NumberText::patterns()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, pattern);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QLocale::setDefault(locale);

    QString actual;
    if (pattern == u"###.0")
        actual = NumberText::formatLength(float(value));
    else if (pattern == u"#,###.0")
        actual = NumberText::formatSum(float(value));
    else if (pattern == u"####.00")
        actual = NumberText::formatPrice(float(value));
    else if (pattern == u"#")
        actual = NumberText::formatCount(int(value));
    else
        actual = NumberText::formatStandard(value);
    QCOMPARE(actual, expected);
}

void tst_NumberText::defaultText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("de whole") << german << 1200.0 << u" 1200 "_s;
    QTest::newRow("de negative") << german << -3.0 << u"-3 "_s;
    QTest::newRow("de float position") << german << double(1234.5f) << u" 1234,5 "_s;
    QTest::newRow("de ungrouped") << german << 12345.0 << u" 12345 "_s;
    QTest::newRow("en fraction") << english << 1234.5 << u" 1234.5 "_s;
}

void tst_NumberText::defaultText()
{
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QLocale::setDefault(locale);

    QCOMPARE(NumberText::defaultText(value), expected);
}

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_numbertext.moc"
