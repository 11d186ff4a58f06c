// A bare Qt window that ends after its first paint: what the start of any Qt
// Widgets program costs, to compare a Torvelin window's start with
// (tools/startup-bench.sh). Built twice: a plain QWidget of Torvelin's size,
// and with BARE_MAIN_WINDOW a QMainWindow of the Gleisrechner's first size.

#include "gui/QuitAfterFirstPaint.h"

#include <QApplication>
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
    new QuitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
