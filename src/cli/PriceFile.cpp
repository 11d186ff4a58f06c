#include "PriceFile.h"
#include "Output.h"

#include "core/PriceStore.h"
#include "core/SettingsFile.h"
#include "core/TrackCatalogue.h"
#include "core/UserText.h"

#include <QFileInfo>

#include <algorithm>

QString PriceFile::read(const QString &path, PriceStore &prices)
{
    const QFileInfo file(path);
    const QString name = UserText::quoted(path, 200);
    if (!file.exists())
        return QStringLiteral("Die Preisdatei %1 gibt es nicht.").arg(name);
    if (file.isDir())
        return QStringLiteral("Die Preisdatei %1 ist ein Ordner.").arg(name);
    const auto settings = SettingsFile::read(path);
    if (!settings)
        return QStringLiteral("Die Preisdatei %1 ist nicht lesbar.").arg(name);
    const auto &lines = settings->prices;
    if (std::none_of(lines.begin(), lines.end(), [](const auto &line) { return line.has_value(); }))
        Output::tell(QStringLiteral("Warnung: Die Preisdatei %1 enthält keine Preiszeilen; jeder "
                                    "Preis zählt als 0.")
                         .arg(name));
    prices.setPrices(lines);
    return QString();
}

void PriceFile::warn(const PriceStore &prices, const std::function<bool(int position)> &used)
{
    for (int position = 1; position <= TrackCatalogue::pieceCount; ++position) {
        const QString doubt = prices.doubt(position);
        if (!doubt.isEmpty() && used(position))
            Output::tell(u"Warnung: " + doubt);
    }
}
