#pragma once

#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include <vector>

class QTextDocument;
class QTextList;
class QTextListFormat;

namespace rtf {

// Puts paragraphs into the document. A paragraph is held until its end, because RTF gives its
// format only there; the break after a final \par is never written, so a file that ends with a
// \par gets no empty paragraph of its own.
class DocumentBuilder
{
public:
    explicit DocumentBuilder(QTextDocument *doc);

    // formatId names format: equal ids mean equal formats, so runs can be joined.
    void appendText(const QString &text, const QTextCharFormat &format, quint64 formatId);
    void appendObject(const QTextCharFormat &format);
    void endParagraph(const QTextBlockFormat &block, const QTextListFormat &list,
                      const QTextCharFormat &mark);
    // Writes what is left after the last \par.
    void finish(const QTextBlockFormat &block, const QTextListFormat &list,
                const QTextCharFormat &mark);

private:
    struct Run {
        qsizetype length;
        QTextCharFormat format;
        quint64 formatId;
    };
    static constexpr quint64 ObjectId = ~quint64(0);

    void writeParagraph(const QTextBlockFormat &block, const QTextListFormat &list,
                        const QTextCharFormat &mark);
    void joinList(const QTextListFormat &list);

    QTextCursor m_cursor;
    QString m_text;
    std::vector<Run> m_runs;
    QTextList *m_list = nullptr;
    bool m_firstBlock = true;
    bool m_afterParagraphEnd = false;
};

} // namespace rtf
