#include "editor/fontlist.h"

#include <QFontDatabase>

#include <algorithm>

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
    // Case decides only between names that are otherwise equal, so exact duplicates from
    // different foundries end up side by side.
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    names.erase(std::unique(names.begin(), names.end(),
                            [](const QString &a, const QString &b) { return a == b; }),
                names.end());
    return names;
}
