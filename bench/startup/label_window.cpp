// The floor for a window that shows any text: the bare main window with one label, in the face
// the program's windows get where "Segoe UI" is missing. What it costs over the bare window (the
// font database, a face, shaping, glyphs) every program with text pays before its first frame.
#include "app/firstpaintprobe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    QMainWindow window;
    window.resize(1041, 639);
    window.setCentralWidget(new QLabel(QStringLiteral("Hovedkategori")));
    reportFirstPaintIfAsked(&window);
    window.show();
    return app.exec();
}
