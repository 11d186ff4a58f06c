#pragma once

#include <QString>
#include <QStringView>

// Reads the three texts a search starts from and says what is wrong with
// them. The length check uses the leading-number reading on purpose (60 and
// 3240 pass, anything outside is refused); the window the search looks in is
// formed by the locale reading.
namespace SearchInputs {

inline constexpr int minimumLength = 60;
inline constexpr int maximumLength = 3240;
inline constexpr int maximumTolerance = 9;

enum class Problem {
    None,
    TooShort,     // below 60 mm
    TooLong,      // above 3240 mm
    BadLength,    // passes the range check but is not a plain whole number
    BadTolerance, // a tolerance box holds something other than one digit
};

struct Window
{
    Problem problem = Problem::None;
    int toleranceIndex = -1; // the refused tolerance box, with BadTolerance
    float lower = 0.0f;
    float upper = 0.0f;
};

// The range check of the length box.
Problem checkLength(QStringView lengthText);

// The search window. An empty tolerance box counts as 0; anything but a
// single digit is refused, and so is a length that is not digits alone
// (only digits can be typed, but text can also be dropped or pasted).
Window window(QStringView lengthText, QStringView minusText, QStringView plusText);

QString title();
QString message(Problem problem);

} // namespace SearchInputs
