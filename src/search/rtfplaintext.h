#pragma once

#include <QByteArray>
#include <QString>

namespace search {

// The text a reader sees in a description, without building a document: no window objects
// are needed, so the index can be built away from the user-interface thread. Paragraphs end
// with a line break; tables, pictures and the document's own tables are left out.
QString rtfPlainText(const QByteArray &rtf);

} // namespace search
