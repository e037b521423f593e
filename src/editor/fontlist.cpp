#include "editor/fontlist.h"

#include <QFontDatabase>
#include <QRegularExpression>

#include <algorithm>

QStringList installedFontNames()
{
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
    QStringList names;
    const QStringList families = QFontDatabase::families();
    for (QString family : families) {
        family.remove(foundry);
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
