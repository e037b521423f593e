#include "store/areascan.h"

#include "store/entryname.h"
#include "store/listfile.h"
#include "store/storepaths.h"

#include <ctime>

namespace store {

namespace {

const QString kDescriptionSuffix = QStringLiteral(".rtf");
const QString kIngredientSuffix = QStringLiteral("liste.txt");

bool isTemporaryFile(const Tree::Entry &entry)
{
    return entry.kind == Tree::Entry::Kind::File && entry.name.startsWith(u".retterum-")
        && entry.name.endsWith(u".tmp");
}

void clearTemporaries(const Tree &tree, const QString &folder, const QList<Tree::Entry> &entries, qint64 now)
{
    for (const Tree::Entry &entry : entries) {
        if (isTemporaryFile(entry) && now - entry.modifiedSecs > kTemporaryFileLifeSecs)
            tree.removeFile(folder + entry.name);
    }
}

// The recipe a file in a subcategory folder belongs to, or empty.
QString recipeOf(const Tree::Entry &entry)
{
    if (entry.kind != Tree::Entry::Kind::File || isTemporaryFile(entry))
        return {};
    for (const QString &suffix : {kIngredientSuffix, kDescriptionSuffix}) {
        if (entry.name.endsWith(suffix))
            return entry.name.chopped(suffix.size());
    }
    return {};
}

class Scan {
public:
    explicit Scan(const Tree &area)
        : m_area(area)
        , m_now(qint64(std::time(nullptr)))
    {
    }

    // level: what the folder's entries are (1 main categories, 2 subcategories, 3 recipes).
    void walk(const QString &folder, const QString &listFile, int level)
    {
        const std::optional<QList<Tree::Entry>> entries = m_area.entries(folder);
        if (!entries)
            return;
        clearTemporaries(m_area, folder, *entries, m_now);
        ListText list;
        if (m_area.exists(listFile) && (!m_area.isFile(listFile) || !readListFile(m_area, listFile, &list)))
            return; // a list that can't be read is not rewritten from what the folder shows
        QStringList hidden;
        for (const Tree::Entry &entry : *entries) {
            const QString name = level == 3 ? recipeOf(entry) : hiddenCategory(folder, entry, level);
            if (!name.isEmpty() && isUsableName(name) && !list.entries.contains(name) && !hidden.contains(name))
                hidden.append(name);
        }
        if (!hidden.isEmpty()) {
            QStringList entries = list.entries;
            for (const QString &name : hidden)
                entries = insertSorted(entries, name);
            if (writeListFile(m_area, listFile, entries, list.encoding)) {
                list.entries = entries;
                m_changed = true;
            }
        }
        if (level == 3)
            return;
        for (const QString &entry : list.entries) {
            const QString sub = m_area.folder(folder, entry);
            if (!sub.isEmpty() && m_area.folderExists(sub))
                walk(sub, StorePaths::indexFile(sub), level + 1);
        }
    }

    bool changed() const { return m_changed; }

private:
    QString hiddenCategory(const QString &folder, const Tree::Entry &entry, int level) const
    {
        if (entry.kind != Tree::Entry::Kind::Folder)
            return {};
        // Beside the users root's main categories live other people's areas: never taken.
        if (level == 1 && (m_area.reserved() == Reserved::UserFolders || isReservedName(entry.name, m_area.reserved())))
            return {};
        const QString sub = m_area.folder(folder, entry.name);
        return !sub.isEmpty() && holdsRecipes(sub, level + 1) ? entry.name : QString();
    }

    bool holdsRecipes(const QString &folder, int level) const
    {
        const std::optional<QList<Tree::Entry>> entries = m_area.entries(folder);
        if (!entries)
            return false;
        for (const Tree::Entry &entry : *entries) {
            if (level == 3 && !recipeOf(entry).isEmpty())
                return true;
            if (level == 2 && entry.kind == Tree::Entry::Kind::Folder) {
                const QString sub = m_area.folder(folder, entry.name);
                if (!sub.isEmpty() && holdsRecipes(sub, 3))
                    return true;
            }
        }
        return false;
    }

    const Tree &m_area;
    qint64 m_now;
    bool m_changed = false;
};

} // namespace

bool relistHidden(const Tree &area)
{
    Scan scan(area);
    scan.walk(area.root(), StorePaths::mainCategoryFile(area.root()), 1);
    return scan.changed();
}

void clearSettingsTemporaries(const QString &settingsDir)
{
    const Tree settings(settingsDir, false);
    const qint64 now = qint64(std::time(nullptr));
    const std::optional<QList<Tree::Entry>> entries = settings.entries(settings.root());
    if (!entries)
        return;
    clearTemporaries(settings, settings.root(), *entries, now);
    for (const Tree::Entry &entry : *entries) {
        const QString folder = settings.folder(settings.root(), entry.name);
        if (entry.kind != Tree::Entry::Kind::Folder || folder.isEmpty())
            continue;
        if (const std::optional<QList<Tree::Entry>> inner = settings.entries(folder))
            clearTemporaries(settings, folder, *inner, now);
    }
}

} // namespace store
