// A bare Qt window of Torvelin's size that ends after its first paint: what
// the start of any Qt Widgets program costs, to compare Torvelin's start with
// (tools/startup-bench.sh).

#include "gui/QuitAfterFirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1024, 740);
    new QuitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
