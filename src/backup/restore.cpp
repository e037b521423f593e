#include "backup/restore.h"

#include "backup/archiveentry.h"
#include "backup/archiveplan.h"
#include "backup/layout.h"
#include "backup/zipreader.h"
#include "rtf/rtffile.h"
#include "store/listchange.h"
#include "store/listfile.h"
#include "store/numberedname.h"
#include "store/storepaths.h"

#include <QHash>
#include <QMap>

namespace backup {

namespace {

QString changeFailure(const store::ChangeResult &result)
{
    using store::ChangeOutcome;
    switch (result.outcome) {
    case ChangeOutcome::Busy:
        return QStringLiteral("Området ændres af en anden lige nu; prøv igen om lidt");
    case ChangeOutcome::NotAllowed:
        return QStringLiteral("Du har ikke lov til at ændre i området");
    case ChangeOutcome::LockBlocked:
        return QStringLiteral("Der står en mappe, hvor områdets låsefil skal ligge: \"%1\"").arg(result.blocker);
    default:
        return QStringLiteral("En liste i området kunne ikke læses eller gemmes");
    }
}

QString key(const QString &main, const QString &sub, const QString &recipe = {})
{
    return main + u'/' + sub + u'/' + recipe;
}

class Restorer {
public:
    Restorer(const store::Tree &area, const Progress &progress, const RestoreLimits &limits)
        : m_area(area)
        , m_progress(progress)
        , m_limits(limits)
    {
    }

    RestoreResult run(const QString &zipPath)
    {
        m_plan = planArchive(zipPath, m_area.reserved(), m_limits);
        m_result.leftOut = m_plan.leftOut;
        if (!m_plan.refusal.isEmpty()) {
            m_result.outcome = RestoreResult::Outcome::Refused;
            m_result.error = m_plan.refusal;
            return m_result;
        }
        QString error;
        if (!m_zip.open(zipPath, &error))
            return stop(error);
        if (!tick())
            return cancel();
        for (int i = 0; i < m_plan.entries; ++i) {
            if (m_zip.next() != ZipReader::Next::Entry)
                return stop(damagedAfter(m_zip.errorText()));
            const ArchiveEntry entry = classify(m_zip.entry(), m_area.reserved());
            // The file may have been swapped since the first pass: it is checked again.
            if (entry.kind == ArchiveEntry::Kind::Refused)
                return stop(QStringLiteral("\"%1\" er %2").arg(shownName(entry.path), entry.why));
            if (entry.kind != ArchiveEntry::Kind::Description && entry.kind != ArchiveEntry::Kind::Ingredients)
                continue;
            if (!restoreFile(entry))
                return m_result;
            m_lastPath = entry.path;
            if (!tick())
                return cancel();
        }
        if (const store::FileResult saved = writePending(); !saved)
            return stop(saved.error);
        if (!m_plan.damage.isEmpty())
            return stop(damagedAfter(m_plan.damage));
        if (!placeTheRest())
            return m_result;
        return m_result;
    }

private:
    struct Placed {
        QString folder; // the subcategory's folder in the area
        QString name;   // the recipe's name there; empty when the store refused it
        bool description = false;
        bool ingredients = false;
        bool whole = false;
    };

    bool tick()
    {
        return !m_progress || m_progress(m_done, m_plan.recipeFiles);
    }

    QString damagedAfter(const QString &why) const
    {
        const QString where = m_lastPath.isEmpty() ? QStringLiteral("før den første opskrift")
                                                   : QStringLiteral("efter \"%1\"").arg(shownName(m_lastPath));
        return QStringLiteral("Sikkerhedskopien er beskadiget %1 (%2)").arg(where, why);
    }

    // Takes out again every recipe whose files were not all written, then says how far it got.
    RestoreResult stop(const QString &why, RestoreResult::Outcome outcome = RestoreResult::Outcome::Stopped)
    {
        (void)writePending(); // what was read whole goes in; a failure leaves its recipes cut off
        QMap<QString, QStringList> cutOff; // by subcategory folder
        for (const Placed &placed : std::as_const(m_placed)) {
            if (!placed.whole && !placed.name.isEmpty())
                cutOff[placed.folder].append(placed.name);
        }
        for (auto it = cutOff.cbegin(); it != cutOff.cend(); ++it)
            (void)store::ListChange(m_area, recipePlace(it.key())).removeAll(it.value());
        m_result.outcome = outcome;
        m_result.error = QStringLiteral("%1. Opskrifterne før er indlæst hele, resten ikke.").arg(why);
        return m_result;
    }

    RestoreResult cancel()
    {
        return stop(QStringLiteral("Indlæsningen blev annulleret"), RestoreResult::Outcome::Cancelled);
    }

    static store::ListPlace recipePlace(const QString &subFolder)
    {
        return {3, store::StorePaths::indexFile(subFolder), subFolder};
    }

    // The folder of a category of that name: the area's own when it has one (letter case
    // ignored), else a new one inserted into the list.
    bool category(const store::ListPlace &place, const QString &name, QString *folder)
    {
        const store::ChangeResult result = store::ListChange(m_area, place).insert(name);
        QString entry = name;
        if (result.outcome == store::ChangeOutcome::Done) {
            ++m_result.newCategories;
        } else if (store::isTaken(result)) {
            for (const QString &existing : result.list.entries) {
                if (existing.compare(name, Qt::CaseInsensitive) == 0)
                    entry = existing;
            }
        } else {
            stop(changeFailure(result));
            return false;
        }
        *folder = m_area.folder(place.folder, entry);
        if (folder->isEmpty() || (!m_area.folderExists(*folder) && !m_area.makeFolder(*folder))) {
            stop(QStringLiteral("Mappen til \"%1\" kan ikke laves").arg(entry));
            return false;
        }
        return true;
    }

    bool mainFolder(const QString &main, QString *folder)
    {
        const auto found = m_mains.constFind(main);
        if (found != m_mains.cend()) {
            *folder = *found;
            return true;
        }
        const QString root = m_area.root();
        if (!category({1, store::StorePaths::mainCategoryFile(root), root}, main, folder))
            return false;
        m_mains.insert(main, *folder);
        return true;
    }

    bool subFolder(const QString &main, const QString &sub, QString *folder)
    {
        const auto found = m_subs.constFind(key(main, sub));
        if (found != m_subs.cend()) {
            *folder = *found;
            return true;
        }
        QString parent;
        if (!mainFolder(main, &parent)
            || !category({2, store::StorePaths::indexFile(parent), parent}, sub, folder))
            return false;
        m_subs.insert(key(main, sub), *folder);
        return true;
    }

    // Inserts recipes of one subcategory in one list change, each under its name or the first
    // free numbered one.
    bool placeAll(const QString &main, const QString &sub, const QStringList &names)
    {
        QString folder;
        if (!subFolder(main, sub, &folder))
            return false;
        QStringList used;
        const store::ChangeResult result = store::ListChange(m_area, recipePlace(folder)).insertNumbered(names, &used);
        if (result.outcome != store::ChangeOutcome::Done) {
            stop(changeFailure(result));
            return false;
        }
        for (int i = 0; i < names.size(); ++i) {
            const QString id = key(main, sub, names.at(i));
            if (used.at(i).isEmpty())
                m_result.notRestored.append(shownName(id));
            else if (used.at(i) != names.at(i))
                m_result.renamed.append(QStringLiteral("%1 → %2").arg(shownName(id), shownName(used.at(i))));
            m_placed.insert(id, Placed{folder, used.at(i)});
        }
        return true;
    }

    // The recipe's place in the area. The first file of a recipe not yet placed places it
    // together with the recipes of its subcategory whose files come next in the archive.
    Placed *recipe(const QString &main, const QString &sub, const QString &name)
    {
        const QString id = key(main, sub, name);
        auto found = m_placed.find(id);
        if (found != m_placed.end())
            return &*found;
        QStringList batch;
        for (; m_order < m_plan.fileOrder.size() && !(m_plan.fileOrder.at(m_order).main == main
                                                      && m_plan.fileOrder.at(m_order).sub == sub
                                                      && m_plan.fileOrder.at(m_order).recipe == name);
             ++m_order) {
        }
        for (qsizetype i = m_order; i < m_plan.fileOrder.size() && batch.size() < kBatch; ++i) {
            const ArchivePlan::RecipeRef &next = m_plan.fileOrder.at(i);
            if (next.main == main && next.sub == sub && !m_placed.contains(key(main, sub, next.recipe)))
                batch.append(next.recipe);
        }
        if (batch.isEmpty() || batch.first() != name)
            batch.prepend(name); // not in the order the first pass saw: the archive changed
        if (!placeAll(main, sub, batch))
            return nullptr;
        return &*m_placed.find(id);
    }

    bool restoreFile(const ArchiveEntry &entry)
    {
        Placed *placed = recipe(entry.main, entry.sub, entry.recipe);
        if (!placed)
            return false;
        const bool description = entry.kind == ArchiveEntry::Kind::Description;
        bool &written = description ? placed->description : placed->ingredients;
        ++m_done;
        // A name the store refused gets nothing; a second copy of a file never replaces the first.
        if (placed->name.isEmpty() || written)
            return true;
        const qint64 fileMax = description ? rtf::kMaxDescriptionBytes : store::kMaxListBytes;
        const qint64 max = entry.declaredSize >= 0 ? std::min(entry.declaredSize, fileMax) : fileMax;
        QByteArray bytes;
        switch (m_zip.read(&bytes, max)) {
        case ZipReader::Data::Ok:
            break;
        case ZipReader::Data::TooLarge:
            stop(QStringLiteral("\"%1\" pakker sig ud til mere, end sikkerhedskopien oplyser").arg(shownName(entry.path)));
            return false;
        case ZipReader::Data::Damaged:
            stop(damagedAfter(m_zip.errorText()));
            return false;
        }
        m_unpacked += bytes.size();
        if (m_unpacked > m_limits.maxBytes || m_unpacked > bombSize(m_limits, m_zip.fileSize())) {
            stop(QStringLiteral("Sikkerhedskopien pakker sig ud til mere, end den må (en zip-bombe?)"));
            return false;
        }
        const QString path = description ? store::StorePaths::descriptionFile(m_area, placed->folder, placed->name)
                                         : store::StorePaths::ingredientFile(m_area, placed->folder, placed->name);
        written = true;
        m_pendingBytes += bytes.size();
        m_pending.append({{path, std::move(bytes)}, entry.main, entry.sub, entry.recipe});
        if (m_pending.size() < kPendingFiles && m_pendingBytes < kPendingBytes)
            return true;
        const store::FileResult saved = writePending();
        if (!saved)
            stop(saved.error);
        return bool(saved);
    }

    // Writes the files read so far with one flush for them all; a recipe is whole when every
    // file the archive holds for it is written.
    store::FileResult writePending()
    {
        const QList<Pending> pending = std::exchange(m_pending, {});
        m_pendingBytes = 0;
        if (pending.isEmpty())
            return {};
        QList<std::pair<QString, QByteArray>> files;
        files.reserve(pending.size());
        for (const Pending &file : pending)
            files.append(file.file);
        const store::FileResult saved = m_area.writeFiles(files);
        if (!saved)
            return saved;
        for (const Pending &file : pending) {
            Placed &placed = m_placed[key(file.main, file.sub, file.recipe)];
            const ArchivePlan::Recipe &planned = m_plan.mains[file.main].subs[file.sub].recipes[file.recipe];
            if (!placed.whole && placed.description == planned.description && placed.ingredients == planned.ingredients) {
                placed.whole = true;
                ++m_result.recipes;
            }
        }
        return saved;
    }

    // Categories and recipes the lists name that hold no files.
    bool placeTheRest()
    {
        for (auto main = m_plan.mains.cbegin(); main != m_plan.mains.cend(); ++main) {
            QString folder;
            if (!mainFolder(main.key(), &folder))
                return false;
            for (auto sub = main->subs.cbegin(); sub != main->subs.cend(); ++sub) {
                if (!subFolder(main.key(), sub.key(), &folder))
                    return false;
                QStringList names;
                for (auto it = sub->recipes.cbegin(); it != sub->recipes.cend(); ++it) {
                    if (!m_placed.contains(key(main.key(), sub.key(), it.key())))
                        names.append(it.key());
                }
                if (names.isEmpty())
                    continue;
                if (!placeAll(main.key(), sub.key(), names))
                    return false;
                for (const QString &name : std::as_const(names)) {
                    Placed &placed = m_placed[key(main.key(), sub.key(), name)];
                    placed.whole = true;
                    if (!placed.name.isEmpty())
                        ++m_result.recipes;
                }
            }
        }
        return true;
    }

    struct Pending {
        std::pair<QString, QByteArray> file;
        QString main;
        QString sub;
        QString recipe;
    };
    // Files written with one flush: enough that a restore is not thousands of flushes, few
    // enough to hold in memory.
    static constexpr qsizetype kPendingFiles = 400;
    static constexpr qint64 kPendingBytes = 32 * 1024 * 1024;

    // Recipes placed in one list change: few enough that a crash during a restore leaves only
    // a handful listed without their files, many enough that the list is written rarely.
    static constexpr qsizetype kBatch = 200;

    const store::Tree &m_area;
    const Progress &m_progress;
    RestoreLimits m_limits;
    ArchivePlan m_plan;
    ZipReader m_zip;
    RestoreResult m_result;
    QHash<QString, QString> m_mains;
    QHash<QString, QString> m_subs;
    QHash<QString, Placed> m_placed;
    QString m_lastPath;
    qint64 m_unpacked = 0;
    int m_done = 0;
    qsizetype m_order = 0; // how far the second pass is in the plan's file order
    QList<Pending> m_pending;
    qint64 m_pendingBytes = 0;
};

QString firstLines(const QStringList &lines, int max)
{
    QStringList shown = lines.mid(0, max);
    if (lines.size() > max)
        shown.append(QStringLiteral("… og %1 flere").arg(lines.size() - max));
    return u"  " + shown.join(QStringLiteral("\n  "));
}

} // namespace

RestoreResult restoreBackup(const store::Tree &area, const QString &zipPath, const Progress &progress,
                            const RestoreLimits &limits)
{
    return Restorer(area, progress, limits).run(zipPath);
}

QString restoreSummary(const RestoreResult &result)
{
    QStringList parts;
    parts << (result.recipes == 1 ? QStringLiteral("1 opskrift er indlæst")
                                  : QStringLiteral("%1 opskrifter er indlæst").arg(result.recipes))
                 + (result.newCategories > 0 ? QStringLiteral(", %1 nye kategorier.").arg(result.newCategories)
                                             : QStringLiteral("."));
    if (!result.renamed.isEmpty())
        parts << QStringLiteral("%1 fik et nyt navn, fordi navnet var taget:\n%2")
                     .arg(result.renamed.size())
                     .arg(firstLines(result.renamed, 10));
    if (!result.notRestored.isEmpty())
        parts << QStringLiteral("%1 kunne ikke indlæses, fordi navnet ikke kan bruges:\n%2")
                     .arg(result.notRestored.size())
                     .arg(firstLines(result.notRestored, 10));
    if (result.leftOut > 0)
        parts << QStringLiteral("%1 filer eller linjer hører ikke til en opskriftsbog og er sprunget over.")
                     .arg(result.leftOut);
    return parts.join(u'\n');
}

} // namespace backup
