#pragma once

#include "GapSolver.h"
#include "TrackRange.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// The rows of a range search as texts, laid out as the results table lays
// out the nine C pieces: `slots` length cells (longest piece first, blanks at
// the right end), the summed length, `slots` article cells, the price; with
// a stock, two more cells: the pieces still to buy and their cost. With nine
// slots and the built-in range a row reads exactly as the window's row.
//
// Numbers follow the default locale as the window's do: a length with one
// decimal ("64,3"), or two where the piece has them ("27,75"); the sum
// grouped ("1.000,0"); prices "####.00" (",50"). With `plain`, every one of
// them is written for programs instead.
class RangeRows
{
public:
    enum class Format { Tsv, Csv, Text, Json, Shopping };

    struct Options
    {
        int slots = GapSolver::defaultMaxPieces;
        bool withStock = false;
        // Numbers for programs, whatever the locale: "1265.0", "27.75",
        // "0.50" (to be written with the C locale's separators).
        bool plain = false;
        // Per piece index, as the window reads them (0 where missing).
        QList<float> unitPrices;
        // Per piece index: the same prices in cents, and the pieces on hand
        // (for the shopping list).
        QList<qint64> unitCents;
        QList<int> stock;
    };

    RangeRows(TrackRange range, Options options);

    QStringList header() const;
    QStringList cells(const GapSolver::Selection &selection) const;
    // "2 × 24 360, 1 × 24 236", longest piece first.
    QString partsText(const GapSolver::Selection &selection) const;

    QString lengthText(qint64 units) const;
    QString sumText(qint64 units) const;
    QString priceText(qint64 cents) const;

    // The rows in one format. Shopping writes the shopping list of the first
    // row alone: a header line, then article, count, unit price and total
    // of each piece still to buy (every piece without a stock), and a last
    // line with the sum, separated as the locale's spreadsheets read them.
    QString write(Format format, const QList<GapSolver::Selection> &rows,
                  const QLocale &locale = QLocale()) const;

private:
    QString price(const GapSolver::Selection &selection) const;
    QString tsv(const QList<GapSolver::Selection> &rows) const;
    QString csv(const QList<GapSolver::Selection> &rows, QChar separator) const;
    QString table(const QList<GapSolver::Selection> &rows) const;
    QString json(const QList<GapSolver::Selection> &rows) const;
    QString shopping(const QList<GapSolver::Selection> &rows, const QLocale &locale) const;
    QString number(double value, int decimals, const QString &localeText) const;

    TrackRange m_range;
    Options m_options;
};
