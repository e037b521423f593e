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

QString StorePaths::mainCategoryFile(const QString &areaFolder)
{
    return areaFolder + u"Hovedkategori.txt";
}

QString StorePaths::subFolder(const QString &parentFolder, const QString &name)
{
    return parentFolder + name + u'/';
}

QString StorePaths::indexFile(const QString &categoryFolder)
{
    return categoryFolder + u"Index.txt";
}

QString StorePaths::descriptionFile(const QString &opskriftDir, const QString &recipe)
{
    return opskriftDir + recipe + u".rtf";
}

QString StorePaths::ingredientFile(const QString &opskriftDir, const QString &recipe)
{
    return opskriftDir + recipe + u"liste.txt";
}

QString installedDataRoot()
{
    return QStringLiteral(RETTERUM_DATA_ROOT);
}

} // namespace store
