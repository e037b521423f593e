#include "mainwindow/servingsbook.h"

#include "store/listfile.h"

#include <QFileInfo>

namespace {

constexpr int kMaxServings = 999;

} // namespace

void ServingsBook::setFile(const QString &path)
{
    m_file = path;
    m_loaded = false;
    m_numbers.clear();
}

void ServingsBook::load() const
{
    if (m_loaded)
        return;
    m_loaded = true;
    store::ListText list;
    if (m_file.isEmpty() || !QFileInfo(m_file).isFile() || !store::readListFile(m_file, &list))
        return;
    for (const QString &line : list.entries) {
        if (m_numbers.size() >= ServingsBook::kMaxEntries)
            break;
        const qsizetype tab = line.indexOf(u'\t');
        bool ok = false;
        const int servings = tab > 0 ? line.left(tab).toInt(&ok) : 0;
        if (ok && servings > 0 && servings <= kMaxServings)
            m_numbers.insert(line.mid(tab + 1), servings);
    }
}

std::optional<int> ServingsBook::find(const QString &key) const
{
    load();
    const auto it = m_numbers.constFind(key);
    if (key.isEmpty() || it == m_numbers.constEnd())
        return std::nullopt;
    return *it;
}

bool ServingsBook::keep(const QString &key, int servings)
{
    load();
    if (key.isEmpty())
        return true;
    if (servings > 0 && servings <= kMaxServings)
        m_numbers.insert(key, servings);
    else
        m_numbers.remove(key);
    if (m_file.isEmpty())
        return true;
    QStringList lines;
    lines.reserve(m_numbers.size());
    for (auto it = m_numbers.constBegin(); it != m_numbers.constEnd(); ++it)
        lines.append(QString::number(it.value()) + u'\t' + it.key());
    lines.sort(); // the same file for the same numbers
    return bool(store::writeListFile(m_file, lines, store::ListEncoding::Utf8Bom));
}
