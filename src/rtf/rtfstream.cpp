#include "rtf/rtfstream.h"

namespace rtf {

namespace {

constexpr char HexDigits[] = "0123456789abcdef";

// The Windows-1252 byte of c, or 0 when that page has no such character.
unsigned char windows1252(char16_t c)
{
    if (c >= 0xa0 && c <= 0xff)
        return (unsigned char)c;
    switch (c) {
    case 0x20ac: return 0x80;
    case 0x201a: return 0x82;
    case 0x0192: return 0x83;
    case 0x201e: return 0x84;
    case 0x2026: return 0x85;
    case 0x2020: return 0x86;
    case 0x2021: return 0x87;
    case 0x02c6: return 0x88;
    case 0x2030: return 0x89;
    case 0x0160: return 0x8a;
    case 0x2039: return 0x8b;
    case 0x0152: return 0x8c;
    case 0x017d: return 0x8e;
    case 0x2018: return 0x91;
    case 0x2019: return 0x92;
    case 0x201c: return 0x93;
    case 0x201d: return 0x94;
    case 0x2022: return 0x95;
    case 0x2013: return 0x96;
    case 0x2014: return 0x97;
    case 0x02dc: return 0x98;
    case 0x2122: return 0x99;
    case 0x0161: return 0x9a;
    case 0x203a: return 0x9b;
    case 0x0153: return 0x9c;
    case 0x017e: return 0x9e;
    case 0x0178: return 0x9f;
    default: return 0;
    }
}

} // namespace

void RtfStream::word(const char *name)
{
    m_out.append('\\');
    m_out.append(name);
    m_needDelimiter = true;
}

void RtfStream::word(const char *name, int param)
{
    word(name);
    m_out.append(QByteArray::number(param));
}

void RtfStream::open()
{
    m_out.append('{');
    m_needDelimiter = false;
}

void RtfStream::close()
{
    m_out.append('}');
    m_needDelimiter = false;
}

void RtfStream::newline()
{
    m_out.append("\r\n", 2);
    m_needDelimiter = false;
}

void RtfStream::text(QStringView text, Encoding encoding)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!c.isSurrogate()) {
            escaped(c.unicode(), encoding);
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            escaped(c.unicode(), encoding);
            escaped(text[++i].unicode(), encoding);
        } else { // half a pair: no reader could make a character of it
            escaped(u'\ufffd', encoding);
        }
    }
}

void RtfStream::escaped(char16_t c, Encoding encoding)
{
    // Control characters and the document's own structure characters are no text.
    if ((c < 0x20 && c != u'\t') || c == 0x7f || c == 0xfffc || c == 0xfdd0 || c == 0xfdd1
        || c == 0x2029)
        return;
    if (c >= 0x20 && c < 0x80) {
        if (c == u'\\' || c == u'{' || c == u'}') {
            m_out.append('\\');
        } else if (m_needDelimiter) {
            m_out.append(' ');
        }
        m_out.append(char(c));
        m_needDelimiter = false;
        return;
    }
    switch (c) {
    case u'\t':
        return word("tab");
    case 0x2028:
        return word("line");
    case 0xa0:
        m_out.append("\\~", 2);
        m_needDelimiter = false;
        return;
    case 0xad:
        m_out.append("\\-", 2);
        m_needDelimiter = false;
        return;
    case 0x2011:
        m_out.append("\\_", 2);
        m_needDelimiter = false;
        return;
    default:
        break;
    }
    const unsigned char b = encoding == Windows1252 ? windows1252(c) : 0;
    if (b != 0) {
        const char escape[] = {'\\', '\'', HexDigits[b >> 4], HexDigits[b & 15]};
        m_out.append(escape, 4);
        m_needDelimiter = false;
        return;
    }
    // The '?' is the one fallback character that \uc1 tells readers to skip.
    word("u", int(qint16(c)));
    m_out.append('?');
    m_needDelimiter = false;
}

void RtfStream::raw(const QByteArray &bytes)
{
    m_out.append(bytes);
    m_needDelimiter = false;
}

void RtfStream::hex(const QByteArray &bytes)
{
    constexpr qsizetype BytesPerLine = 64;
    if (m_needDelimiter) // a hex digit would lengthen the number of the word before
        newline();
    const qsizetype start = m_out.size();
    const qsizetype lines = (bytes.size() + BytesPerLine - 1) / BytesPerLine;
    m_out.resize(start + bytes.size() * 2 + lines * 2);
    char *out = m_out.data() + start;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = (unsigned char)bytes[i];
        *out++ = HexDigits[b >> 4];
        *out++ = HexDigits[b & 15];
        if ((i + 1) % BytesPerLine == 0 || i + 1 == bytes.size()) {
            *out++ = '\r';
            *out++ = '\n';
        }
    }
    m_needDelimiter = false;
}

void RtfStream::append(const RtfStream &other)
{
    m_out.append(other.m_out);
    m_needDelimiter = other.m_needDelimiter;
}

} // namespace rtf
