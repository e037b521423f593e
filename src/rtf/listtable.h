#pragma once

#include "rtf/groupstate.h"

#include <unordered_map>
#include <vector>

namespace rtf {

// The list table and list override table that Word and LibreOffice write: what a paragraph
// with \lsN and \ilvlN shows in front of its text.
class ListTable
{
public:
    void beginList();
    void setListId(int id);
    void beginLevel();
    void setLevelFormat(int nfc);
    void setLevelStart(int start);
    void appendLevelText(const QString &text);
    // \leveltext is a length byte, then text with level placeholders \'00 to \'08 in it.
    void endLevelText();

    void beginOverride();
    void setOverrideListId(int id);
    void setOverrideNumber(int ls);

    // Null when the tables don't know that list.
    const Numbering *level(int ls, int ilvl) const;

private:
    Numbering *currentLevel();

    std::vector<std::vector<Numbering>> m_lists; // the levels of each \list
    std::vector<int> m_overrides;                // the \listid of each \listoverride
    std::unordered_map<int, size_t> m_listIndexes;     // by \listid
    std::unordered_map<int, size_t> m_overrideIndexes; // by \ls
    QString m_levelText;
    bool m_listOpen = false;
    bool m_levelOpen = false;
    bool m_overrideOpen = false;
};

} // namespace rtf
