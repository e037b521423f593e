#include "store/changerecord.h"

#include "store/areascan.h"
#include "store/storepaths.h"

namespace store {

namespace {

const QString kRecordFile = QStringLiteral(".retterum-aendring");
const QString kFormat = QStringLiteral("1");

const QString &kindWord(ChangeRecord::Kind kind)
{
    static const QString words[] = {QStringLiteral("insert"), QStringLiteral("remove"), QStringLiteral("rename")};
    return words[int(kind)];
}

QString recordPath(const Tree &area)
{
    return Tree::fixedFile(area.root(), kRecordFile);
}

} // namespace

FileResult ChangeRecord::write(const Tree &area) const
{
    // Names, not paths: the place is composed again through the gate when the record is read.
    const QStringList folders = place.folder.mid(area.root().size()).split(u'/', Qt::SkipEmptyParts);
    return writeListFile(area, recordPath(area),
                         {kFormat, kindWord(kind), QString::number(place.level), folders.join(u'/'), name, newName},
                         ListEncoding::Utf8Bom);
}

bool ChangeRecord::remove(const Tree &area)
{
    return area.removeFile(recordPath(area)) || area.removeEmptyFolder(recordPath(area));
}

QString ChangeRecord::path(const Tree &area)
{
    return recordPath(area);
}

bool ChangeRecord::exists(const Tree &area)
{
    return area.exists(recordPath(area));
}

std::optional<ChangeRecord> ChangeRecord::read(const Tree &area)
{
    ListText text;
    if (!area.isFile(recordPath(area)) || !readListFile(area, recordPath(area), &text))
        return std::nullopt;
    const QStringList &lines = text.entries;
    if (lines.size() < 6 || lines.at(0) != kFormat)
        return std::nullopt;
    ChangeRecord record;
    if (lines.at(1) == kindWord(Kind::Insert))
        record.kind = Kind::Insert;
    else if (lines.at(1) == kindWord(Kind::Remove))
        record.kind = Kind::Remove;
    else if (lines.at(1) == kindWord(Kind::Rename))
        record.kind = Kind::Rename;
    else
        return std::nullopt;
    bool number = false;
    const int level = lines.at(2).toInt(&number);
    const QStringList folders = lines.at(3).split(u'/', Qt::SkipEmptyParts);
    if (!number || level < 1 || level > 3 || folders.size() != level - 1)
        return std::nullopt;
    QString folder = area.root();
    for (const QString &name : folders)
        folder = area.folder(folder, name);
    if (folder.isEmpty() || !isUsableName(lines.at(4))
        || (record.kind == Kind::Rename && !isUsableName(lines.at(5))))
        return std::nullopt;
    record.place = {level, level == 1 ? StorePaths::mainCategoryFile(folder) : StorePaths::indexFile(folder), folder};
    record.name = lines.at(4);
    record.newName = lines.at(5);
    return record;
}

bool repairArea(const Tree &area)
{
    bool changed = false;
    if (ChangeRecord::exists(area)) {
        if (const std::optional<ChangeRecord> record = ChangeRecord::read(area))
            ListChange(area, record->place).resume(*record);
        ChangeRecord::remove(area);
        changed = true;
    }
    return relistHidden(area) || changed;
}

void repairIfInterrupted(const Tree &area)
{
    if (!ChangeRecord::exists(area))
        return;
    const AreaLock lock = area.lock();
    if (lock.isHeld())
        repairArea(area);
}

} // namespace store
