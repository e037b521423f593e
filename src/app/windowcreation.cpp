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
    // The other windows are made when first used: the main window is all that start-up shows.
    infform.setMaker([] { return new Tinfform(mainform); });
    spform.setMaker([] { return new Tspform(mainform); });
    redigeringsform.setMaker([] { return new Tredigeringsform(mainform); });
    optform.setMaker([] {
        return new Toptform(mainform, {mainform->grundDir, mainform->optDir, &mainform->DesignName,
                                       mainform->TrayIcon, [] { mainform->restoreFromTray(); }});
    });
    invisform.setMaker([] { return new Tinvisform(); });
    printform.setMaker([] { return new Tprintform(mainform, mainform->optDir); });
    infoform.setMaker([] { return new Tinfoform(mainform, mainform->grundDir, mainform->optDir); });
}

void destroyWindows()
{
    // The dialogs and the information window are children of the main window.
    delete invisform.existing();
    delete mainform;
    mainform = nullptr;
    infform.reset();
    spform.reset();
    redigeringsform.reset();
    optform.reset();
    invisform.reset();
    printform.reset();
    infoform.reset();
}
