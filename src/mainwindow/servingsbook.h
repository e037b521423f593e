#pragma once

#include <QHash>
#include <QString>

#include <optional>

// The number of servings the user gave a recipe (where its description names none, or names it
// wrongly), kept in the user's settings folder: "portioner.txt", one line per recipe, the number,
// a tab and the recipe's key ("Alle/Kager/Gærbag/Boller"). A key is only ever compared, never
// made into a path. Read at its first use; without a settings folder kept for the session.
class ServingsBook {
public:
    void setFile(const QString &path);

    std::optional<int> find(const QString &key) const;
    // Keeps servings for key (0 forgets it). False when the file could not be written; the
    // number is kept for the session then.
    bool keep(const QString &key, int servings);

    // More recipes than a book holds; a longer file is someone else's doing and read no further.
    static constexpr int kMaxEntries = 100000;

private:
    void load() const;

    QString m_file;
    mutable bool m_loaded = false;
    mutable QHash<QString, int> m_numbers;
};
