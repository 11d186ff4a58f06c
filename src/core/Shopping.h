#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

// The parts list of one answer and what is still to buy beyond the pieces
// owned, with their cost, and the texts they leave the program as: a table
// a spreadsheet pastes (tabs), a CSV file and the lines of a printed page.
namespace Shopping {

struct Piece
{
    QString article;
    QString label; // as the range shows it
    int used = 0;
    int owned = 0;
    qint64 unitCents = 0;
};

struct Line
{
    QString article;
    QString label;
    int count = 0;
    qint64 cents = 0; // count times the unit price

    bool operator==(const Line &) const = default;
};

// Every piece used, with its count.
QList<Line> parts(const QList<Piece> &pieces);
// Every piece used more often than owned, with the count missing.
QList<Line> toBuy(const QList<Piece> &pieces);
qint64 totalCents(const QList<Line> &lines);
int totalCount(const QList<Line> &lines);

// "12,50" under German; cents keep prices exact where floats would not.
QString money(qint64 cents, const QLocale &locale = QLocale());
// A price the user typed, in the locale's form ("12,5", "1.234,50", empty
// for 0); nothing for a text that is no price or is negative.
std::optional<qint64> readMoney(const QString &text);

// The lines as table rows with a header and a sum row:
// Anzahl, Artikel, Bezeichnung, Stückpreis, Preis.
QList<QStringList> table(const QList<Line> &lines, const QList<Piece> &pieces,
                         const QLocale &locale = QLocale());
// Tab-separated lines, as a spreadsheet pastes them.
QString tabSeparated(const QList<QStringList> &rows);
// ";" where the locale writes a decimal comma; fields with the separator,
// quotes or line breaks quoted.
QString csv(const QList<QStringList> &rows, const QLocale &locale = QLocale());

// The printed page: range, gap and date above the parts list and the
// shopping list, one text line each (tables as tab-separated cells).
QStringList page(const QString &rangeName, const QString &gapText, const QString &dateText,
                 const QList<QStringList> &partsTable, const QList<QStringList> &buyTable);

} // namespace Shopping
