#include "GridExport.h"

#include "Interaction.h"
#include "core/Combination.h"
#include "core/FileSave.h"
#include "core/ResultExport.h"
#include "core/TrackCatalogue.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QTableView>

namespace {

QString display(const QAbstractItemModel *model, int row, int column)
{
    return model->index(row, column).data(Qt::DisplayRole).toString();
}

// A row as the grid shows it; empty when every cell is empty, as in the
// start-up row or after a search that found nothing.
ResultExport::Row shownRow(const QAbstractItemModel *model, int row)
{
    ResultExport::Row cells;
    bool any = false;
    for (int column = 0; column < model->columnCount(); ++column) {
        cells << display(model, row, column);
        any = any || !cells.last().isEmpty();
    }
    return any ? cells : ResultExport::Row();
}

QList<ResultExport::Row> shownRows(const QAbstractItemModel *model)
{
    QList<ResultExport::Row> rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (ResultExport::Row cells = shownRow(model, row); !cells.isEmpty())
            rows << cells;
    }
    return rows;
}

} // namespace

GridExport::GridExport(QTableView *grid, QTableView *results, Interaction *interaction)
    : QObject(grid), m_grid(grid), m_results(results), m_interaction(interaction)
{
    m_grid->setContextMenuPolicy(Qt::ActionsContextMenu);
}

GridExport *GridExport::attachResults(QTableView *results, Interaction &interaction)
{
    auto *exporter = new GridExport(results, results, &interaction);
    QAction *row =
        exporter->addAction(QStringLiteral("actZeileKopieren"), QStringLiteral("Zeile kopieren"));
    row->setShortcut(QKeySequence::Copy);
    connect(row, &QAction::triggered, exporter,
            [exporter] { exporter->copy(exporter->currentRowText()); });
    connect(exporter->addAction(QStringLiteral("actAlleZeilenKopieren"),
                                QStringLiteral("Alle Zeilen kopieren")),
            &QAction::triggered, exporter, [exporter] { exporter->copy(exporter->allRowsText()); });
    connect(exporter->addAction(QStringLiteral("actAlsCsvSpeichern"),
                                QStringLiteral("Als CSV speichern …")),
            &QAction::triggered, exporter, [exporter] { exporter->saveCsvAs(); });
    return exporter;
}

GridExport *GridExport::attachPartsList(QTableView *parts, QTableView *results)
{
    auto *exporter = new GridExport(parts, results, nullptr);
    QAction *list = exporter->addAction(QStringLiteral("actStuecklisteKopieren"),
                                        QStringLiteral("Stückliste kopieren"));
    list->setShortcut(QKeySequence::Copy);
    connect(list, &QAction::triggered, exporter,
            [exporter] { exporter->copy(exporter->partsListText()); });
    return exporter;
}

QAction *GridExport::addAction(const QString &name, const QString &text)
{
    auto *action = new QAction(text, m_grid);
    action->setObjectName(name);
    // Only while the grid has the focus, so the text boxes keep their own Ctrl+C.
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setShortcutVisibleInContextMenu(true);
    m_grid->addAction(action);
    return action;
}

QString GridExport::currentRowText() const
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return QString();
    const ResultExport::Row row = shownRow(m_grid->model(), current.row());
    return row.isEmpty() ? QString() : ResultExport::tabSeparated({row});
}

QString GridExport::allRowsText() const
{
    const QList<ResultExport::Row> rows = shownRows(m_grid->model());
    if (rows.isEmpty())
        return QString();
    return ResultExport::tabSeparated(QList<ResultExport::Row>{ResultExport::header()} + rows);
}

QString GridExport::partsListText() const
{
    const QModelIndex current = m_results->currentIndex();
    const QString sum =
        display(m_results->model(), current.isValid() ? current.row() : 0, Combination::sumColumn);
    PartsListPage::Counts counts;
    bool any = false;
    for (int position = 1; position <= TrackCatalogue::pieceCount; ++position) {
        counts[std::size_t(position - 1)] = display(m_grid->model(), 0, position);
        any = any || !counts[std::size_t(position - 1)].isEmpty();
    }
    return any ? ResultExport::partsList(sum, counts) : QString();
}

void GridExport::copy(const QString &text) const
{
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

bool GridExport::saveCsv(const QString &path) const
{
    const QString text = ResultExport::write(ResultExport::Format::Csv, shownRows(m_grid->model()));
    QString error;
    if (FileSave::replace(path, text.toUtf8(), &error))
        return true;
    m_interaction->showMessage(
        m_grid->window(), QMessageBox::Warning, QStringLiteral("Torvelin"),
        QStringLiteral("Die Tabelle wurde nicht gespeichert.\n%1").arg(error));
    return false;
}

void GridExport::saveCsvAs() const
{
    const QString path = m_interaction->chooseSaveFile(
        m_grid->window(), QStringLiteral("Als CSV speichern"), QStringLiteral("Torvelin.csv"),
        QStringLiteral("CSV-Dateien (*.csv)"));
    if (!path.isEmpty())
        saveCsv(path);
}
