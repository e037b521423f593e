#include "rtf/listtable.h"

#include <algorithm>
#include <utility>

namespace rtf {

namespace {

// Enough for any real document; a file that claims more cannot make the tables grow further.
constexpr size_t MaxLists = 4096;
constexpr size_t MaxLevels = 9;
constexpr char16_t LastPlaceholder = 8;

} // namespace

void ListTable::beginList()
{
    m_listOpen = m_lists.size() < MaxLists;
    m_levelOpen = false;
    if (m_listOpen)
        m_lists.emplace_back();
}

void ListTable::setListId(int id)
{
    if (m_listOpen)
        m_listIndexes.emplace(id, m_lists.size() - 1);
}

void ListTable::beginLevel()
{
    m_levelOpen = m_listOpen && m_lists.back().size() < MaxLevels;
    if (m_levelOpen) {
        Numbering level;
        level.kind = Numbering::Numbered;
        m_lists.back().push_back(level);
    }
    m_levelText.clear();
}

Numbering *ListTable::currentLevel()
{
    if (!m_levelOpen)
        return nullptr;
    return &m_lists.back().back();
}

void ListTable::setLevelFormat(int nfc)
{
    Numbering *level = currentLevel();
    if (!level)
        return;
    level->kind = Numbering::Numbered;
    switch (nfc) {
    case 1:
        level->style = Numbering::UpperRoman;
        break;
    case 2:
        level->style = Numbering::LowerRoman;
        break;
    case 3:
        level->style = Numbering::UpperLetter;
        break;
    case 4:
        level->style = Numbering::LowerLetter;
        break;
    case 23:
        level->kind = Numbering::Bullet;
        break;
    case 255: // a level that shows no number
        level->kind = Numbering::NoList;
        break;
    default: // decimal and its many variants (ordinals, leading zeros, full width...)
        level->style = Numbering::Decimal;
    }
}

void ListTable::setLevelStart(int start)
{
    if (Numbering *level = currentLevel())
        level->start = qBound(0, start, 32767);
}

void ListTable::appendLevelText(const QString &text)
{
    if (m_levelText.size() < 256)
        m_levelText.append(text.left(256));
}

void ListTable::endLevelText()
{
    Numbering *level = currentLevel();
    const QString all = std::exchange(m_levelText, QString());
    if (!level || all.isEmpty())
        return;
    const QString text = all.mid(1, all.front().unicode());
    const auto isPlaceholder = [](QChar c) { return c.unicode() <= LastPlaceholder; };
    const auto first = std::find_if(text.begin(), text.end(), isPlaceholder);
    if (first == text.end()) {
        level->prefix = text.left(Numbering::MaxText);
        return;
    }
    // "1.1." of a nested level shows here as its own number with what surrounds the whole.
    const auto last = std::find_if(text.rbegin(), text.rend(), isPlaceholder).base();
    level->prefix = text.left(first - text.begin()).left(Numbering::MaxText);
    level->suffix = text.mid(last - text.begin()).left(Numbering::MaxText);
}

void ListTable::beginOverride()
{
    m_overrideOpen = m_overrides.size() < MaxLists;
    if (m_overrideOpen)
        m_overrides.emplace_back();
}

void ListTable::setOverrideListId(int id)
{
    if (m_overrideOpen)
        m_overrides.back() = id;
}

void ListTable::setOverrideNumber(int ls)
{
    if (m_overrideOpen)
        m_overrideIndexes.emplace(ls, m_overrides.size() - 1);
}

const Numbering *ListTable::level(int ls, int ilvl) const
{
    const auto override = m_overrideIndexes.find(ls);
    if (override == m_overrideIndexes.end())
        return nullptr;
    const auto list = m_listIndexes.find(m_overrides[override->second]);
    if (list == m_listIndexes.end())
        return nullptr;
    const std::vector<Numbering> &levels = m_lists[list->second];
    if (levels.empty())
        return nullptr;
    return &levels[qMin(size_t(qMax(0, ilvl)), levels.size() - 1)];
}

} // namespace rtf
