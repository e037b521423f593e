#pragma once

#include <QString>

namespace store {

// Folder and file operations on the recipe store. Each reports whether it did its work; none
// raises an error.

// Makes one folder level. In the shared area it is made writable by every user.
bool makeFolder(const QString &path, bool shared);

// Gives a file the shared area's mode (0666), whatever the umask, so every user can change it.
void shareFile(const QString &path);

// Renames a folder or file; refuses to replace anything already at the new path.
bool renameEntry(const QString &from, const QString &to);

// Deletes a folder with everything in it as far as it can. Symbolic links inside are removed
// as links: nothing outside the folder is touched.
bool removeFolderTree(const QString &path);

bool removeFile(const QString &path);

bool folderExists(const QString &path);
bool fileExists(const QString &path);

} // namespace store
