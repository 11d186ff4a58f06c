#pragma once

class QAbstractItemModel;
class QTableView;
class QWidget;

// The window's controls as one table: name, kind, container, place in
// twips, tab index and caption; then the look of those that have one of
// their own.
namespace FrmTorvelinLayout {

// Creates every control on `window`, with its names for screen readers and
// the keyboard order.
void build(QWidget *window);

// Shows `model` in `grid`, with the grid's column widths and fixed look.
void attach(QTableView *grid, QAbstractItemModel *model);

} // namespace FrmTorvelinLayout
