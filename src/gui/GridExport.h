#pragma once

#include <QObject>
#include <QString>

class Interaction;
class QAction;
class QTableView;

// Takes rows out of the window as a spreadsheet expects them: tab-separated
// displayed texts on the clipboard, or a CSV file. It only adds a context
// menu and Ctrl+C to a grid; captions, focus, header clicks and selection
// stay as they are.
class GridExport : public QObject
{
    Q_OBJECT

public:
    // The results grid: "Zeile kopieren" (also Ctrl+C), "Alle Zeilen
    // kopieren" and "Als CSV speichern …".
    static GridExport *attachResults(QTableView *results, Interaction &interaction);
    // The parts-list grid: "Stückliste kopieren" (also Ctrl+C), in the
    // printout's words, with the summed length of the results grid's current
    // row (row 0 when none is current, as the printout does).
    static GridExport *attachPartsList(QTableView *parts, QTableView *results);

    // What the actions put on the clipboard; the empty text when there is
    // nothing to take (the clipboard is then left alone).
    QString currentRowText() const;
    QString allRowsText() const;
    QString partsListText() const;
    // Writes all rows as CSV; false after telling the user why not, with
    // the file that was there before left as it was.
    bool saveCsv(const QString &path) const;

private:
    GridExport(QTableView *grid, QTableView *results, Interaction *interaction);
    QAction *addAction(const QString &name, const QString &text);
    void copy(const QString &text) const;
    void saveCsvAs() const;

    QTableView *m_grid;
    QTableView *m_results;
    Interaction *m_interaction;
};
