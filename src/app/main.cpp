#include "app/firstpaintprobe.h"
#include "app/fontconfigwarmup.h"
#include "app/retterumapplication.h"
#include "app/sessionend.h"
#include "app/windowcreation.h"
#include "mainwindow/tmainform.h"
#include "store/storepaths.h"

int main(int argc, char **argv)
{
    FontconfigWarmUp fonts;
    RetterumApplication app(argc, argv);
    fonts.wait();
    app.useWindowFace();
    createWindows(store::StorePaths(store::installedDataRoot()));
    closeInOrderAtSessionEnd(&app);
    reportFirstPaintIfAsked(mainform);
    mainform->show();
    // Closing the main window ends the program, also when the options or help window is open.
    QObject::connect(mainform, &Tmainform::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    const int result = app.exec();
    destroyWindows();
    return result;
}
