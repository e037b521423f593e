#include "backup/archiveplan.h"

#include "backup/archiveentry.h"
#include "backup/layout.h"
#include "backup/zipreader.h"
#include "rtf/rtffile.h"
#include "store/listfile.h"

#include <QHash>
#include <QSet>

namespace backup {

namespace {

QString refusedBecause(const QString &reason)
{
    return QStringLiteral("Sikkerhedskopien kan ikke indlæses: %1. Intet er indlæst.").arg(reason);
}

qint64 maxBytesOf(ArchiveEntry::Kind kind)
{
    return kind == ArchiveEntry::Kind::Description ? rtf::kMaxDescriptionBytes : store::kMaxListBytes;
}

// The names of a list that can become entries; the rest are counted as left out.
QStringList usableNames(const QStringList &lines, store::Reserved reserved, bool categories, int *leftOut)
{
    QStringList names;
    for (const QString &name : lines) {
        if (store::isUsableName(name) && !store::isReservedName(name, reserved)
            && !(categories && store::isStoreFileName(name)))
            names.append(name);
        else
            ++*leftOut;
    }
    return names;
}

class Planner {
public:
    Planner(store::Reserved reserved, const RestoreLimits &limits)
        : m_reserved(reserved)
        , m_limits(limits)
    {
    }

    ArchivePlan run(const QString &zipPath)
    {
        QString error;
        if (!m_zip.open(zipPath, &error)) {
            m_plan.refusal = error + QStringLiteral(" Intet er indlæst.");
            return m_plan;
        }
        for (;;) {
            const ZipReader::Next next = m_zip.next();
            if (next == ZipReader::Next::End)
                break;
            if (next == ZipReader::Next::Damaged) {
                m_plan.damage = m_zip.errorText();
                break;
            }
            if (!withinEntryLimit(m_plan.entries + 1))
                return m_plan;
            if (!take(classify(m_zip.entry(), m_reserved)))
                break;
            if (!m_plan.refusal.isEmpty())
                return m_plan;
            ++m_plan.entries;
        }
        if (!withinCategoryLimit())
            return m_plan;
        leaveOutCaseTwins();
        if (m_plan.damage.isEmpty() && !m_zip.directoryNames(m_plan.entries))
            m_plan.damage = QStringLiteral("indholdsfortegnelsen sidst i filen mangler eller er beskadiget");
        if (m_plan.entries == 0 && !m_plan.damage.isEmpty())
            m_plan.refusal = QStringLiteral("Filen \"%1\" er ikke en sikkerhedskopi, eller den er beskadiget (%2). "
                                            "Intet er indlæst.")
                                 .arg(zipPath, m_plan.damage);
        return m_plan;
    }

private:
    // False when the archive can't be read past this entry (damage noted); a refusal is noted too.
    bool take(const ArchiveEntry &entry)
    {
        using Kind = ArchiveEntry::Kind;
        if (entry.kind == Kind::Refused) {
            m_plan.refusal = refusedBecause(QStringLiteral("\"%1\" er %2").arg(shownName(entry.path), entry.why));
            return true;
        }
        if (entry.declaredSize > 0 && !declare(entry))
            return true;
        switch (entry.kind) {
        case Kind::MainList:
        case Kind::MainIndex:
        case Kind::SubIndex:
            return readList(entry);
        case Kind::Description:
        case Kind::Ingredients: {
            ArchivePlan::Recipe &recipe = m_plan.mains[entry.main].subs[entry.sub].recipes[entry.recipe];
            if (!recipe.description && !recipe.ingredients)
                m_plan.fileOrder.append({entry.main, entry.sub, entry.recipe});
            (entry.kind == Kind::Description ? recipe.description : recipe.ingredients) = true;
            ++m_plan.recipeFiles;
            break;
        }
        case Kind::Folder:
            if (entry.sub.isEmpty())
                m_plan.mains[entry.main];
            else
                m_plan.mains[entry.main].subs[entry.sub];
            break;
        case Kind::Other:
            ++m_plan.leftOut;
            break;
        case Kind::Manifest:
        case Kind::Refused:
            break;
        }
        return skip();
    }

    // Declared sizes are checked before anything is unpacked; what really comes out is checked
    // again while the second pass reads it.
    bool declare(const ArchiveEntry &entry)
    {
        using Kind = ArchiveEntry::Kind;
        const bool bookFile = entry.kind != Kind::Other && entry.kind != Kind::Manifest && entry.kind != Kind::Folder;
        if (bookFile && entry.declaredSize > maxBytesOf(entry.kind)) {
            m_plan.refusal = refusedBecause(QStringLiteral("\"%1\" er for stor").arg(shownName(entry.path)));
            return false;
        }
        m_declared += entry.declaredSize;
        if (m_declared > m_limits.maxBytes) {
            m_plan.refusal = refusedBecause(
                QStringLiteral("den fylder mere end %L1 MB udpakket").arg(m_limits.maxBytes / (1024 * 1024)));
            return false;
        }
        if (m_declared > bombSize(m_limits, m_zip.fileSize())) {
            m_plan.refusal = refusedBecause(
                QStringLiteral("den er pakket mere end %1 gange sammen, som en zip-bombe").arg(m_limits.maxRatio));
            return false;
        }
        return true;
    }

    bool readList(const ArchiveEntry &entry)
    {
        QByteArray bytes;
        switch (m_zip.read(&bytes, store::kMaxListBytes)) {
        case ZipReader::Data::Ok:
            break;
        case ZipReader::Data::TooLarge:
            m_plan.refusal = refusedBecause(QStringLiteral("\"%1\" er for stor").arg(shownName(entry.path)));
            return true;
        case ZipReader::Data::Damaged:
            m_plan.damage = m_zip.errorText();
            return false;
        }
        const store::ListText list = store::parseList(bytes);
        m_lines += list.entries.size();
        if (!withinEntryLimit(m_plan.entries))
            return true;
        const QStringList names = usableNames(
            list.entries, entry.kind == ArchiveEntry::Kind::MainList ? m_reserved : store::Reserved::Nothing,
            entry.kind != ArchiveEntry::Kind::SubIndex, &m_plan.leftOut);
        for (int line = 0; line < names.size(); ++line) {
            const QString &name = names.at(line);
            if (entry.kind == ArchiveEntry::Kind::MainList) {
                m_plan.mains[name];
            } else if (entry.kind == ArchiveEntry::Kind::MainIndex) {
                m_plan.mains[entry.main].subs[name];
            } else {
                ArchivePlan::Recipe &recipe = m_plan.mains[entry.main].subs[entry.sub].recipes[name];
                if (recipe.line < 0)
                    recipe.line = line;
            }
        }
        return true;
    }

    // Entries and list lines together: a list of many thousand names packs into a few bytes.
    bool withinEntryLimit(qint64 entries)
    {
        if (entries + m_lines <= m_limits.maxEntries)
            return true;
        m_plan.refusal = refusedBecause(
            QStringLiteral("den har flere end %L1 filer og linjer i listerne").arg(m_limits.maxEntries));
        return false;
    }

    bool withinCategoryLimit()
    {
        qint64 categories = m_plan.mains.size();
        for (const ArchivePlan::Main &main : std::as_const(m_plan.mains))
            categories += main.subs.size();
        if (categories <= m_limits.maxCategories)
            return true;
        m_plan.refusal = refusedBecause(QStringLiteral("den har flere end %L1 kategorier").arg(m_limits.maxCategories));
        return false;
    }

    // Names that differ only in letter case are one name to the store. A line without files
    // beside a twin that has them is that recipe named again: left out, so that it does not
    // become an empty recipe beside the real one. Twins that each hold files keep their own.
    void leaveOutCaseTwins()
    {
        for (ArchivePlan::Main &main : m_plan.mains) {
            for (ArchivePlan::Sub &sub : main.subs) {
                QHash<QString, QString> keep; // by folded name: the one twin that stays
                for (auto it = sub.recipes.cbegin(); it != sub.recipes.cend(); ++it) {
                    QString &kept = keep[it.key().toCaseFolded()];
                    const auto &other = sub.recipes.value(kept);
                    const bool files = it->description || it->ingredients;
                    if (kept.isEmpty() || (files && !other.description && !other.ingredients)
                        || (!files && !other.description && !other.ingredients && it->line < other.line))
                        kept = it.key();
                }
                for (auto it = sub.recipes.begin(); it != sub.recipes.end();) {
                    if (!it->description && !it->ingredients && keep.value(it.key().toCaseFolded()) != it.key()) {
                        ++m_plan.leftOut;
                        it = sub.recipes.erase(it);
                    } else {
                        ++it;
                    }
                }
            }
        }
    }

    bool skip()
    {
        if (m_zip.skip())
            return true;
        m_plan.damage = m_zip.errorText();
        return false;
    }

    store::Reserved m_reserved;
    RestoreLimits m_limits;
    ZipReader m_zip;
    ArchivePlan m_plan;
    qint64 m_declared = 0;
    qint64 m_lines = 0;
};

} // namespace

ArchivePlan planArchive(const QString &zipPath, store::Reserved reserved, const RestoreLimits &limits)
{
    return Planner(reserved, limits).run(zipPath);
}

} // namespace backup
