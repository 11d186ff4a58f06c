// A bare QMainWindow of the Gleisrechner's first size that ends after its
// first paint: what the start of any Qt Widgets main window costs, to
// compare the Gleisrechner's start with (tools/startup-bench.sh rechner).

#include "gui/QuitAfterFirstPaint.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1000, 580);
    new QuitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
