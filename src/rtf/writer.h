#pragma once

#include "rtf/rtfstream.h"

#include <QColor>
#include <QHash>
#include <QString>

#include <unordered_map>
#include <vector>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextImageFormat;

namespace rtf {

// Writes a document as RTF. The body is written first, collecting fonts and colours, and the
// header with their tables is put in front of it.
class Writer
{
public:
    explicit Writer(const QTextDocument &doc);

    QByteArray write();

private:
    // A character format as RTF sees it.
    struct Chars {
        int font = -1;
        int halfPoints = -1;
        int color = -1;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
    };

    void writeBlock(const QTextBlock &block);
    void writeParagraphFormat(const QTextBlock &block);
    void writeListItem(const QTextBlock &block);
    void writeChars(int formatIndex, const QTextCharFormat &format);
    void writeImage(const QTextImageFormat &format);
    Chars resolve(const QTextCharFormat &format);
    int fontIndex(const QString &family);
    int colorIndex(const QColor &color);
    QByteArray header() const;

    const QTextDocument &m_doc;
    RtfStream m_body;
    Chars m_written;
    std::unordered_map<int, Chars> m_resolved; // by the document's format index
    QStringList m_fonts;
    QHash<QString, int> m_fontIndexes;
    int m_symbolFont = -1;
    std::vector<QColor> m_colors;
};

} // namespace rtf
