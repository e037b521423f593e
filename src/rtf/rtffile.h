#pragma once

#include "store/fileresult.h"
#include "store/tree.h"

#include <QString>

class QTextDocument;

namespace rtf {

// Larger than any description worth showing, pictures included; a bigger file is refused
// rather than holding the window for many seconds.
constexpr qint64 kMaxDescriptionBytes = 20 * 1024 * 1024;

// Loads the file whole through the store's gate into doc and clears doc's modified mark. A file
// that can't be read gives a failure and leaves doc unchanged.
store::FileResult loadFile(const store::Tree &tree, const QString &path, QTextDocument *doc);

// Writes doc whole and atomically as RTF; on success clears doc's modified mark. On failure the
// old file stays intact and the mark stays set.
store::FileResult saveFile(QTextDocument *doc, const store::Tree &tree, const QString &path);

// The same for a file reached as given (imports, tests).
store::FileResult loadFile(const QString &path, QTextDocument *doc);
store::FileResult saveFile(QTextDocument *doc, const QString &path);

} // namespace rtf
