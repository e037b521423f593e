#pragma once

#include <QtGlobal>

#include <algorithm>

namespace backup {

// What a restore refuses to unpack: more entries than any book holds, more bytes than any book
// takes, or a file packed so tightly that it is made to fill the disk (a zip bomb). Every line of
// a list counts as an entry: a line costs as much to restore as a file, and packs far tighter.
struct RestoreLimits {
    int maxEntries = 100'000;
    int maxCategories = 5'000; // main categories and subcategories: each is a change of its own
    qint64 maxBytes = qint64(2) * 1024 * 1024 * 1024;
    int maxRatio = 200; // unpacked bytes per byte of the archive
};

// Unpacked bytes past which an archive of archiveBytes counts as a bomb. A small archive may
// unpack to a megabyte whatever its ratio: a page of repeated lines packs tighter than 200.
inline qint64 bombSize(const RestoreLimits &limits, qint64 archiveBytes)
{
    return std::max<qint64>(qint64(limits.maxRatio) * archiveBytes, 1024 * 1024);
}

} // namespace backup
