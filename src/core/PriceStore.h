#pragma once

#include "GridStore.h"
#include "TrackCatalogue.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The user's unit prices: row 1, column 0 the caption "Preise", columns 1 to
// 9 the price of catalogue positions 1 to 9. Prices are kept exactly as the
// user typed them or the settings file held them; each is read as a number
// once, when it is set, so that neither a search nor a paint reads a long
// text again.
class PriceStore
{
public:
    static constexpr int row = 1;

    // Why a price text is refused.
    enum class Refusal {
        None,
        NotANumber,
        // A number, but with a character the single-byte settings file
        // cannot keep, so it would come back as another price.
        NotStorable,
    };
    struct Checked
    {
        QString text; // what is to be stored: blanks the file cannot keep made plain
        Refusal refusal = Refusal::None;
    };

    PriceStore();

    const GridStore &table() const { return m_table; }

    QString price(int position) const { return m_table.text(row, position); }
    // Sets a price as given, readable or not: the settings file may bring
    // anything. Positions outside 1 to 9 are ignored.
    void setPrice(int position, const QString &price);
    // Takes the prices that are there, catalogue order, and keeps the others.
    void setPrices(const std::array<std::optional<QString>, TrackCatalogue::pieceCount> &prices);

    // The price of a position as a number: 0 for an empty one, nothing for
    // one that cannot be read.
    std::optional<float> value(int position) const;
    // Whether a price is empty or blanks alone.
    bool isBlank(int position) const;
    // What the user must be told about a price that is not plainly a number
    // in the current locale, as one German sentence; the empty text for a
    // plain price or a blank one. A price the current locale cannot read
    // counts as 0; one it reads but another common way of writing numbers
    // reads as another number ("1.250" is 1250 under German and 1.25 under
    // English) counts as the current locale reads it. Either way the
    // sentence names the piece, the text, the locale and the other readings.
    QString doubt(int position) const;

    // The unit price of an article number as a float; 0 for a text that is
    // not one of the nine article numbers, and 0 for a price that is empty or
    // cannot be read (the price grid refuses such edits, so this only meets
    // what a settings file brought in: a hand-edited line, or one written
    // under another locale; doubt() has the sentence for the user).
    float Preis(QStringView artNr) const;

    // A price text as a number: a blank text is 0, an unreadable one nothing.
    static std::optional<float> readPrice(QStringView text);
    // Whether a typed price may be stored, and in which form: it must read
    // as a number and come back from the settings file as the same text.
    static Checked check(const QString &typed);

private:
    GridStore m_table;
    struct Reading
    {
        std::optional<float> value = 0.0f;
        bool blank = true;
        QString doubt;
    };
    std::array<Reading, TrackCatalogue::pieceCount + 1> m_readings{}; // by position, 0 unused
};
