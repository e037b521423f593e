#include "options/optunit.h"

#include "store/listfile.h"

#include <QFileInfo>

namespace options {

QString optUnitFile(const QString &optDir)
{
    return optDir.isEmpty() ? QString() : optDir + QStringLiteral("optUnit.txt");
}

OptUnit readOptUnit(const QString &fileName, OptUnit values)
{
    if (fileName.isEmpty() || !QFileInfo::exists(fileName))
        return values;
    store::ListText list;
    const QStringList &lines = list.entries;
    const auto flag = [&lines](int index, bool *value) {
        bool ok = false;
        const int number = index < lines.size() ? lines.at(index).toInt(&ok, 10) : 0;
        if (ok)
            *value = (number & 0xFF) != 0;
        return ok;
    };
    const bool read = bool(store::readListFile(fileName, &list));
    const bool trayRead = read && flag(0, &values.tray);
    const bool minimerRead = trayRead && flag(1, &values.minimer);
    values.startProgFilename = minimerRead && lines.size() >= 3 ? lines.at(2) : QString();
    return values;
}

} // namespace options
