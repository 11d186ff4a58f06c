#pragma once

#include "core/ColourMarking.h"
#include "core/CombinationSearch.h"
#include "core/GridStore.h"
#include "core/PriceStore.h"
#include "core/SettingsLocation.h"

#include <QWidget>

#include <array>

class Interaction;
class GridStoreModel;
class PriceGridView;
class PriceModel;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableView;
class ResultsModel;
struct Settings;

// The program's one window. It owns every control and the three stores
// behind the grids for the whole run; each handler is named after its
// control and event.
class FrmTorvelin : public QWidget
{
    Q_OBJECT

public:
    // `settingsPaths` says where the settings are read from at start-up and
    // written to at close.
    FrmTorvelin(Interaction &interaction, SettingsLocation::Paths settingsPaths,
                QWidget *parent = nullptr);
    ~FrmTorvelin() override;

    // Outer window size in pixels; the client area is this less the frame.
    static constexpr QSize clientSize{1018, 712};

    PriceStore &priceStore() { return m_priceStore; }
    const ColourMarking &colourMarking() const { return m_marking; }

    // Handlers, public so that the program's behaviour can be driven exactly
    // as the controls drive it.
    void btnStart_Click();
    void btnDrucken_Click();
    void btnBeenden_Click();
    void grdTabelle_HeaderClick(int colIndex);
    void Stueckliste();
    void grdPreise_PriceEdited(int colIndex, const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void Form_Load();
    void Form_Unload();
    void applySettings(const Settings &settings);
    void saveSettings();

    void txtLaenge_GotFocus();
    bool txtLaenge_KeyPress(const QKeyEvent *event);
    void txtToleranz_Change(int index);
    void scrToleranz_Change(int index);
    void chkCellStyle_Click(int index);
    void grdTabelle_FollowUp();
    int currentResultRow() const;
    void selectRefusedText(QLineEdit *box);

    Interaction &m_interaction;
    SettingsLocation::Paths m_settingsPaths;

    GridStore m_resultStore;
    PriceStore m_priceStore;
    GridStore m_partsStore;
    ColourMarking m_marking;
    CombinationSearch m_search;
    QString m_abortMarker;
    bool m_closing = false;

    // The position as the settings file gave it, in twips, and where that
    // put the window.
    struct StoredPosition
    {
        float left = 0.0f;
        float top = 0.0f;
        QPoint pixels;
    } m_storedPosition;

    QFrame *m_panel = nullptr;
    QFrame *m_panel1 = nullptr;
    QGroupBox *m_frame = nullptr;
    QLineEdit *m_txtLaenge = nullptr;
    QPushButton *m_btnStart = nullptr;
    QPushButton *m_btnSort = nullptr;
    QPushButton *m_btnDrucken = nullptr;
    QPushButton *m_btnBeenden = nullptr;
    QTableView *m_grdTabelle = nullptr;
    PriceGridView *m_grdPreise = nullptr;
    QTableView *m_grdStck = nullptr;
    QLabel *m_lblCount = nullptr;
    QLabel *m_lblRelease = nullptr;
    QLabel *m_lblStand = nullptr;
    std::array<QLineEdit *, 2> m_txtToleranz{};
    std::array<QScrollBar *, 2> m_scrToleranz{};
    std::array<QCheckBox *, 2> m_chkCellStyle{};

    ResultsModel *m_resultsModel = nullptr;
    PriceModel *m_priceModel = nullptr;
    GridStoreModel *m_partsModel = nullptr;
};
