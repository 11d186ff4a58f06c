#pragma once

#include <QString>

// Everything torvelin-search writes, whichever path produced it: results on
// standard output checked to their last byte, messages on standard error as
// one line each in the program's own form.
namespace Output {

// The exit statuses of the program.
inline constexpr int done = 0;
inline constexpr int writeError = 1;
inline constexpr int usageError = 2;

// To be called first in main(): a program started with standard output
// closed (">&-") keeps that descriptor number from the next file it opens.
void holdClosedOutput();

// One line on standard error: the program's name first, no trailing blanks
// (the window's texts carry some for their message boxes).
void tell(const QString &text);

// The count that follows a listing: `text` alone on a line of standard
// error, for the reader to take apart from the rows.
void count(const QString &text);

// A refusal of the call: tells `message`, gives the usage status.
int fail(const QString &message);

// Writes all of `text` to standard output; done, or the write-error status.
// A failed write (a full disk) is told in one line; a reader that went away
// (| head) ends the program quietly: by SIGPIPE as for any other program,
// or, where that signal is ignored, with the write-error status and no word.
int writeOut(const QString &text);

} // namespace Output
