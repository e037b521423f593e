#pragma once

#include "rtf/token.h"

#include <QByteArray>

namespace rtf {

// Splits RTF bytes into tokens. Works on bytes only: decoding is the parser's business, because
// the encoding depends on the current font. Every byte is looked at a bounded number of times.
class Tokenizer
{
public:
    explicit Tokenizer(const QByteArray &data);

    Token next();
    qsizetype position() const { return m_pos; }

private:
    Token controlWord(qsizetype start);
    Token controlSymbol(qsizetype start);
    int parseNumber(bool negative);

    std::string_view m_data;
    qsizetype m_pos = 0;
    qsizetype m_pendingBinary = -1;
};

} // namespace rtf
