#pragma once

#include "FrmTorvelinLayout.h"
#include "core/ColourMarking.h"
#include "core/CombinationSearch.h"
#include "core/GridStore.h"
#include "core/PriceStore.h"
#include "core/SearchInputs.h"
#include "core/SettingsLocation.h"
#include "core/WindowPlacement.h"

#include <QWidget>

#include <array>

class Interaction;
class GridStoreModel;
class PriceGridView;
class PriceModel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QTableView;
class ResultsModel;
struct Settings;

// The program's one window. It owns every control and the three stores
// behind the grids for the whole run; each handler is named after its
// control and event. The controls and their look come from
// FrmTorvelinLayout, the logic from the core units: this class wires them.
class FrmTorvelin : public QWidget
{
    Q_OBJECT

public:
    // `settingsPaths` says where the settings are read from at start-up and
    // written to at close.
    FrmTorvelin(Interaction &interaction, SettingsLocation::Paths settingsPaths,
                QWidget *parent = nullptr);
    ~FrmTorvelin() override;
    FrmTorvelin(const FrmTorvelin &) = delete;
    FrmTorvelin &operator=(const FrmTorvelin &) = delete;

    PriceStore &priceStore() { return m_priceStore; }
    const ColourMarking &colourMarking() const { return m_marking; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void wire();
    void Form_Load();
    void Form_Unload();
    void applySettings(const Settings &settings);
    void saveSettings();

    void btnStart_Click();
    void btnDrucken_Click();
    void btnBeenden_Click();
    void txtLaenge_GotFocus();
    bool txtLaenge_KeyPress(const QKeyEvent *event);
    void txtToleranz_Change(int index);
    void scrToleranz_Change(int index);
    void chkCellStyle_Click(int index);
    void grdTabelle_HeaderClick(int colIndex);
    void grdTabelle_FollowUp();
    void Stueckliste();
    void grdPreise_PriceEdited(int colIndex, const QString &refusal);
    int currentResultRow() const;
    void refuse(SearchInputs::Problem problem, QLineEdit *box, bool focus);

    // The stores come first: the grids' models and the results delegate
    // point into them, and every member declared below goes before them.
    GridStore m_resultStore;
    PriceStore m_priceStore;
    GridStore m_partsStore;
    ColourMarking m_marking;

    Interaction &m_interaction;
    SettingsLocation::Paths m_settingsPaths;
    CombinationSearch m_search;
    bool m_closing = false;

    WindowPlacement::StoredPosition m_storedPosition;

    // Owns every control, and with them the models and the delegate.
    FrmTorvelinLayout::Controls m_ui;

    // The controls the handlers work with (m_ui's, typed).
    QLineEdit *const m_txtLaenge;
    const std::array<QLineEdit *, 2> m_txtToleranz;
    const std::array<QScrollBar *, 2> m_scrToleranz;
    const std::array<QCheckBox *, 2> m_chkCellStyle;
    QTableView *const m_grdTabelle;
    PriceGridView *const m_grdPreise;
    QLabel *const m_lblCount;

    ResultsModel *m_resultsModel;
    PriceModel *m_priceModel;
    GridStoreModel *m_partsModel;
};
