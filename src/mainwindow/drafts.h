#pragma once

#include "store/tree.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <optional>

// Unsaved description text kept when the user leaves a recipe, so that leaving stays quick and
// nothing typed is lost; offered back when that recipe is opened again. Drafts live in the
// user's settings folder, or for the session only when there is none. A key names the area
// and the recipe: "Alle/Kager/Småkager/Vaniljekranse".
class Drafts {
public:
    struct Draft {
        QByteArray rtf;
        QDateTime time;
    };

    // settingsDir ends with "/"; empty keeps drafts in memory.
    void setSettingsFolder(const QString &settingsDir);

    void keep(const QString &key, const QByteArray &rtf);
    std::optional<Draft> find(const QString &key) const;
    void drop(const QString &key);
    // Moves the draft of oldKey and every draft below it (a renamed category) to newKey.
    void rename(const QString &oldKey, const QString &newKey);

private:
    QString baseName(const QString &key) const;
    bool keepOnDisk(const QString &key, const Draft &draft) const;
    std::optional<Draft> findOnDisk(const QString &key) const;
    QStringList keysOnDisk() const;

    store::Tree m_settings;
    QString m_folder; // ends with "/", empty without a settings folder
    QHash<QString, Draft> m_memory;
};
