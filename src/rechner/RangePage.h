#pragma once

#include <QString>
#include <QStringList>

class QPrinter;

// Paints the chosen answer's page onto a printer the user has chosen: one
// page, the lines top to bottom, tab-separated cells in columns; a long list
// is set smaller rather than running onto a second page.
namespace RangePage {

bool print(QPrinter &printer, const QStringList &lines, QString *error = nullptr);

} // namespace RangePage
