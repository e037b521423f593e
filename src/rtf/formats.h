#pragma once

#include "rtf/groupstate.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextListFormat>

namespace rtf {

// Qt formats from the RTF state of a group.
class Formats
{
public:
    static QTextCharFormat charFormat(const CharState &chars, const QString &family,
                                      const QColor &color);
    static QTextBlockFormat blockFormat(const ParaState &para);
    static QTextListFormat listFormat(const ParaState &para);
};

} // namespace rtf
