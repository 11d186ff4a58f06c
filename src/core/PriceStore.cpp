#include "PriceStore.h"

#include "NumberText.h"
#include "TrackCatalogue.h"
#include "UserText.h"

#include <QLocale>
#include <QStringList>

namespace {

// How much of a price text a message quotes: a hand-edited settings file
// may hold a line of any length.
constexpr qsizetype quotedLength = 40;

// The sentence about a price that does not read plainly in the current
// locale, or the empty text. The other ways of writing numbers asked are the
// two a settings file most likely comes from: German (the program's own,
// decimal comma) and C (a decimal point, what scripts and English desktops
// write). A text is in doubt when the current locale cannot read it, or when
// one of them reads it as another number.
QString doubtAbout(int position, const QString &price, std::optional<float> value)
{
    const QLocale current;
    const QList<QLocale> others{QLocale(QLocale::German, QLocale::Germany), QLocale::c()};
    QStringList elsewhere;
    for (const QLocale &other : others) {
        if (other.decimalPoint() == current.decimalPoint() &&
            other.groupSeparator() == current.groupSeparator())
            continue;
        const std::optional<float> reading = NumberText::toFloat(price, other);
        if (reading && (!value || *reading != *value)) {
            elsewhere << QStringLiteral("im Gebietsschema %1 wäre er %2")
                             .arg(other.name(), NumberText::formatStandard(*reading, other));
        }
    }
    if (value && elsewhere.isEmpty())
        return QString();
    QString sentence = QStringLiteral("Der Preis von %1 (%2) ")
                           .arg(TrackCatalogue::piece(position).articleNumber,
                                UserText::quoted(QStringView(price).trimmed(), quotedLength));
    if (value) {
        sentence += QStringLiteral("zählt im Gebietsschema %1 als %2")
                        .arg(NumberText::localeName(current), NumberText::formatStandard(*value));
    } else {
        sentence += QStringLiteral("ist im Gebietsschema %1 keine Zahl und zählt als 0")
                        .arg(NumberText::localeName(current));
    }
    if (!elsewhere.isEmpty())
        sentence += u"; " + elsewhere.join(u", ");
    return sentence + u'.';
}

} // namespace

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
    const bool blank = price.trimmed().isEmpty();
    const std::optional<float> value = readPrice(price);
    m_readings[std::size_t(position)] = {value, blank,
                                         blank ? QString() : doubtAbout(position, price, value)};
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

QString PriceStore::doubt(int position) const
{
    if (position < 1 || position > TrackCatalogue::pieceCount)
        return QString();
    return m_readings[std::size_t(position)].doubt;
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
