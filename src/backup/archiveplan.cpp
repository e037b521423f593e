#include "backup/archiveplan.h"

#include "backup/archiveentry.h"
#include "backup/layout.h"
#include "backup/zipreader.h"
#include "rtf/rtffile.h"
#include "store/listfile.h"

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
QStringList usableNames(const QByteArray &bytes, store::Reserved reserved, bool categories, int *leftOut)
{
    QStringList names;
    for (const QString &name : store::parseList(bytes).entries) {
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
            if (m_plan.entries >= m_limits.maxEntries) {
                m_plan.refusal = refusedBecause(
                    QStringLiteral("den har flere end %L1 filer").arg(m_limits.maxEntries));
                return m_plan;
            }
            if (!take(classify(m_zip.entry(), m_reserved)))
                break;
            if (!m_plan.refusal.isEmpty())
                return m_plan;
            ++m_plan.entries;
        }
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
        const QStringList names = usableNames(
            bytes, entry.kind == ArchiveEntry::Kind::MainList ? m_reserved : store::Reserved::Nothing,
            entry.kind != ArchiveEntry::Kind::SubIndex, &m_plan.leftOut);
        for (const QString &name : names) {
            if (entry.kind == ArchiveEntry::Kind::MainList)
                m_plan.mains[name];
            else if (entry.kind == ArchiveEntry::Kind::MainIndex)
                m_plan.mains[entry.main].subs[name];
            else
                m_plan.mains[entry.main].subs[entry.sub].recipes[name];
        }
        return true;
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
};

} // namespace

ArchivePlan planArchive(const QString &zipPath, store::Reserved reserved, const RestoreLimits &limits)
{
    return Planner(reserved, limits).run(zipPath);
}

} // namespace backup
