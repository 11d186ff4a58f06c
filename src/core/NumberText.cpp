#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

QLocale localeWithGrouping(bool grouped, QLocale locale = QLocale())
{
    QLocale::NumberOptions options = locale.numberOptions();
    options.setFlag(QLocale::OmitGroupSeparator, !grouped);
    locale.setNumberOptions(options);
    return locale;
}

QString formatFixed(double value, int decimals, bool grouped, bool integerDigitBelowOne,
                    const QLocale &base = QLocale())
{
    const QLocale locale = localeWithGrouping(grouped, base);
    const double scale = decimals == 1 ? 10.0 : 100.0;
    // A float times 10 or 100 is exact in a double, so std::round rounds the
    // exact value, a half away from zero, as the display patterns do.
    const double scaled = std::round(value * scale);
    if (!std::isfinite(scaled) || std::abs(scaled) >= 1e17)
        return locale.toString(value, 'f', decimals);

    const auto units = static_cast<qint64>(scaled);
    const qint64 magnitude = units < 0 ? -units : units;
    const qint64 integerPart = magnitude / qint64(scale);
    const qint64 fraction = magnitude % qint64(scale);

    QString text;
    if (units < 0)
        text += locale.negativeSign();
    if (integerPart != 0 || integerDigitBelowOne)
        text += locale.toString(integerPart);
    text += locale.decimalPoint();
    QString digits = locale.toString(fraction);
    const QString zero = locale.zeroDigit();
    while (digits.size() < decimals)
        digits.prepend(zero);
    return text + digits;
}

} // namespace

std::optional<int> NumberText::digitValue(QStringView text)
{
    if (text.size() != 1 || !isDigit(text[0]))
        return std::nullopt;
    return text[0].unicode() - u'0';
}

bool NumberText::isDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isDigit);
}

double NumberText::leadingNumber(QStringView text)
{
    // Collect the characters that form the number, dropping blanks, and let
    // the C locale reading do the arithmetic on a clean ASCII text.
    QByteArray number;
    qsizetype i = 0;
    const qsizetype size = text.size();
    auto skipBlanks = [&] {
        while (i < size && isBlank(text[i]))
            ++i;
    };
    auto takeDigits = [&] {
        bool any = false;
        for (skipBlanks(); i < size && isDigit(text[i]); skipBlanks()) {
            number.append(char(text[i].unicode()));
            ++i;
            any = true;
        }
        return any;
    };

    skipBlanks();
    if (i < size && (text[i] == u'-' || text[i] == u'+')) {
        number.append(char(text[i].unicode()));
        ++i;
    }
    bool digits = takeDigits();
    if (i < size && text[i] == u'.') {
        ++i;
        number.append('.');
        digits = takeDigits() || digits;
    }
    if (!digits)
        return 0.0;
    if (i < size) {
        const QChar e = text[i];
        if (e == u'e' || e == u'E' || e == u'd' || e == u'D') {
            // An exponent counts only when digits follow it.
            const qsizetype mark = i;
            const qsizetype before = number.size();
            ++i;
            number.append('e');
            skipBlanks();
            if (i < size && (text[i] == u'-' || text[i] == u'+')) {
                number.append(char(text[i].unicode()));
                ++i;
            }
            if (!takeDigits()) {
                number.truncate(before);
                i = mark;
            }
        }
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(QString::fromLatin1(number), &ok);
    if (ok)
        return value;
    // Only an exponent beyond the double range fails here.
    return number.contains("e-")    ? 0.0
           : number.startsWith('-') ? -std::numeric_limits<double>::infinity()
                                    : std::numeric_limits<double>::infinity();
}

std::optional<float> NumberText::toFloat(QStringView text, const QLocale &locale)
{
    bool ok = false;
    const float value = locale.toFloat(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> NumberText::toDouble(QStringView text, const QLocale &locale)
{
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint16> NumberText::toInt16(QStringView text)
{
    bool ok = false;
    const double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return roundToInt16(value);
}

std::optional<qint16> NumberText::roundToInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint rounds in the default mode, to nearest with ties to even.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

QString NumberText::formatLength(float value)
{
    return formatFixed(value, 1, false, false);
}

QString NumberText::formatSum(float value)
{
    return formatFixed(value, 1, true, false);
}

QString NumberText::formatPrice(float value)
{
    return formatFixed(value, 2, false, false);
}

QString NumberText::formatCount(int value)
{
    if (value == 0)
        return QString();
    return localeWithGrouping(false).toString(value);
}

QString NumberText::formatStandard(double value, const QLocale &locale)
{
    return formatFixed(value, 2, true, true, locale);
}

QString NumberText::formatPlain(double value, int decimals)
{
    return formatFixed(value, decimals, false, true, QLocale::c());
}

QString NumberText::defaultText(double value)
{
    const QLocale locale = localeWithGrouping(false);
    // Seven significant digits are what a 32-bit float carries.
    QString digits = locale.toString(std::abs(value), 'g', 7);
    if (std::isnan(value))
        digits = locale.toString(value);
    const QString sign =
        std::signbit(value) && value != 0.0 ? locale.negativeSign() : QStringLiteral(" ");
    return sign + digits + u' ';
}

QString NumberText::localeName(const QLocale &locale)
{
    if (locale != QLocale::system())
        return locale.name();
    for (const char *variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return QLocale(value).name();
    }
    return locale.name();
}
