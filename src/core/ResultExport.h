#pragma once

#include "GridStore.h"
#include "PartsListPage.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Result rows as they leave the program: for the terminal, for a script,
// for a spreadsheet or the clipboard. A row is its twenty cell texts exactly
// as the results table holds or shows them; nothing here recomputes a length
// or a price, it only reads the texts back through the locale reading where
// a format needs numbers.
class ResultExport
{
public:
    using Row = QStringList;

    enum class Format {
        Tsv,  // the twenty cells separated by tabs, no header line
        Csv,  // a header line, then the cells as the locale's spreadsheets read them
        Text, // an aligned table with a German header and each row's parts
        Json, // an array, one object per row, numbers as numbers
    };

    static std::optional<Format> formatFromName(QStringView name);

    // Rows 0 to rowCount - 1 of a results store.
    static QList<Row> rows(const GridStore &results, int rowCount);
    // The column captions without their padding blanks: L1..L9, Länge, Gl1..Gl9, Preis.
    static QStringList header();

    static QString write(Format format, const QList<Row> &rows, const QLocale &locale = QLocale());

    // One line per row, the cells separated by tabs, each line ending in "\n".
    static QString tabSeparated(const QList<Row> &rows);
    // ";" where the locale writes a decimal comma (a comma would split the
    // numbers), "," elsewhere.
    static QChar csvSeparator(const QLocale &locale);
    static QString csv(const QList<Row> &rows, QChar separator);
    // One CSV line ending in CRLF, a cell quoted where it holds the
    // separator, a quote or a line break.
    static QString csvLine(const QStringList &cells, QChar separator);
    static QString table(const QList<Row> &rows);
    static QString json(const QList<Row> &rows, const QLocale &locale);

    // The pieces of a row in catalogue order: "2 × 24 360, 1 × 24 236".
    static QString partsText(const Row &row);

    // The parts list in the printout's words, one printed line to a line,
    // its parts separated by tabs: the title; "Distanz:", the summed length,
    // "mm"; then count, "Stck" and label of each piece used.
    static QString partsList(const QString &summedLength, const PartsListPage::Counts &counts);

    // The rows with every length, sum and price written for programs
    // ("1265.0", "0.50", "-5.00"), read from the texts `locale` wrote.
    // Written with the C locale, they keep the layout of each format.
    static QList<Row> plainNumbers(const QList<Row> &rows, const QLocale &locale);
};
