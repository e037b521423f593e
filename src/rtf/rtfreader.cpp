#include "rtf/rtfreader.h"

#include "rtf/decoder.h"
#include "rtf/parser.h"

#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>

namespace rtf {

namespace {

// Plain text is UTF-8 when it is valid as such, else the Windows code page.
QString plainText(const QByteArray &data)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(data);
    if (utf8.hasError()) {
        text.clear();
        Decoder decoder;
        const QList<QByteArray> lines = data.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                text.append(u'\n');
            decoder.decode(std::string_view(lines[i].constData(), size_t(lines[i].size())), 1252,
                           text);
        }
    }
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.remove(QChar(0xfdd0));
    text.remove(QChar(0xfdd1));
    return text;
}

} // namespace

void read(const QByteArray &data, QTextDocument *doc)
{
    if (!data.startsWith("{\\rtf")) {
        doc->setPlainText(plainText(data));
        return;
    }
    // As one edit without undo, so that an editor on the document lays it out once.
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    QTextCursor edit(doc);
    edit.beginEditBlock();
    Parser(data, doc).run();
    edit.endEditBlock();
    doc->setUndoRedoEnabled(undo);
}

} // namespace rtf
