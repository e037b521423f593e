#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

// A Hunspell dictionary with a cache of the answers, since a description repeats its words.
class SpellChecker {
public:
    ~SpellChecker();
    SpellChecker(const SpellChecker &) = delete;
    SpellChecker &operator=(const SpellChecker &) = delete;

    // dictionaryBase is the path without ".aff"/".dic"; nothing when either file is missing.
    static std::unique_ptr<SpellChecker> load(const QString &dictionaryBase);
    // Whether the dictionary's two files are there.
    static bool exists(const QString &dictionaryBase);

    bool isCorrect(const QString &word);
    QStringList suggestions(const QString &word);
    // Known from now on, for this run only; the personal word list keeps it across runs.
    void addWord(const QString &word);

private:
    SpellChecker(std::unique_ptr<Hunspell> hunspell, bool utf8);
    std::string encode(const QString &word) const;
    QString decode(const std::string &word) const;

    std::unique_ptr<Hunspell> m_hunspell;
    bool m_utf8;
    QHash<QString, bool> m_known;
};

// The installed Danish dictionary.
QString danishDictionaryBase();
