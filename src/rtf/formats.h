#pragma once

#include "rtf/groupstate.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextListFormat>

namespace rtf {

class ColorTable;

// Qt formats from the RTF state of a group.
class Formats
{
public:
    static QTextCharFormat charFormat(const CharState &chars, const QString &family,
                                      const ColorTable &colors);
    // A list item takes its indent from the list; \li and \fi only place its number.
    static QTextBlockFormat blockFormat(const ParaState &para, bool listItem);
    // wordList: the paragraph's list is in the list table, so \ilvl gives its level.
    static QTextListFormat listFormat(const Numbering &numbering, const ParaState &para, bool wordList);
};

} // namespace rtf
