#include "search/rtfplaintext.h"

#include "rtf/decoder.h"
#include "rtf/tokenizer.h"

#include <string>
#include <string_view>
#include <vector>

namespace search {

namespace {

using namespace std::string_view_literals;

// Groups whose content is not text of the recipe.
bool isHiddenDestination(std::string_view word)
{
    static constexpr std::string_view hidden[] = {
        "fonttbl"sv, "colortbl"sv, "stylesheet"sv, "info"sv, "pict"sv, "object"sv,
        "listtable"sv, "listoverridetable"sv, "listtext"sv, "pntext"sv, "pntxta"sv, "pntxtb"sv,
        "header"sv, "headerl"sv, "headerr"sv, "headerf"sv, "footer"sv, "footerl"sv, "footerr"sv,
        "footerf"sv, "footnote"sv, "themedata"sv, "colorschememapping"sv, "datastore"sv,
        "latentstyles"sv, "rsidtbl"sv, "revtbl"sv, "filetbl"sv, "generator"sv, "xmlnstbl"sv,
        "fldinst"sv};
    for (std::string_view h : hidden) {
        if (word == h)
            return true;
    }
    return false;
}

char16_t symbolWord(std::string_view word)
{
    if (word == "emdash"sv) return u'—';
    if (word == "endash"sv) return u'–';
    if (word == "bullet"sv) return u'•';
    if (word == "lquote"sv) return u'‘';
    if (word == "rquote"sv) return u'’';
    if (word == "ldblquote"sv) return u'“';
    if (word == "rdblquote"sv) return u'”';
    if (word == "tab"sv || word == "cell"sv) return u' ';
    if (word == "par"sv || word == "line"sv || word == "sect"sv || word == "row"sv || word == "page"sv)
        return u'\n';
    return 0;
}

struct Group {
    bool hidden = false;
    int unicodeSkip = 1; // \uc: bytes that stand in for each \u character
};

class PlainTextReader {
public:
    explicit PlainTextReader(const QByteArray &rtf)
        : m_tokens(rtf)
    {
    }

    QString read()
    {
        m_groups.push_back({});
        bool destinationNext = false;
        for (rtf::Token t = m_tokens.next(); t.type != rtf::Token::End; t = m_tokens.next()) {
            const bool firstInGroup = destinationNext;
            destinationNext = false;
            switch (t.type) {
            case rtf::Token::GroupOpen:
                flush();
                m_skip = 0;
                m_groups.push_back(m_groups.back());
                destinationNext = true;
                break;
            case rtf::Token::GroupClose:
                flush();
                m_skip = 0;
                if (m_groups.size() > 1)
                    m_groups.pop_back();
                break;
            case rtf::Token::ControlWord:
                controlWord(t, firstInGroup);
                break;
            case rtf::Token::ControlSymbol:
                controlSymbol(t.symbol);
                break;
            case rtf::Token::HexByte:
                if (skipOne())
                    break;
                if (!m_groups.back().hidden)
                    m_bytes.push_back(char(t.hexByte));
                break;
            case rtf::Token::Text:
                text(t.bytes);
                break;
            case rtf::Token::Binary:
            case rtf::Token::End:
                break;
            }
        }
        flush();
        return m_text;
    }

private:
    bool skipOne()
    {
        if (m_skip <= 0)
            return false;
        --m_skip;
        return true;
    }

    void text(std::string_view bytes)
    {
        const auto skipped = size_t(qMin<qsizetype>(m_skip, qsizetype(bytes.size())));
        m_skip -= int(skipped);
        bytes.remove_prefix(skipped);
        if (!m_groups.back().hidden)
            m_bytes.append(bytes);
    }

    void controlWord(const rtf::Token &t, bool firstInGroup)
    {
        Group &group = m_groups.back();
        const std::string_view word = t.bytes;
        if (firstInGroup && isHiddenDestination(word)) {
            group.hidden = true;
            return;
        }
        if (word == "ansicpg"sv && t.hasParam) {
            m_codePage = rtf::Decoder::supportedCodePage(t.param);
            return;
        }
        if (word == "uc"sv && t.hasParam) {
            group.unicodeSkip = qMax(0, t.param);
            return;
        }
        if (skipOne())
            return;
        if (word == "u"sv && t.hasParam) {
            if (!group.hidden) {
                flush();
                m_text.append(QChar(char16_t(t.param < 0 ? t.param + 65536 : t.param)));
            }
            m_skip = group.unicodeSkip;
            return;
        }
        const char16_t symbol = symbolWord(word);
        if (symbol && !group.hidden) {
            flush();
            m_text.append(QChar(symbol));
        }
    }

    void controlSymbol(char symbol)
    {
        if (symbol == '*') {
            m_groups.back().hidden = true;
            return;
        }
        if (skipOne())
            return;
        if (m_groups.back().hidden)
            return;
        switch (symbol) {
        case '\\': case '{': case '}':
            m_bytes.push_back(symbol);
            break;
        case '~':
            flush();
            m_text.append(u' ');
            break;
        case '_':
            flush();
            m_text.append(u'-');
            break;
        case '\n':
            flush();
            m_text.append(u'\n');
            break;
        default:
            break;
        }
    }

    void flush()
    {
        if (m_bytes.empty())
            return;
        m_decoder.decode(m_bytes, m_codePage, m_text);
        m_bytes.clear();
    }

    rtf::Tokenizer m_tokens;
    rtf::Decoder m_decoder;
    std::vector<Group> m_groups;
    std::string m_bytes; // not yet decoded, all in one code page
    QString m_text;
    int m_codePage = 1252;
    int m_skip = 0;
};

} // namespace

QString rtfPlainText(const QByteArray &rtf)
{
    return PlainTextReader(rtf).read();
}

} // namespace search
