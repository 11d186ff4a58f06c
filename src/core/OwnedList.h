#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The pieces a builder owns, as a spreadsheet exports them: one line per
// piece, its article number and its count ("24360;2"). Spreadsheets write
// ";" under a German locale, "," elsewhere and tabs when a column is copied,
// with or without a header line and quotes; all of that is taken.
namespace OwnedList {

struct Reading
{
    // Article number (blanks removed) to count; a piece listed twice (two
    // boxes of it) counts twice.
    QHash<QString, int> counts;
    // One German line per line that could not be read: "Zeile 4: …".
    QStringList problems;
};

Reading read(QStringView text);

// The key an article number is compared by: "24 360" and "24360" are one
// piece.
QString key(QStringView article);

} // namespace OwnedList
