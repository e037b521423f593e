#include "rtf/fonttable.h"

#include "rtf/decoder.h"

namespace rtf {

QString FontTable::cleanName(const QString &name)
{
    QString clean = name.simplified();
    clean.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 || u == 0x7f || u == u';' || u == 0xfffc || u == 0xfdd0 || u == 0xfdd1;
    });
    return clean;
}

void FontTable::beginEntry(int number)
{
    endEntry();
    m_number = number;
}

void FontTable::setCharset(int charset)
{
    m_charsetCodePage = Decoder::codePageForCharset(charset);
}

void FontTable::setCodePage(int codePage)
{
    m_codePage = codePage;
}

void FontTable::appendName(const QString &text)
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype semicolon = text.indexOf(u';', from);
        if (semicolon < 0)
            break;
        m_name += QStringView(text).mid(from, semicolon - from);
        endEntry();
        from = semicolon + 1;
    }
    m_name += QStringView(text).mid(from);
}

void FontTable::endEntry()
{
    const QString family = cleanName(m_name);
    if (m_number >= 0 && !family.isEmpty())
        m_fonts[m_number] = Font{family, entryCodePage()};
    m_name.clear();
    m_charsetCodePage = 0;
    m_codePage = 0;
    m_number = -1;
}

int FontTable::entryCodePage() const
{
    return m_codePage > 0 ? m_codePage : m_charsetCodePage;
}

const FontTable::Font *FontTable::font(int number) const
{
    const auto it = m_fonts.find(number);
    return it == m_fonts.end() ? nullptr : &it->second;
}

} // namespace rtf
