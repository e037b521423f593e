#include "store/storepaths.h"

#include <utility>

namespace store {

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

StorePaths::StorePaths(QString dataRoot)
    : m_root(withoutTrailingSlash(std::move(dataRoot)))
{
}

QString StorePaths::programDir() const
{
    return m_root + u"/Program";
}

QString StorePaths::usersRoot() const
{
    return m_root + u"/Brugere";
}

QString StorePaths::sharedArea() const
{
    return usersRoot() + u"/Alle/";
}

QString StorePaths::userFolder(const QString &brugernavn) const
{
    return brugernavn.isEmpty() ? usersRoot() : usersRoot() + u'/' + brugernavn;
}

QString StorePaths::settingsDir(const QString &brugernavn) const
{
    return userFolder(brugernavn) + u"/Indstillinger/";
}

QString StorePaths::areaFolder(bool privat, const QString &brugernavn) const
{
    return privat ? userFolder(brugernavn) + u'/' : sharedArea();
}

Tree StorePaths::areaTree(bool privat, const QString &brugernavn) const
{
    const QString folder = areaFolder(privat, brugernavn);
    Reserved reserved = Reserved::Nothing;
    if (folder == userFolder(brugernavn) + u'/')
        reserved = brugernavn.isEmpty() ? Reserved::UserFolders : Reserved::SettingsFolder;
    return Tree(folder, folder == sharedArea(), reserved);
}

QString StorePaths::mainCategoryFile(const QString &areaFolder)
{
    return Tree::fixedFile(areaFolder, QStringLiteral("Hovedkategori.txt"));
}

QString StorePaths::subFolder(const Tree &area, const QString &parentFolder, const QString &name)
{
    return area.folder(parentFolder, name);
}

QString StorePaths::indexFile(const QString &categoryFolder)
{
    return Tree::fixedFile(categoryFolder, QStringLiteral("Index.txt"));
}

QString StorePaths::descriptionFile(const Tree &area, const QString &opskriftDir, const QString &recipe)
{
    return area.file(opskriftDir, recipe, QStringLiteral(".rtf"));
}

QString StorePaths::ingredientFile(const Tree &area, const QString &opskriftDir, const QString &recipe)
{
    return area.file(opskriftDir, recipe, QStringLiteral("liste.txt"));
}

QString installedDataRoot()
{
    return QStringLiteral(RETTERUM_DATA_ROOT);
}

} // namespace store
