#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace site {

// What the front page's search looks in, as a script that sets one variable, so that it works
// from file:// where a page may fetch nothing. Words are folded as the program's find folds them
// and each is kept once (single letters and digits, found inside longer words anyway, are left out), with the numbers of the recipes holding it, counted as differences in
// base 36: a 10,000-recipe book stays well below 2 MB.
class SearchIndex {
public:
    // stem: the page's file name in the recipes' folder, without ".html" (the script adds them).
    // texts: the name, the ingredient lines and the description's plain text.
    void add(const QString &stem, const QString &name, const QString &path, const QStringList &texts);
    QByteArray script() const;
    int size() const { return int(m_recipes.size()); }

    // The words of a text as the index keeps them: folded, split at everything but letters and
    // digits.
    static QStringList words(const QString &text);

private:
    struct Entry {
        QString stem;
        QString name;
        int path;
    };
    QList<Entry> m_recipes;
    QStringList m_paths;
    QHash<QString, QList<int>> m_words;
};

// The search itself, the same for every book: folds what is typed as the index is folded, finds
// the recipes holding every word (as part of a word, as the program's find does), shows them as
// links, and takes ?q= from the address.
QByteArray searchScript();

} // namespace site
