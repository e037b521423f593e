#include "printing/editorlines.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace printing {

void addLine(QTextEdit *edit, const QString &text)
{
    const QTextCharFormat format = edit->currentCharFormat();
    QTextDocument *document = edit->document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    if (!document->isEmpty())
        cursor.insertBlock(cursor.blockFormat(), format);
    cursor.insertText(text, format);
}

void insertLine(QTextEdit *edit, int index, const QString &text)
{
    QTextDocument *document = edit->document();
    if (index >= document->blockCount()) {
        addLine(edit, text);
        return;
    }
    const QTextCharFormat format = edit->currentCharFormat();
    QTextCursor cursor(document->findBlockByNumber(index));
    cursor.insertText(text, format);
    cursor.insertBlock(cursor.blockFormat(), format);
}

} // namespace printing
