// The floor for the start-up benchmark: an empty main window of the program's size, nothing else.
#include "app/firstpaintprobe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1041, 639);
    reportFirstPaintIfAsked(&window);
    window.show();
    return app.exec();
}
