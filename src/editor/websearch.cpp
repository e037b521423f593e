#include "editor/websearch.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>

namespace websearch {

bool isWordCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'-' || (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')
        || u == u'Æ' || u == u'Ø' || u == u'Å' || u == u'æ' || u == u'ø' || u == u'å';
}

namespace {

QString selectionText(const QTextCursor &cursor)
{
    QString text = cursor.selectedText();
    // The document marks paragraph and line ends with its own separators; the search gets
    // ordinary line breaks.
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    // A double-click selects the space after a word too.
    if (text.endsWith(u' '))
        text.chop(1);
    return text;
}

// The caret's line as the editor lays it out, and the caret's column on it.
QString displayedLine(const QTextCursor &cursor, int *column)
{
    const QTextBlock block = cursor.block();
    const QString blockText = block.text();
    const int inBlock = cursor.positionInBlock();
    int start = 0;
    int length = int(blockText.size());
    if (const QTextLayout *layout = block.layout(); layout && layout->lineCount() > 0) {
        QTextLine line = layout->lineForTextPosition(inBlock);
        // The caret after a wrapped line's last character belongs to the line it ends.
        if (!line.isValid())
            line = layout->lineAt(layout->lineCount() - 1);
        start = line.textStart();
        length = line.textLength();
    }
    *column = inBlock - start;
    return blockText.mid(start, length);
}

} // namespace

QString findText(const QTextEdit *edit)
{
    const QTextCursor cursor = edit->textCursor();
    if (cursor.hasSelection())
        return selectionText(cursor);

    int column = 0;
    const QString line = displayedLine(cursor, &column);
    int from = column;
    while (from > 0 && isWordCharacter(line.at(from - 1)))
        --from;
    int to = column;
    while (to < line.size() && isWordCharacter(line.at(to)))
        ++to;
    return line.mid(from, to - from);
}

QString missingWordText()
{
    return QStringLiteral("Der mangler et søgeord");
}

QUrl searchAddress(Service service, const QString &text)
{
    QByteArray prefix;
    switch (service) {
    case Service::Google:
        prefix = QByteArrayLiteral("https://www.google.com/search?q=");
        break;
    case Service::Bing:
        prefix = QByteArrayLiteral("https://www.bing.com/search?q=");
        break;
    case Service::YouTube:
        prefix = QByteArrayLiteral("https://www.youtube.com/results?search_query=");
        break;
    }
    return QUrl::fromEncoded(prefix + QUrl::toPercentEncoding(text), QUrl::StrictMode);
}

} // namespace websearch
