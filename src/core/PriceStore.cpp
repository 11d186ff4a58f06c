#include "PriceStore.h"

#include "NumberText.h"
#include "TrackCatalogue.h"

PriceStore::PriceStore()
{
    m_table.resize(row, row, 0, TrackCatalogue::pieceCount);
    m_table.setCell(row, 0, QStringLiteral("Preise"));
}

void PriceStore::setPrice(int position, const QString &price)
{
    if (position < 1 || position > TrackCatalogue::pieceCount)
        return;
    m_table.setCell(row, position, price);
    m_readings[std::size_t(position)] = {readPrice(price), price.trimmed().isEmpty()};
}

void PriceStore::setPrices(
    const std::array<std::optional<QString>, TrackCatalogue::pieceCount> &prices)
{
    for (int p = 1; p <= TrackCatalogue::pieceCount; ++p) {
        if (const auto &price = prices[std::size_t(p - 1)])
            setPrice(p, *price);
    }
}

std::optional<float> PriceStore::value(int position) const
{
    if (position < 1 || position > TrackCatalogue::pieceCount)
        return std::nullopt;
    return m_readings[std::size_t(position)].value;
}

bool PriceStore::isBlank(int position) const
{
    return position < 1 || position > TrackCatalogue::pieceCount ||
           m_readings[std::size_t(position)].blank;
}

std::optional<float> PriceStore::readPrice(QStringView text)
{
    if (text.trimmed().isEmpty())
        return 0.0f;
    return NumberText::toFloat(text);
}

PriceStore::Checked PriceStore::check(const QString &typed)
{
    // The settings file holds one byte per character and ends its lines at
    // CR or LF. A blank it cannot keep (an em space pasted from another
    // program, a line break) becomes a plain one: the locale reading skips
    // both alike, so the price stays the same number.
    Checked checked{typed, Refusal::None};
    bool storable = true;
    for (QChar &c : checked.text) {
        const bool lineEnd = c == u'\r' || c == u'\n';
        if (lineEnd || (c.unicode() > 0xff && c.isSpace()))
            c = u' ';
        else if (c.unicode() > 0xff)
            storable = false;
    }
    const auto typedValue = readPrice(typed);
    const auto storedValue = readPrice(checked.text);
    if (!storedValue || (typedValue && *typedValue != *storedValue))
        checked.refusal = typedValue ? Refusal::NotStorable : Refusal::NotANumber;
    else if (!storable)
        checked.refusal = Refusal::NotStorable;
    return checked;
}

float PriceStore::Preis(QStringView artNr) const
{
    const int position = TrackCatalogue::positionOf(artNr);
    if (position == 0)
        return 0.0f;
    return value(position).value_or(0.0f);
}
