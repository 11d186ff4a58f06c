#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

// Every conversion between numbers and texts the program makes. Two readings
// exist side by side on purpose: the leading-number reading is
// locale-independent ("." is the only decimal point) and never fails, while
// the locale readings follow the user's separators and can refuse a text.
//
// All locale-dependent functions use the default QLocale, so one
// QLocale::setDefault() governs the whole program.
namespace NumberText {

// The one digit check of the program: the ASCII digits 0 to 9, the only ones
// the inputs take (QChar::isDigit() also takes other scripts' digits).
constexpr bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
// A text of one or more digits and nothing else.
bool isDigits(QStringView text);
// The value of a text that is one digit and nothing else.
std::optional<int> digitValue(QStringView text);

// Reads the number a text begins with: blanks are skipped wherever they
// stand, "." is the decimal point, an exponent (e/E/d/D) is taken, and
// reading stops at the first character that cannot continue the number.
// A text without a leading number gives 0.
double leadingNumber(QStringView text);

// Locale readings: surrounding blanks allowed, the locale's decimal and
// group separators. Nothing is returned for an unreadable text, the empty
// text included, or for a value outside the target type; "inf" and "nan",
// which QLocale takes, are no numbers here.
std::optional<float> toFloat(QStringView text, const QLocale &locale = QLocale());
std::optional<qint16> toInt16(QStringView text);
// The same reading in full precision, for the number texts the program
// wrote itself: "1.000,0" and ",50" under German, "1,000.0" and ".50" under
// English.
std::optional<double> toDouble(QStringView text, const QLocale &locale = QLocale());

// Rounds to a 16-bit integer, a half to the even one; nothing when the
// value lies outside the 16-bit range or is not finite.
std::optional<qint16> roundToInt16(double value);

// "###.0": integer digits without grouping, one decimal.
QString formatLength(float value);
// "#,###.0": grouped integer digits, one decimal.
QString formatSum(float value);
// "####.00": no grouping, two decimals, no integer digit below 1 (",50").
QString formatPrice(float value);
// "#": a plain integer, zero gives the empty text.
QString formatCount(int value);
// The "Standard" display of a number: grouped digits, two decimals.
QString formatStandard(double value, const QLocale &locale = QLocale());
// A number for programs to read, whatever the locale: "." as the decimal
// point, no grouping, an integer digit below 1 ("1265.0", "0.50", "-5.00").
QString formatPlain(double value, int decimals);

// The default number-to-text form used in the settings file: a leading
// blank or minus sign, the digits (decimals only when there are any, with
// the locale's decimal separator), one trailing blank.
QString defaultText(double value);

// The name of the locale whose separators `locale` reads and writes numbers
// with, for a message about a number. The system locale names itself after
// the language of its messages (LC_ALL, LC_MESSAGES, LANG) while its numbers
// follow LC_ALL, LC_NUMERIC, LANG; a sentence about a number names the
// latter.
QString localeName(const QLocale &locale = QLocale());

} // namespace NumberText
