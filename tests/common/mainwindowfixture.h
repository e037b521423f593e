#pragma once

#include "app/windowcreation.h"
#include "dialogs/messagehook.h"
#include "mainwindow/listbox.h"
#include "mainwindow/tmainform.h"
#include "testdataroot.h"

#include <QtTest>

// Creates the program's windows on a data root, as the program does at start, and removes
// them again; the message hook answers and records every dialog meanwhile.
class MainWindowFixture {
public:
    explicit MainWindowFixture(const TestDataRoot &root)
    {
        MessageHook::install();
        createWindows(root.paths());
    }
    ~MainWindowFixture() { destroyWindows(); }

    Tmainform *window() const { return mainform; }

    // Shows the main window and waits for its first activation to open the area, and for its
    // first frame, after which the rest of the start follows (unless it went into the tray).
    bool showAndActivate() const
    {
        mainform->show();
        mainform->activateWindow();
        if (!QTest::qWaitForWindowActive(mainform))
            mainform->FormActivate();
        return !mainform->opstart && QTest::qWaitFor([] {
            return mainform->firstFrameOut() || mainform->isMinimized() || !mainform->isVisible();
        });
    }
};

// Clicks the entry of a list as a user does.
inline void chooseEntry(ListBox *box, const QString &entry)
{
    const QList<QListWidgetItem *> found = box->findItems(entry, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(entry));
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(found.first()).center());
}
