#pragma once

#include <QString>

#include <unordered_map>

namespace rtf {

// The fonts of \fonttbl by number, and the entry being read.
class FontTable
{
public:
    struct Font {
        QString family;
        int codePage = 0; // 0: the document's code page
    };

    // A family name as a font table can hold it: one line, no ';' (that ends an entry), no
    // control characters.
    static QString cleanName(const QString &name);

    void beginEntry(int number);
    void setCharset(int charset);
    void setCodePage(int codePage);
    // Name text of the current entry; a ';' ends the entry.
    void appendName(const QString &text);
    void endEntry();
    // Code page the name of the current entry is written in (0: the document's).
    int entryCodePage() const;

    const Font *font(int number) const;

private:
    std::unordered_map<int, Font> m_fonts;
    int m_number = -1;
    int m_charsetCodePage = 0;
    int m_codePage = 0;
    QString m_name;
};

} // namespace rtf
