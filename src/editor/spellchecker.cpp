#include "editor/spellchecker.h"

#include "lazyload/library.h"

#include <QFileInfo>

#include <hunspell.h>

namespace {

#define RETTERUM_HUNSPELL_CALLS(X)                                                                 \
    X(Hunspell_create) X(Hunspell_destroy) X(Hunspell_get_dic_encoding) X(Hunspell_spell)          \
    X(Hunspell_suggest) X(Hunspell_free_list) X(Hunspell_add)

struct LibHunspell {
    LAZYLOAD_CALLS(RETTERUM_HUNSPELL_CALLS)
};

const LibHunspell *hunspell()
{
    return lazyload::calls<LibHunspell>(RETTERUM_HUNSPELL_SONAME, nullptr);
}

} // namespace

SpellChecker::SpellChecker(Hunhandle *handle, bool utf8)
    : m_hunspell(handle)
    , m_utf8(utf8)
{
}

SpellChecker::~SpellChecker()
{
    hunspell()->Hunspell_destroy(m_hunspell);
}

bool SpellChecker::exists(const QString &dictionaryBase)
{
    return QFileInfo(dictionaryBase + u".aff").isFile() && QFileInfo(dictionaryBase + u".dic").isFile();
}

std::unique_ptr<SpellChecker> SpellChecker::load(const QString &dictionaryBase)
{
    const QString aff = dictionaryBase + u".aff";
    const QString dic = dictionaryBase + u".dic";
    const LibHunspell *library = hunspell();
    if (!exists(dictionaryBase) || !library)
        return nullptr;
    Hunhandle *handle = library->Hunspell_create(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData());
    // Hunspell's dictionaries are UTF-8 or an 8-bit set; the Danish one is UTF-8, the older
    // ones ISO 8859-1.
    const bool utf8 = QString::fromLatin1(library->Hunspell_get_dic_encoding(handle))
                          .compare(u"UTF-8", Qt::CaseInsensitive) == 0;
    return std::unique_ptr<SpellChecker>(new SpellChecker(handle, utf8));
}

QByteArray SpellChecker::encode(const QString &word) const
{
    return m_utf8 ? word.toUtf8() : word.toLatin1();
}

QString SpellChecker::decode(const char *word) const
{
    return m_utf8 ? QString::fromUtf8(word) : QString::fromLatin1(word);
}

bool SpellChecker::isCorrect(const QString &word)
{
    const auto cached = m_known.constFind(word);
    if (cached != m_known.constEnd())
        return *cached;
    const bool correct = hunspell()->Hunspell_spell(m_hunspell, encode(word).constData()) != 0;
    m_known.insert(word, correct);
    return correct;
}

QStringList SpellChecker::suggestions(const QString &word)
{
    char **list = nullptr;
    const int n = hunspell()->Hunspell_suggest(m_hunspell, &list, encode(word).constData());
    QStringList result;
    for (int i = 0; i < n; ++i)
        result.append(decode(list[i]));
    hunspell()->Hunspell_free_list(m_hunspell, &list, n);
    return result;
}

void SpellChecker::addWord(const QString &word)
{
    hunspell()->Hunspell_add(m_hunspell, encode(word).constData());
    m_known.insert(word, true);
}

QString danishDictionaryBase()
{
    return QStringLiteral("/usr/share/hunspell/da_DK");
}
