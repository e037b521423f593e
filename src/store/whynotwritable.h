#pragma once

#include <QString>

namespace store {

// Why a file can't be written at path (a file the user chose, outside the book), in a Danish
// sentence the user can act on; empty when the folder and the file don't explain it.
QString whyNotWritable(const QString &path);

} // namespace store
