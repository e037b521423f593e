#pragma once

#include <QString>

namespace store {

// Every path of the store, composed from the data root given to it. Folder paths of recipe
// areas and categories end with "/", as the navigation composes them; the program folder does not.
class StorePaths {
public:
    explicit StorePaths(QString dataRoot);

    QString dataRoot() const { return m_root; }
    QString programDir() const;              // grundDir
    QString usersRoot() const;
    QString sharedArea() const;              // ".../Brugere/Alle/"
    // With an empty user name the users root itself serves as the user folder.
    QString userFolder(const QString &brugernavn) const;
    QString settingsDir(const QString &brugernavn) const; // optDir, ends with "/"
    QString areaFolder(bool privat, const QString &brugernavn) const;

    static QString mainCategoryFile(const QString &areaFolder);
    static QString subFolder(const QString &parentFolder, const QString &name);
    static QString indexFile(const QString &categoryFolder);
    static QString descriptionFile(const QString &opskriftDir, const QString &recipe);
    static QString ingredientFile(const QString &opskriftDir, const QString &recipe);

private:
    QString m_root;
};

// The path without the separator(s) at its end, as folder operations want it.
QString withoutTrailingSlash(QString path);

// The data root the program was installed for.
QString installedDataRoot();

} // namespace store
