#pragma once

// Header-only, for both windows: the Gleisrechner links nothing of the main
// window's library.
//
// Qt's own parts of a table or list (headers, corner button, scroll bars)
// have no names of their own, so a screen reader announces them without
// saying what they belong to. These name each after its owner, which must
// have its object name and German accessible name already.

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QHeaderView>
#include <QScrollBar>
#include <QString>
#include <QTableView>

#include <utility>

namespace PartNames {

// The area's two scroll bars: "tblErgebnisseBildlaufsenkrecht", heard as
// "Bildlauf senkrecht: Ergebnisse".
inline void nameScrollBars(QAbstractScrollArea *area)
{
    const std::pair<QScrollBar *, QString> bars[] = {
        {area->verticalScrollBar(), QStringLiteral("senkrecht")},
        {area->horizontalScrollBar(), QStringLiteral("waagrecht")}};
    for (const auto &[bar, way] : bars) {
        bar->setObjectName(area->objectName() + u"Bildlauf" + way);
        bar->setAccessibleName(u"Bildlauf " + way + u": " + area->accessibleName());
    }
}

// The table's column and row headers and its corner button.
inline void nameTableParts(QTableView *table)
{
    const QString name = table->objectName();
    const QString heard = table->accessibleName();
    table->horizontalHeader()->setObjectName(name + u"Spalten");
    table->horizontalHeader()->setAccessibleName(u"Spaltenköpfe: " + heard);
    table->verticalHeader()->setObjectName(name + u"Zeilen");
    table->verticalHeader()->setAccessibleName(u"Zeilenköpfe: " + heard);
    if (auto *corner = table->findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly)) {
        corner->setObjectName(name + u"Ecke");
        corner->setAccessibleName(u"Alles wählen: " + heard);
    }
}

} // namespace PartNames
