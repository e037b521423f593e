#pragma once

#include "bookexport/bookcontents.h"
#include "store/tree.h"

#include <QString>
#include <QStringList>

#include <functional>

// The book as a folder of pages that needs no server. The site is built whole in a folder
// beside the chosen one and only then brought in: into an empty folder by one rename, into an
// earlier export file by file, each file replaced only when its bytes differ, so a second
// export of an unchanged book changes nothing. Files of ours that are no longer needed are
// removed (the list of them is kept in the folder), other files never.
namespace site {

// The list of our files in an exported folder.
inline const QString kManifest = QStringLiteral("retterum-hjemmeside.txt");
// The recipes' pages and pictures, below the front page.
inline const QString kRecipeFolder = QStringLiteral("opskrifter");

struct SiteRequest {
    store::Tree area;   // the area's gate
    QString areaFolder; // its folder, ending with "/"
    bookexport::BookScope scope;
    QString title;      // the front page's heading
    QString folder;     // where the site goes
};

struct SiteWatcher {
    std::function<void(int done, int total)> progress;
    std::function<bool()> stop; // true: stop soon, and leave the folder as it was
};

struct SiteResult {
    enum class Outcome { Written, Cancelled, Failed };
    Outcome outcome = Outcome::Failed;
    QString error; // Danish, when it failed
    int recipes = 0;
    int written = 0;   // files new or changed
    int unchanged = 0; // files left as they were
    int removed = 0;   // files of an earlier export no longer needed
    qint64 indexBytes = 0;
    // "Hovedkategori / Underkategori / Opskrift: why", for each recipe shown as unreadable.
    QStringList unreadable;
    QStringList problems; // lists that could not be read
};

SiteResult exportSite(const SiteRequest &request, const SiteWatcher &watcher = {});

} // namespace site
