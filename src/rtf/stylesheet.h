#pragma once

#include "rtf/keyword.h"

#include <map>
#include <utility>
#include <vector>

namespace rtf {

// The paragraph and character styles of \stylesheet: the format words each style gives, so
// that \sN and \csN in the text apply them.
class StyleSheet
{
public:
    enum Kind { Paragraph, Character };
    struct Word {
        Keyword keyword;
        int param;
        bool hasParam;
    };

    // An entry is a group of the sheet; without \s it is paragraph style 0.
    void beginEntry();
    void setStyle(Kind kind, int number);
    void setBase(int number);
    void addWord(Keyword keyword, int param, bool hasParam);

    // The words of a style, those of the styles it is based on first.
    const std::vector<Word> &words(Kind kind, int number) const;

private:
    struct Style {
        Kind kind = Paragraph;
        int number = 0;
        int base = -1;
        std::vector<Word> words;
    };
    const Style *find(Kind kind, int number) const;

    std::vector<Style> m_styles;
    bool m_open = false;
    mutable std::map<std::pair<int, int>, size_t> m_index; // by kind and number
    mutable bool m_indexed = false;
    mutable std::map<std::pair<int, int>, std::vector<Word>> m_resolved;
};

} // namespace rtf
