#pragma once

#include <QStringList>

// The names of the installed fonts for the name box: foundry suffixes removed, duplicates
// merged, vertical-writing variants ("@...") skipped, in alphabetical order ignoring case.
QStringList installedFontNames();

// A family name as the database gives it, without the " [Foundry]" it carries when a family
// comes from several foundries.
QString withoutFoundry(QString family);
