#pragma once

#include "CommandLine.h"

#include <QString>
#include <QStringList>

// The range options of torvelin-search: other ranges than the built-in one,
// the solver that does not try every selection, the nearest lengths, what is
// still to buy, measured lengths and joints, and exchanges on a laid run.
//
// As soon as one of these options is given, the whole command line is read
// here; without them torvelin-search runs the window's enumeration exactly as
// before.
namespace RangeCommand {

// The options this path adds to the command line (names without "--").
QStringList valueOptions();
QStringList listOptions();
QStringList flags();

// Whether the command line asks for this path.
bool isRequested(const CommandLine &line);

// Runs it; the exit status (0 done, 1 output could not be written, 2 a bad
// value, with one German line on standard error). `plain` writes numbers for
// programs, as the rest of torvelin-search does.
int run(const CommandLine &line, bool plain);

// The section of --help on these options.
QString helpText();

} // namespace RangeCommand
