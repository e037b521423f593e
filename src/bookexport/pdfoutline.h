#pragma once

#include <QList>
#include <QString>

class QFile;

// The outline (bookmarks) of a finished PDF, so a viewer's side panel navigates it. The toolkit's
// PDF writer has none, so it is added afterwards as an incremental update: the file's bytes stay
// as they are and a few objects, a new catalogue and a cross-reference section follow them.
namespace bookexport {

struct OutlineItem {
    QString title;
    int page = 0; // from 0
    QList<OutlineItem> children;
};

// Empty on success, otherwise what went wrong (Danish), naming the file as pdfName. The open
// file is expected as the toolkit writes it: one cross-reference table, a flat page tree.
QString appendOutline(QFile &file, const QString &pdfName, const QList<OutlineItem> &items);

} // namespace bookexport
