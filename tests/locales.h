#pragma once

#include <QLocale>

// The locales the tests read and write numbers in: the program's own, and
// one that swaps the decimal and the group separator.
inline const QLocale german(QLocale::German, QLocale::Germany);
inline const QLocale english(QLocale::English, QLocale::UnitedStates);
