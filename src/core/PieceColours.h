#pragma once

#include "TrackCatalogue.h"

#include <QStringView>

#include <array>
#include <optional>

// A colour as three 0..255 components; kept free of Qt Gui so that the
// marking logic can be tested without one.
struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

// Each piece's own colour, in catalogue order. Seven pieces are dark enough
// to need white text; on the two light ones ("24094", "24077") the normal
// text colour stays readable.
namespace PieceColours {

struct Style
{
    Rgb background;
    bool whiteText = false;
};

inline constexpr Rgb white{255, 255, 255};
inline constexpr Rgb black{0, 0, 0};

// The colour of catalogue position 1..9.
Style ofPosition(int position);

// The style of a result cell whose text is a piece's article number or its
// length text (exactly as TrackCatalogue::lengthText() gives it); nothing for
// any other text, the empty one included.
std::optional<Style> forCellText(QStringView text);

} // namespace PieceColours
