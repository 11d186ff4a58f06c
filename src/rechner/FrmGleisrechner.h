#pragma once

#include "AnswerModel.h"
#include "PieceModel.h"
#include "Question.h"
#include "core/RangeLibrary.h"

#include <QMainWindow>
#include <QSettings>

#include <memory>

class AnswerWorker;
class Dialogs;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class QThread;

// The Gleisrechner's window: a range and its pieces on the left, the
// question, its answers and the chosen answer's lists on the right. Every
// answer is computed off the user-interface thread as the user types.
class FrmGleisrechner : public QMainWindow
{
    Q_OBJECT

public:
    // `settingsPath` is the Gleisrechner's own settings file; `library`
    // finds the ranges; `solve` answers (the core's solver but in tests
    // that hold an answer back).
    FrmGleisrechner(Dialogs &dialogs, const QString &settingsPath, RangeLibrary library,
                    Solve solve = Gleisrechner::solve, QWidget *parent = nullptr);
    ~FrmGleisrechner() override;

    // The gap typed, read in the user's locale ("1265,5"); nothing while
    // the box holds no length.
    std::optional<double> gap() const;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void nameQtParts();
    void buildActions();
    void restoreSettings();
    bool saveSettings();
    void chooseRange(int index);
    void savePieces();
    Question question() const;
    void ask();
    void setCount(const QString &text);
    void showAnswer(const Answer &answer);
    void showChosenRow();
    void showNearest(const Answer &answer);
    void takeNearest();
    void askSwaps();
    QList<QStringList> partsTable() const;
    QList<QStringList> buyTable() const;
    void copyLists();
    void saveCsv();
    void print();
    void importRange();
    void importOwned();

    void listRanges();
    void startListing();
    void fillRanges(const QList<RangeLibrary::Entry> &entries);
    QStringList labels() const;

    Dialogs &m_dialogs;
    QSettings m_settings;
    RangeLibrary m_library;
    TrackRange m_range;
    std::unique_ptr<AnswerWorker> m_worker;
    std::unique_ptr<QThread> m_lister;
    bool m_painted = false;
    quint64 m_asked = 0;
    GapSolver::Order m_order = GapSolver::Order::Pieces;
    int m_rowLimit = 400;

    PieceModel m_pieces;
    AnswerModel m_answers;
    QStandardItemModel *m_partsModel = nullptr;
    QStandardItemModel *m_buyModel = nullptr;

    QComboBox *m_cmbSortiment = nullptr;
    QLabel *m_lblHerkunft = nullptr;
    QTableView *m_tblGleise = nullptr;
    QLineEdit *m_txtLuecke = nullptr;
    QDoubleSpinBox *m_spnMinus = nullptr;
    QDoubleSpinBox *m_spnPlus = nullptr;
    QSpinBox *m_spnGleise = nullptr;
    QCheckBox *m_chkNurBestand = nullptr;
    QDoubleSpinBox *m_spnStoss = nullptr;
    QComboBox *m_cmbReihenfolge = nullptr;
    QLabel *m_lblAnzahl = nullptr;
    QTableView *m_tblErgebnisse = nullptr;
    QGroupBox *m_grpNaechste = nullptr;
    QListWidget *m_lstNaechste = nullptr;
    QPushButton *m_btnNaechste = nullptr;
    QTabWidget *m_tabListen = nullptr;
    QTableView *m_tblStueckliste = nullptr;
    QTableView *m_tblEinkauf = nullptr;
    QDoubleSpinBox *m_spnVersatz = nullptr;
    QListWidget *m_lstTausch = nullptr;
    QLabel *m_lblTausch = nullptr;
};
