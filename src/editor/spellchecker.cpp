#include "editor/spellchecker.h"

#include <QFileInfo>

#include <hunspell.hxx>

SpellChecker::SpellChecker(std::unique_ptr<Hunspell> hunspell, bool utf8)
    : m_hunspell(std::move(hunspell))
    , m_utf8(utf8)
{
}

SpellChecker::~SpellChecker() = default;

bool SpellChecker::exists(const QString &dictionaryBase)
{
    return QFileInfo(dictionaryBase + u".aff").isFile() && QFileInfo(dictionaryBase + u".dic").isFile();
}

std::unique_ptr<SpellChecker> SpellChecker::load(const QString &dictionaryBase)
{
    const QString aff = dictionaryBase + u".aff";
    const QString dic = dictionaryBase + u".dic";
    if (!exists(dictionaryBase))
        return nullptr;
    auto hunspell = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(),
                                               QFile::encodeName(dic).constData());
    // Hunspell's dictionaries are UTF-8 or an 8-bit set; the Danish one is UTF-8, the older
    // ones ISO 8859-1.
    const bool utf8 = QString::fromStdString(hunspell->get_dict_encoding())
                          .compare(u"UTF-8", Qt::CaseInsensitive) == 0;
    return std::unique_ptr<SpellChecker>(new SpellChecker(std::move(hunspell), utf8));
}

std::string SpellChecker::encode(const QString &word) const
{
    return m_utf8 ? word.toStdString() : word.toLatin1().toStdString();
}

QString SpellChecker::decode(const std::string &word) const
{
    return m_utf8 ? QString::fromStdString(word) : QString::fromLatin1(word.data(), qsizetype(word.size()));
}

bool SpellChecker::isCorrect(const QString &word)
{
    const auto cached = m_known.constFind(word);
    if (cached != m_known.constEnd())
        return *cached;
    const bool correct = m_hunspell->spell(encode(word));
    m_known.insert(word, correct);
    return correct;
}

QStringList SpellChecker::suggestions(const QString &word)
{
    QStringList result;
    for (const std::string &s : m_hunspell->suggest(encode(word)))
        result.append(decode(s));
    return result;
}

void SpellChecker::addWord(const QString &word)
{
    m_hunspell->add(encode(word));
    m_known.insert(word, true);
}

QString danishDictionaryBase()
{
    return QStringLiteral("/usr/share/hunspell/da_DK");
}
