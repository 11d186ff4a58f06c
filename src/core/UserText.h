#pragma once

#include <QString>
#include <QStringView>

// Texts the user gave (an argument, a line of a file) as a message shows
// them back: in German quotes, so that blanks at either end and the empty
// text stay visible, on one line whatever they hold.
namespace UserText {

// „text“, with line breaks, tabs and other control characters written as
// escapes ("\n", "\t", "\x1b") and anything past `longest` characters cut
// to "…".
QString quoted(QStringView text, qsizetype longest = 60);

// The same escapes without quotes or cutting: a message that must stay one
// line of plain text whatever it quotes.
QString oneLine(QStringView text);

} // namespace UserText
