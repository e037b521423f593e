#include "rtf/stylesheet.h"

namespace rtf {

namespace {

// Enough for any real sheet; a file that claims more cannot make it grow further.
constexpr size_t MaxStyles = 4096;
constexpr size_t MaxWords = 256;
constexpr int MaxBaseDepth = 16; // also ends a chain of bases that runs in a circle

} // namespace

void StyleSheet::beginEntry()
{
    m_open = m_styles.size() < MaxStyles;
    if (m_open)
        m_styles.emplace_back();
    m_indexed = false;
}

void StyleSheet::setStyle(Kind kind, int number)
{
    if (!m_open)
        return;
    m_styles.back().kind = kind;
    m_styles.back().number = number;
    m_indexed = false;
}

void StyleSheet::setBase(int number)
{
    if (m_open)
        m_styles.back().base = number;
    m_indexed = false;
}

void StyleSheet::addWord(Keyword keyword, int param, bool hasParam)
{
    if (m_open && m_styles.back().words.size() < MaxWords)
        m_styles.back().words.push_back({keyword, param, hasParam});
    m_indexed = false;
}

const StyleSheet::Style *StyleSheet::find(Kind kind, int number) const
{
    if (!m_indexed) {
        m_index.clear();
        m_resolved.clear();
        for (size_t i = 0; i < m_styles.size(); ++i)
            m_index.emplace(std::make_pair(int(m_styles[i].kind), m_styles[i].number), i);
        m_indexed = true;
    }
    const auto it = m_index.find({int(kind), number});
    return it == m_index.end() ? nullptr : &m_styles[it->second];
}

// Kept once worked out; a long chain of bases gives at most MaxWords words, its own last.
const std::vector<StyleSheet::Word> &StyleSheet::words(Kind kind, int number) const
{
    if (m_indexed) {
        const auto known = m_resolved.find({int(kind), number});
        if (known != m_resolved.end())
            return known->second;
    }
    std::vector<const Style *> chain;
    for (const Style *style = find(kind, number); style && int(chain.size()) < MaxBaseDepth;
         style = style->base >= 0 && style->base != style->number ? find(kind, style->base) : nullptr)
        chain.push_back(style);
    std::vector<Word> words;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        words.insert(words.end(), (*it)->words.begin(), (*it)->words.end());
    if (words.size() > MaxWords)
        words.erase(words.begin(), words.end() - MaxWords);
    return m_resolved[{int(kind), number}] = std::move(words);
}

} // namespace rtf
