#pragma once

#include "store/fileresult.h"

#include <QString>

class QTextDocument;

namespace rtf {

// Loads the file whole into doc and clears doc's modified mark. A file that can't be opened or
// read gives FileResult::readFailed(path) and leaves doc unchanged.
store::FileResult loadFile(const QString &path, QTextDocument *doc);

// Writes doc whole and atomically as RTF to path; on success clears doc's modified mark. On
// failure gives FileResult::writeFailed(path); the old file stays intact and the mark stays set.
store::FileResult saveFile(QTextDocument *doc, const QString &path);

} // namespace rtf
