#include "app/windowcreation.h"

#include "dialogs/tinfform.h"
#include "dialogs/tredigeringsform.h"
#include "dialogs/tspform.h"
#include "information/tinfoform.h"
#include "mainwindow/tmainform.h"
#include "options/toptform.h"
#include "printing/tinvisform.h"
#include "printing/tprintform.h"

void createWindows(const store::StorePaths &paths)
{
    mainform = new Tmainform(paths);
    infform = new Tinfform(mainform);
    spform = new Tspform(mainform);
    redigeringsform = new Tredigeringsform(mainform);
    optform = new Toptform(mainform, {mainform->grundDir, mainform->optDir, &mainform->DesignName,
                                      mainform->TrayIcon});
    invisform = new Tinvisform();
    printform = new Tprintform(mainform, mainform->optDir);
    infoform = new Tinfoform(mainform, mainform->grundDir, mainform->optDir);
}

void destroyWindows()
{
    // The dialogs and the information window are children of the main window.
    delete invisform;
    invisform = nullptr;
    delete mainform;
    mainform = nullptr;
    infform = nullptr;
    spform = nullptr;
    redigeringsform = nullptr;
    optform = nullptr;
    printform = nullptr;
    infoform = nullptr;
}
