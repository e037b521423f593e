#include "mainwindow/drafts.h"

#include "store/listfile.h"

#include <QCryptographicHash>

namespace {

// A draft is a description: no larger than one the program opens.
constexpr qint64 kMaxDraftBytes = 64 * 1024 * 1024;
const QString kRtfSuffix = QStringLiteral(".rtf");
const QString kInfoSuffix = QStringLiteral(".txt");

bool isBelow(const QString &key, const QString &prefix)
{
    return key == prefix || key.startsWith(prefix + u'/');
}

} // namespace

void Drafts::setSettingsFolder(const QString &settingsDir)
{
    if (settingsDir.isEmpty()) {
        m_folder.clear();
        m_settings = store::Tree();
        return;
    }
    m_settings = store::Tree(settingsDir, false);
    m_folder = settingsDir + QStringLiteral("Kladder/");
}

QString Drafts::baseName(const QString &key) const
{
    return m_folder + QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex());
}

bool Drafts::keepOnDisk(const QString &key, const Draft &draft) const
{
    if (m_folder.isEmpty())
        return false;
    const bool made = !m_settings.folderExists(m_folder);
    if (made && !m_settings.makeFolder(m_folder))
        return false;
    // The text first: a draft without its line of facts is never offered, so a half draft is
    // never seen.
    const QString text = baseName(key) + kRtfSuffix;
    if (m_settings.writeFile(text, draft.rtf)
        && store::writeListFile(m_settings, baseName(key) + kInfoSuffix, {key, draft.time.toString(Qt::ISODate)},
                                store::ListEncoding::Utf8Bom))
        return true;
    // Kept in memory instead; nothing half is left on a full disk.
    if (m_settings.exists(text))
        m_settings.removeFile(text);
    if (made)
        m_settings.removeFolder(m_folder);
    return false;
}

void Drafts::keep(const QString &key, const QByteArray &rtf)
{
    const Draft draft{rtf, QDateTime::currentDateTime()};
    if (keepOnDisk(key, draft))
        m_memory.remove(key);
    else
        m_memory.insert(key, draft);
}

std::optional<Drafts::Draft> Drafts::findOnDisk(const QString &key) const
{
    if (m_folder.isEmpty())
        return std::nullopt;
    const QString info = baseName(key) + kInfoSuffix;
    store::ListText facts;
    if (!m_settings.isFile(info) || !store::readListFile(m_settings, info, &facts) || facts.entries.size() < 2
        || facts.entries.at(0) != key)
        return std::nullopt;
    Draft draft;
    draft.time = QDateTime::fromString(facts.entries.at(1), Qt::ISODate);
    if (!draft.time.isValid() || !m_settings.readFile(baseName(key) + kRtfSuffix, &draft.rtf, kMaxDraftBytes))
        return std::nullopt;
    return draft;
}

std::optional<Drafts::Draft> Drafts::find(const QString &key) const
{
    const auto inMemory = m_memory.constFind(key);
    if (inMemory != m_memory.constEnd())
        return *inMemory;
    return findOnDisk(key);
}

void Drafts::drop(const QString &key)
{
    m_memory.remove(key);
    if (m_folder.isEmpty())
        return;
    for (const QString &suffix : {kInfoSuffix, kRtfSuffix}) {
        const QString file = baseName(key) + suffix;
        if (m_settings.exists(file))
            m_settings.removeFile(file);
    }
}

QStringList Drafts::keysOnDisk() const
{
    QStringList keys;
    const auto entries = m_folder.isEmpty() ? std::nullopt : m_settings.entries(m_folder);
    if (!entries)
        return keys;
    for (const store::Tree::Entry &entry : *entries) {
        store::ListText facts;
        if (entry.kind == store::Tree::Entry::Kind::File && entry.name.endsWith(kInfoSuffix)
            && store::readListFile(m_settings, m_folder + entry.name, &facts) && !facts.entries.isEmpty())
            keys.append(facts.entries.at(0));
    }
    return keys;
}

void Drafts::rename(const QString &oldKey, const QString &newKey)
{
    QStringList keys = keysOnDisk() + m_memory.keys();
    keys.removeDuplicates();
    for (const QString &key : keys) {
        if (!isBelow(key, oldKey))
            continue;
        if (const std::optional<Draft> draft = find(key)) {
            const QString moved = newKey + key.mid(oldKey.size());
            drop(key);
            if (keepOnDisk(moved, *draft))
                m_memory.remove(moved);
            else
                m_memory.insert(moved, *draft);
        }
    }
}
