#include "mainwindow/temperaturerewrite.h"

#include "ingredients/ingredientline.h"

#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

struct Replacement {
    int position;
    int length;
    QString text;
    QTextCharFormat format;
};

// The part of a fragment that the rewrite changes, without what stays the same at either end.
Replacement changedPart(const QTextFragment &fragment, const QString &rewritten)
{
    const QString text = fragment.text();
    qsizetype head = 0;
    const qsizetype shorter = std::min(text.size(), rewritten.size());
    while (head < shorter && text.at(head) == rewritten.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && text.at(text.size() - 1 - tail) == rewritten.at(rewritten.size() - 1 - tail))
        ++tail;
    return {fragment.position() + int(head), int(text.size() - head - tail),
            rewritten.mid(head, rewritten.size() - head - tail), fragment.charFormat()};
}

} // namespace

bool rewriteTemperatures(QTextCursor &cursor)
{
    QList<Replacement> replacements;
    for (QTextBlock block = cursor.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString rewritten = ingredients::danishTemperatures(fragment.text());
            if (rewritten != fragment.text())
                replacements.append(changedPart(fragment, rewritten));
        }
    }
    // From the end, so the positions found still hold.
    for (auto it = replacements.crbegin(); it != replacements.crend(); ++it) {
        cursor.setPosition(it->position);
        cursor.setPosition(it->position + it->length, QTextCursor::KeepAnchor);
        cursor.insertText(it->text, it->format);
    }
    return !replacements.isEmpty();
}
