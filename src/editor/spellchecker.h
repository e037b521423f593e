#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

struct Hunhandle;

// A Hunspell dictionary (the library opened on first use) with a cache of the answers, since a
// description repeats its words.
class SpellChecker {
public:
    ~SpellChecker();
    SpellChecker(const SpellChecker &) = delete;
    SpellChecker &operator=(const SpellChecker &) = delete;

    // dictionaryBase is the path without ".aff"/".dic"; nothing when either file is missing
    // (or the spelling library itself).
    static std::unique_ptr<SpellChecker> load(const QString &dictionaryBase);
    // Whether the dictionary's two files are there.
    static bool exists(const QString &dictionaryBase);

    bool isCorrect(const QString &word);
    QStringList suggestions(const QString &word);
    // Known from now on, for this run only; the personal word list keeps it across runs.
    void addWord(const QString &word);

private:
    SpellChecker(Hunhandle *hunspell, bool utf8);
    QByteArray encode(const QString &word) const;
    QString decode(const char *word) const;

    Hunhandle *m_hunspell;
    bool m_utf8;
    QHash<QString, bool> m_known;
};

// The installed Danish dictionary.
QString danishDictionaryBase();
