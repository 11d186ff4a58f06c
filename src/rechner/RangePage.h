#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QPrinter;

// Paints the chosen answer's page onto a printer the user has chosen: one
// page, the lines top to bottom, tab-separated cells in columns; a long list
// is set smaller rather than running onto a second page.
namespace RangePage {

bool print(QPrinter &printer, const QStringList &lines, QString *error = nullptr);

// Where the columns of the page's tables (its lines of three cells or more)
// start and how wide their cells may be: each column as wide as its widest
// cell, `gap` between two; where they do not all fit across `pageWidth`, the
// widest column gives up the width missing and its cells are cut short.
struct Columns
{
    QList<double> left;
    QList<double> width;
};
Columns columns(const QStringList &lines, const std::function<double(const QString &)> &widthOf,
                double pageWidth, double gap);

} // namespace RangePage
