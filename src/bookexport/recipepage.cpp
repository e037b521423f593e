#include "bookexport/recipepage.h"

#include "rtf/rtffile.h"
#include "store/listfile.h"
#include "store/storepaths.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace bookexport {

namespace {

QTextCharFormat charFormat(const QFont &font, const QColor &colour)
{
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(colour);
    return format;
}

// The print command's heading and text styles, in the book's face.
QTextCharFormat headingStyle()
{
    return charFormat(bookFont(14), QColor(0x00, 0x00, 0xFF));
}

QTextCharFormat textStyle()
{
    return charFormat(bookFont(10), Qt::black);
}

QTextCharFormat nameStyle()
{
    return charFormat(bookFont(20, true), Qt::black);
}

// Lines before the first paragraph of doc, which keeps its own format.
void insertBefore(QTextDocument *doc, const QList<std::pair<QString, QTextCharFormat>> &lines)
{
    QTextCursor cursor(doc);
    cursor.insertBlock(cursor.blockFormat(), cursor.charFormat());
    cursor.movePosition(QTextCursor::Start);
    if (QTextList *list = cursor.currentList())
        list->remove(cursor.block());
    cursor.setBlockFormat(QTextBlockFormat());
    bool first = true;
    for (const auto &[text, format] : lines) {
        if (!first)
            cursor.insertBlock(QTextBlockFormat(), format);
        first = false;
        cursor.setCharFormat(format);
        cursor.insertText(text, format);
    }
}

} // namespace

QFont bookFont(qreal pointSize, bool bold)
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

store::FileResult composeRecipe(const store::Tree &area, const QString &folder, const QString &name,
                                QTextDocument *doc)
{
    doc->clear();
    const QString description = store::StorePaths::descriptionFile(area, folder, name);
    const QString ingredients = store::StorePaths::ingredientFile(area, folder, name);
    if (description.isEmpty() || ingredients.isEmpty())
        return {false, QStringLiteral("Navnet kan ikke bruges som mappe- eller filnavn!")};
    store::ListText list;
    if (area.exists(ingredients)) {
        const store::FileResult read = store::readListFile(area, ingredients, &list);
        if (!read)
            return read;
    }
    // A recipe without a description file shows an empty one, as in the window.
    if (area.exists(description)) {
        const store::FileResult loaded = rtf::loadFile(area, description, doc);
        if (!loaded) {
            doc->clear();
            return loaded;
        }
    }
    QList<std::pair<QString, QTextCharFormat>> lines{{name, nameStyle()}};
    if (!list.entries.isEmpty()) {
        lines.append({QString(), textStyle()});
        lines.append({QStringLiteral("Ingredienser:"), headingStyle()});
        for (const QString &line : list.entries)
            lines.append({line, textStyle()});
    }
    lines.append({QString(), textStyle()});
    lines.append({QString(), textStyle()});
    insertBefore(doc, lines);
    return store::FileResult::success();
}

void composeUnreadable(const QString &name, const QString &reason, QTextDocument *doc)
{
    doc->clear();
    QTextCursor cursor(doc);
    cursor.insertText(name, nameStyle());
    cursor.insertBlock(QTextBlockFormat(), textStyle());
    cursor.insertBlock(QTextBlockFormat(), textStyle());
    cursor.insertText(QStringLiteral("Opskriften kan ikke læses: %1.").arg(reason), textStyle());
}

} // namespace bookexport
