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
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    names.erase(std::unique(names.begin(), names.end(),
                            [](const QString &a, const QString &b) { return a == b; }),
                names.end());
    return names;
}
