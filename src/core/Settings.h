#pragma once

#include "TrackCatalogue.h"

#include <QString>

#include <array>
#include <optional>

// What the settings file holds, as read: a value is absent when its line is
// missing or cannot be converted, so that the caller keeps what was in force.
struct Settings
{
    std::array<std::optional<QString>, TrackCatalogue::pieceCount> prices; // lines 2 to 10
    std::array<std::optional<QString>, 2> toleranceText; // lines 13 and 14: the digit each gives
    std::array<std::optional<qint16>, 2> toleranceValue; // that digit for the scroll bars
    std::optional<float> left;                           // line 17, twips
    std::optional<float> top;                            // line 18, twips
    std::array<std::optional<qint16>, 2> cellStyle;      // lines 21 and 22: 0, 1 (or 2)
};

// What is written at close: every value is known.
struct SettingsSnapshot
{
    std::array<QString, TrackCatalogue::pieceCount> prices;
    std::array<QString, 2> toleranceText;
    float left = 0.0f;
    float top = 0.0f;
    std::array<qint16, 2> cellStyle{};
};
