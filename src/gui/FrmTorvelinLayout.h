#pragma once

class QTableView;
class QWidget;

// The window's controls as one table: name, kind, container, place in
// twips, tab index and caption; then the look of those that have one of
// their own.
namespace FrmTorvelinLayout {

// Creates every control on `window`, with its names for screen readers and
// the keyboard order.
void build(QWidget *window);

// Column widths and the fixed look of a grid, once it shows its model.
void shapeGrid(QTableView *grid);

} // namespace FrmTorvelinLayout
