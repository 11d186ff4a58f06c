#include "PieceBook.h"

#include <QSettings>
#include <QUrl>

#include <cmath>

namespace {

// Range ids and article numbers may hold "/" (a folder in the id, "20-091B"
// is harmless): QSettings would read it as a group separator.
QString encoded(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString decoded(const QString &text)
{
    return QUrl::fromPercentEncoding(text.toLatin1());
}

QString groupOf(const QString &rangeId)
{
    return u"Sortiment-" + encoded(rangeId);
}

} // namespace

bool PieceBook::measuredFits(double nominalMm, double measuredMm)
{
    // Far off either way before rounding, so that no huge number is rounded.
    if (!(nominalMm > 0.0 && nominalMm < 1e9) ||
        !(measuredMm > 0.0 && measuredMm < 2.0 * nominalMm))
        return false;
    const qint64 nominal = std::llround(nominalMm * 100.0);
    const qint64 measured = std::llround(measuredMm * 100.0);
    return measured * 10 >= nominal * 9 && measured * 10 <= nominal * 11;
}

PieceBook::Entries PieceBook::load(QSettings &settings, const QString &rangeId)
{
    Entries entries;
    settings.beginGroup(groupOf(rangeId));
    const QStringList articles = settings.childGroups();
    for (const QString &group : articles) {
        settings.beginGroup(group);
        Entry entry;
        bool ok = false;
        if (const double measured = settings.value(QStringLiteral("gemessen")).toDouble(&ok);
            ok && measured > 0.0)
            entry.measuredMm = measured;
        if (const int owned = settings.value(QStringLiteral("Bestand")).toInt(&ok);
            ok && owned > 0 && owned <= mostOwned)
            entry.owned = owned;
        if (const qint64 cents = settings.value(QStringLiteral("Cent")).toLongLong(&ok);
            ok && cents > 0)
            entry.priceCents = cents;
        settings.endGroup();
        if (!entry.isEmpty())
            entries.insert(decoded(group), entry);
    }
    settings.endGroup();
    return entries;
}

void PieceBook::save(QSettings &settings, const QString &rangeId, const Entries &entries)
{
    settings.remove(groupOf(rangeId));
    settings.beginGroup(groupOf(rangeId));
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        if (it->isEmpty())
            continue;
        settings.beginGroup(encoded(it.key()));
        if (it->measuredMm)
            settings.setValue(QStringLiteral("gemessen"), *it->measuredMm);
        if (it->owned > 0)
            settings.setValue(QStringLiteral("Bestand"), it->owned);
        if (it->priceCents > 0)
            settings.setValue(QStringLiteral("Cent"), it->priceCents);
        settings.endGroup();
    }
    settings.endGroup();
}
