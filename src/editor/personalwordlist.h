#pragma once

#include "store/fileresult.h"

#include <QStringList>

// The user's own words for the spell checker, one a line, in the settings folder.
namespace personalwordlist {

QString fileName();
// Empty when the file is missing or can't be read: the words are a help, never a reason to
// stop the spell checker.
QStringList read(const QString &path);
// Adds the word to the file as it is on disk now; the old file stays whole on failure.
store::FileResult add(const QString &path, const QString &word);

} // namespace personalwordlist
