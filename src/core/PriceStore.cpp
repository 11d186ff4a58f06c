#include "PriceStore.h"

#include "NumberText.h"
#include "TrackCatalogue.h"

PriceStore::PriceStore()
{
    resize(row, row, 0, TrackCatalogue::pieceCount);
    setCell(row, 0, QStringLiteral("Preise"));
}

void PriceStore::setPrices(const std::array<std::optional<QString>, 9> &prices)
{
    for (int p = 1; p <= TrackCatalogue::pieceCount; ++p) {
        if (const auto &price = prices[std::size_t(p - 1)])
            setPrice(p, *price);
    }
}

std::optional<float> PriceStore::readPrice(const QVariant &cell)
{
    if (!cell.isValid())
        return 0.0f;
    if (cell.typeId() != QMetaType::QString)
        return float(cell.toDouble());
    const QString text = cell.toString();
    if (text.trimmed().isEmpty())
        return 0.0f;
    return NumberText::toFloat(text);
}

float PriceStore::Preis(QStringView artNr) const
{
    const int position = TrackCatalogue::positionOf(artNr);
    if (position == 0)
        return 0.0f;
    return readPrice(cell(row, position)).value_or(0.0f);
}
