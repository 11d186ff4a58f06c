#pragma once

#include <QList>

#include <array>
#include <memory>
#include <vector>

class PriceGridView;
class QAbstractItemModel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableView;
class QWidget;

// The window's controls: name, kind, container, place in twips, tab index
// and caption of each; then the look of those that have one of their own.
namespace FrmTorvelinLayout {

// Every control the window or its pictures refer to, typed. The struct owns
// the window's direct children, and through them every control with what
// is attached to it (models, delegates): where it is declared decides when
// they go.
struct Controls
{
    Controls();
    Controls(Controls &&) noexcept;
    Controls &operator=(Controls &&) noexcept;
    Controls(const Controls &) = delete;
    Controls &operator=(const Controls &) = delete;
    ~Controls();

    // The window's direct children.
    std::vector<std::unique_ptr<QWidget>> owned;

    QLineEdit *txtLaenge = nullptr;
    QPushButton *btnStart = nullptr;
    QPushButton *btnSort = nullptr;
    QPushButton *btnDrucken = nullptr;
    QPushButton *btnBeenden = nullptr;
    QTableView *grdTabelle = nullptr;
    std::array<QCheckBox *, 2> chkCellStyle{};
    QLabel *lblCount = nullptr;
    std::array<QLineEdit *, 2> txtToleranz{};
    std::array<QScrollBar *, 2> scrToleranz{};
    PriceGridView *grdPreise = nullptr;
    QTableView *grdStck = nullptr;
    QLabel *lblRelease = nullptr;
    QLabel *lblStand = nullptr;
    QLabel *image2 = nullptr;
};

// Creates every control on `window`, with its names for screen readers and
// the keyboard order.
Controls build(QWidget *window);

// How a grid shows its model: column widths in twips, its header band and
// whether it scrolls.
struct GridLook
{
    enum class Header { Hidden, OneLine, TwoLines };

    QList<int> columnTwips;
    Header header = Header::OneLine;
    bool scrollBars = true;
};

GridLook resultsLook(); // grdTabelle
GridLook pricesLook();  // grdPreise
GridLook partsLook();   // grdStck

// Shows `model` in `grid` with `look` and the fixed settings all grids share.
void attach(QTableView *grid, QAbstractItemModel *model, const GridLook &look);

} // namespace FrmTorvelinLayout
