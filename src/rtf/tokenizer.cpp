#include "rtf/tokenizer.h"

#include "rtf/hexdigit.h"

#include <limits>

namespace rtf {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool endsText(char c)
{
    return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n';
}

} // namespace

Tokenizer::Tokenizer(const QByteArray &data)
    : m_data(data.constData(), size_t(data.size()))
{
}

Token Tokenizer::next()
{
    const auto size = qsizetype(m_data.size());
    if (m_pendingBinary >= 0) {
        Token t;
        t.type = Token::Binary;
        t.offset = m_pos;
        t.bytes = m_data.substr(size_t(m_pos), size_t(m_pendingBinary));
        m_pos += m_pendingBinary;
        m_pendingBinary = -1;
        return t;
    }
    while (m_pos < size && (m_data[m_pos] == '\r' || m_data[m_pos] == '\n'))
        ++m_pos;
    Token t;
    t.offset = m_pos;
    if (m_pos >= size)
        return t;
    const char c = m_data[m_pos];
    if (c == '{') {
        ++m_pos;
        t.type = Token::GroupOpen;
        return t;
    }
    if (c == '}') {
        ++m_pos;
        t.type = Token::GroupClose;
        return t;
    }
    if (c == '\\') {
        const qsizetype start = m_pos++;
        if (m_pos < size && isLetter(m_data[m_pos]))
            return controlWord(start);
        return controlSymbol(start);
    }
    const qsizetype start = m_pos;
    while (m_pos < size && !endsText(m_data[m_pos]))
        ++m_pos;
    t.type = Token::Text;
    t.bytes = m_data.substr(size_t(start), size_t(m_pos - start));
    return t;
}

Token Tokenizer::controlWord(qsizetype start)
{
    const auto size = qsizetype(m_data.size());
    const qsizetype letters = m_pos;
    while (m_pos < size && isLetter(m_data[m_pos]))
        ++m_pos;
    Token t;
    t.type = Token::ControlWord;
    t.offset = start;
    t.bytes = m_data.substr(size_t(letters), size_t(m_pos - letters));
    if (m_pos < size && isDigit(m_data[m_pos])) {
        t.hasParam = true;
        t.param = parseNumber(false);
    } else if (m_pos + 1 < size && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        ++m_pos;
        t.hasParam = true;
        t.param = parseNumber(true);
    }
    if (m_pos < size && m_data[m_pos] == ' ')
        ++m_pos;
    if (t.bytes == "bin") {
        const qsizetype remaining = size - m_pos;
        m_pendingBinary = t.hasParam && t.param > 0 ? qMin<qsizetype>(t.param, remaining) : 0;
    }
    return t;
}

// Digits beyond the range of int are still consumed, the value sticks at the limit.
int Tokenizer::parseNumber(bool negative)
{
    const auto size = qsizetype(m_data.size());
    constexpr qint64 limit = std::numeric_limits<int>::max();
    qint64 value = 0;
    while (m_pos < size && isDigit(m_data[m_pos])) {
        value = qMin(value * 10 + (m_data[m_pos] - '0'), limit);
        ++m_pos;
    }
    return int(negative ? -value : value);
}

Token Tokenizer::controlSymbol(qsizetype start)
{
    const auto size = qsizetype(m_data.size());
    Token t;
    t.offset = start;
    if (m_pos >= size) // a lone backslash at the very end
        return next();
    const char c = m_data[m_pos++];
    if (c == '\'') {
        const int high = m_pos < size ? hexDigitValue(m_data[m_pos]) : -1;
        const int low = m_pos + 1 < size ? hexDigitValue(m_data[m_pos + 1]) : -1;
        if (high < 0) // malformed: drop the escape, keep what follows as text
            return next();
        t.type = Token::HexByte;
        if (low < 0) {
            t.hexByte = (unsigned char)high;
            m_pos += 1;
        } else {
            t.hexByte = (unsigned char)(high * 16 + low);
            m_pos += 2;
        }
        return t;
    }
    t.type = Token::ControlSymbol;
    t.symbol = c == '\r' ? '\n' : c;
    if (c == '\r' && m_pos < size && m_data[m_pos] == '\n')
        ++m_pos;
    return t;
}

} // namespace rtf
