#pragma once

#include <QString>

// One straight piece of the track range.
struct TrackPiece
{
    QString articleNumber; // five digits, the key everything refers to: "24360"
    QString label;         // the article number as printed: "24 360"
    float length = 0.0f;   // nominal length in mm; all arithmetic uses this float
};
