#pragma once

#include <QByteArray>
#include <QStringView>

namespace rtf {

// Builds RTF bytes: control words with their delimiters, escaped text, hex data.
class RtfStream
{
public:
    void reserve(qsizetype size) { m_out.reserve(size); }

    void word(const char *name);
    void word(const char *name, int param);
    void open();
    void close();
    void newline();
    enum Encoding { Windows1252, UnicodeOnly };

    // Text in Windows-1252 where it can be, \uN? for every other character.
    void text(QStringView text, Encoding encoding = Windows1252);
    void raw(const QByteArray &bytes);
    void hex(const QByteArray &bytes);
    void append(const RtfStream &other);

    const QByteArray &bytes() const { return m_out; }

private:
    void escaped(char16_t c, Encoding encoding);

    QByteArray m_out;
    bool m_needDelimiter = false;
};

} // namespace rtf
