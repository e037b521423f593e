#pragma once

#include "store/tree.h"

#include <QString>

namespace store {

// Every path of the store, composed from the data root given to it. Folder paths of recipe
// areas and categories end with "/", as the navigation composes them; the program folder does not.
class StorePaths {
public:
    explicit StorePaths(QString dataRoot);

    QString programDir() const;              // grundDir
    QString usersRoot() const;
    QString sharedArea() const;              // ".../Brugere/Alle/"
    // With an empty user name the users root itself serves as the user folder.
    QString userFolder(const QString &brugernavn) const;
    QString settingsDir(const QString &brugernavn) const; // optDir, ends with "/"
    QString areaFolder(bool privat, const QString &brugernavn) const;

    // The gate to an area: shared files made writable by all, the settings folder or other
    // users' folders kept apart from the main categories.
    Tree areaTree(bool privat, const QString &brugernavn) const;

    // Paths below an area are composed by its tree, so that a name that can't be a folder or
    // file never becomes a path: each gives an empty path for such a name or parent.
    static QString mainCategoryFile(const QString &areaFolder);
    static QString subFolder(const Tree &area, const QString &parentFolder, const QString &name);
    static QString indexFile(const QString &categoryFolder);
    static QString descriptionFile(const Tree &area, const QString &opskriftDir, const QString &recipe);
    static QString ingredientFile(const Tree &area, const QString &opskriftDir, const QString &recipe);

private:
    QString m_root;
};

// The path without the separator(s) at its end, as folder operations want it.
QString withoutTrailingSlash(QString path);

// The data root the program was installed for.
QString installedDataRoot();

} // namespace store
