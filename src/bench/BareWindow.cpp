// A bare Qt window that ends after its first paint: what the start of any Qt
// Widgets program costs, to compare a Torvelin window's start with
// (tools/startup-bench.sh). Built three times: a plain QWidget of Torvelin's
// size; with BARE_LABEL the same with one label in Torvelin's face, which is
// what the first text of any window costs; and with BARE_MAIN_WINDOW a
// QMainWindow of the Gleisrechner's first size.

#include "gui/QuitAfterFirstPaint.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMainWindow>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
#ifdef BARE_MAIN_WINDOW
    QMainWindow window;
    window.resize(1000, 580);
#else
    QWidget window;
    window.resize(1024, 740);
#endif
#ifdef BARE_LABEL
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(9.75);
    window.setFont(arial);
    auto *label = new QLabel(QStringLiteral("gesuchte Länge"), &window);
    label->move(18, 28);
#endif
    new QuitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
