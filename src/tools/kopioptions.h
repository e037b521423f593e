#pragma once

#include <QString>

// What retterum-kopi was asked to do, as its command line said it.
struct KopiOptions {
    QString dataRoot; // --rod, or the installed data root
    QString area = QStringLiteral("Alle"); // --område: "Alle" or a login name
    QString category; // --kategori "Hovedkategori[/Underkategori]", for pdf and web; empty for the whole area
    QString file; // the .zip or .pdf, or the site's folder
};
