#include "backup/layout.h"

namespace backup {

QString shownName(const QString &name)
{
    QString shown = name;
    for (QChar &c : shown) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = u'?';
    }
    return shown;
}

} // namespace backup
