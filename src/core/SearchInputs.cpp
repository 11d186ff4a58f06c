#include "SearchInputs.h"

#include "NumberText.h"

#include <optional>

namespace {

std::optional<float> tolerance(QStringView text)
{
    if (text.isEmpty())
        return 0.0f;
    if (const auto digit = NumberText::digitValue(text))
        return float(*digit);
    return std::nullopt;
}

} // namespace

SearchInputs::Problem SearchInputs::checkLength(QStringView lengthText)
{
    const double length = NumberText::leadingNumber(lengthText);
    if (length < minimumLength)
        return Problem::TooShort;
    if (length > maximumLength)
        return Problem::TooLong;
    return Problem::None;
}

SearchInputs::Window SearchInputs::window(QStringView lengthText, QStringView minusText,
                                          QStringView plusText)
{
    Window result;
    result.problem = checkLength(lengthText);
    if (result.problem != Problem::None)
        return result;

    const std::optional<float> length =
        NumberText::isDigits(lengthText) ? NumberText::toFloat(lengthText) : std::nullopt;
    if (!length) {
        result.problem = Problem::BadLength;
        return result;
    }
    const std::optional<float> minus = tolerance(minusText);
    const std::optional<float> plus = tolerance(plusText);
    if (!minus || !plus) {
        result.problem = Problem::BadTolerance;
        result.toleranceIndex = minus ? 1 : 0;
        return result;
    }
    // Each bound is rounded once to the nearest float.
    result.lower = float(double(*length) - double(*minus));
    result.upper = float(double(*length) + double(*plus));
    return result;
}

QString SearchInputs::title()
{
    return QStringLiteral("Stückzahl ermitteln...");
}

QString SearchInputs::message(Problem problem)
{
    switch (problem) {
    case Problem::TooShort:
        return QStringLiteral("Die minimal anzugebende Länge beträgt 60 mm !       ");
    case Problem::TooLong:
        return QStringLiteral("Die maximal berechenbare Länge beträgt 3.240 mm !       ");
    case Problem::BadLength:
        return QStringLiteral("Die gesuchte Länge darf nur aus Ziffern bestehen !");
    case Problem::BadTolerance:
        return QStringLiteral("Eine Toleranz muss eine Ziffer von 0 bis 9 sein !");
    case Problem::None:
        break;
    }
    return QString();
}
