#include "editor/fontlist.h"

#include "editor/standinfaces.h"

#include <QFontDatabase>

#include <algorithm>

namespace {

// Case decides only between names that are otherwise equal, so exact duplicates from different
// foundries end up side by side.
bool listedBefore(const QString &a, const QString &b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

} // namespace

QString withoutFoundry(QString family)
{
    if (!family.endsWith(u']'))
        return family;
    const qsizetype open = family.lastIndexOf(u'[');
    if (open < 0 || family.indexOf(u']', open) != family.size() - 1)
        return family;
    qsizetype end = open;
    while (end > 0 && family.at(end - 1).isSpace())
        --end;
    family.truncate(end);
    return family;
}

QStringList installedFontNames()
{
    QStringList names;
    const QStringList families = QFontDatabase::families();
    for (const QString &listed : families) {
        const QString family = withoutFoundry(listed);
        if (family.isEmpty() || family.startsWith(u'@'))
            continue;
        names.append(family);
    }
    std::sort(names.begin(), names.end(), listedBefore);
    names.erase(std::unique(names.begin(), names.end(),
                            [](const QString &a, const QString &b) { return a == b; }),
                names.end());
    return names;
}

void FontList::readInstalled()
{
    m_names = installedFontNames();
    m_installed.clear();
    for (const QString &name : std::as_const(m_names))
        m_installed.insert(name.toLower());
}

bool FontList::installed(const QString &family) const
{
    return m_installed.contains(family.toLower());
}

QString FontList::entry(const QString &name, int *added)
{
    if (added)
        *added = -1;
    if (name.isEmpty())
        return {};
    for (const QString &listed : std::as_const(m_names)) {
        if (listed.compare(name, Qt::CaseInsensitive) == 0)
            return listed;
    }
    const QString folded = name.toLower();
    if (name.startsWith(u'@') || m_withoutStandIn.contains(folded))
        return {};
    const QStringList standIns = standinfaces::standIns(name);
    if (std::none_of(standIns.cbegin(), standIns.cend(), [this](const QString &face) { return installed(face); })) {
        m_withoutStandIn.insert(folded);
        return {};
    }
    // Spelt as Windows spells it when it is one of its faces.
    QString spelt = name;
    const QStringList windowsFaces = standinfaces::windowsFaces();
    for (const QString &face : windowsFaces) {
        if (face.compare(name, Qt::CaseInsensitive) == 0)
            spelt = face;
    }
    const auto at = std::lower_bound(m_names.begin(), m_names.end(), spelt, listedBefore);
    const auto index = at - m_names.begin();
    m_names.insert(index, spelt);
    if (added)
        *added = int(index);
    return spelt;
}
