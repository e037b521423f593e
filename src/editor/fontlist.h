#pragma once

#include <QSet>
#include <QStringList>

// The names of the installed fonts for the name box: foundry suffixes removed, duplicates
// merged, vertical-writing variants ("@...") skipped, in alphabetical order ignoring case.
QStringList installedFontNames();

// A family name as the database gives it, without the " [Foundry]" it carries when a family
// comes from several foundries.
QString withoutFoundry(QString family);

// The name box's entries: the installed fonts, and each face that a recipe or the font menu
// names and that fontconfig maps onto an installed stand-in, added the first time it is named,
// so the box shows the name the description uses.
class FontList {
public:
    void readInstalled();
    const QStringList &names() const { return m_names; }

    // The entry for name, letter case ignored, or empty when there is none and fontconfig has
    // no stand-in for it. A face added for it gets the index given in added (-1 otherwise).
    QString entry(const QString &name, int *added = nullptr);

private:
    bool installed(const QString &family) const;

    QStringList m_names;
    QSet<QString> m_installed; // folded to lower case
    QSet<QString> m_withoutStandIn; // folded to lower case: asked once
};
