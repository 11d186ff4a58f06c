#pragma once

#include <QIcon>
#include <QPixmap>

// The window's small pictures, drawn in code so that the program needs no
// image files: the window icon, the picture of the sort button, the symbols
// of the print and exit buttons and the logo.
class Artwork
{
public:
    static QIcon windowIcon();      // 16 x 16: a piece of track
    static QPixmap sortPicture();   // 23 x 25: blue 0 above red 9, arrow down
    static QPixmap printerSymbol(); // 16 x 14
    static QPixmap doorSymbol();    // 16 x 16: an open door
    static QPixmap logo();          // 51 x 33 on the window's colour
};
