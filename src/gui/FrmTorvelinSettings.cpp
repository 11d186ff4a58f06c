// The window's side of the settings file: what loading sets on the
// controls, and what closing writes from them.
#include "FrmTorvelin.h"

#include "Interaction.h"
#include "PriceGridView.h"
#include "PriceModel.h"
#include "core/SettingsFile.h"
#include "core/TrackCatalogue.h"

#include <QCheckBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>

void FrmTorvelin::applySettings(const Settings &settings)
{
    m_priceStore.setPrices(settings.prices);
    m_priceModel->refresh();

    for (std::size_t i = 0; i < 2; ++i) {
        if (settings.toleranceText[i] && settings.toleranceValue[i]) {
            m_txtToleranz[i]->setText(*settings.toleranceText[i]);
            m_scrToleranz[i]->setValue(*settings.toleranceValue[i]);
        }
    }

    m_storedPosition = WindowPlacement::StoredPosition::fromTwips(settings.left, settings.top);
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    move(WindowPlacement::bringIntoView(QRect(m_storedPosition.pixels, WindowPlacement::outerSize),
                                        screens));

    for (std::size_t i = 0; i < 2; ++i) {
        if (settings.cellStyle[i])
            m_chkCellStyle[i]->setChecked(*settings.cellStyle[i] != 0);
    }
}

void FrmTorvelin::saveSettings()
{
    // A price still being typed is taken first, through the edit handler.
    m_grdPreise->endEdit();

    SettingsSnapshot snapshot;
    for (int p = 1; p <= TrackCatalogue::pieceCount; ++p)
        snapshot.prices[std::size_t(p - 1)] = m_priceStore.price(p);
    for (std::size_t i = 0; i < 2; ++i) {
        snapshot.toleranceText[i] = m_txtToleranz[i]->text();
        snapshot.cellStyle[i] = m_chkCellStyle[i]->isChecked() ? 1 : 0;
    }
    const QPointF position = m_storedPosition.twipsFor(frameGeometry().topLeft());
    snapshot.left = float(position.x());
    snapshot.top = float(position.y());

    QString error;
    if (!SettingsFile::write(m_settingsPaths.write, snapshot, &error)) {
        m_interaction.showMessage(
            this, QMessageBox::Warning, QStringLiteral("Torvelin"),
            QStringLiteral("Die Einstellungen konnten nicht in „%1“ gespeichert werden:\n%2")
                .arg(QDir::toNativeSeparators(m_settingsPaths.write), error));
    }
}
