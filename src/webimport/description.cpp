#include "webimport/description.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

namespace webimport {

namespace {

void addParagraph(QTextCursor *cursor, bool *first, const QString &text, bool bold = false)
{
    if (!*first)
        cursor->insertBlock(QTextBlockFormat(), QTextCharFormat());
    *first = false;
    QTextCharFormat format;
    if (bold)
        format.setFontWeight(QFont::Bold);
    cursor->insertText(text, format);
}

} // namespace

std::unique_ptr<QTextDocument> descriptionDocument(const Recipe &recipe, const QImage &picture)
{
    auto doc = std::make_unique<QTextDocument>();
    QTextCursor cursor(doc.get());
    bool first = true;
    if (!picture.isNull()) {
        const QImage scaled = picture.width() > kMaxPictureWidth
            ? picture.scaledToWidth(kMaxPictureWidth, Qt::SmoothTransformation)
            : picture;
        const QUrl name(QStringLiteral("retterum-billede"));
        doc->addResource(QTextDocument::ImageResource, name, scaled);
        QTextImageFormat image;
        image.setName(name.toString());
        image.setWidth(scaled.width());
        image.setHeight(scaled.height());
        cursor.insertImage(image);
        first = false;
    }
    if (!recipe.description.isEmpty())
        addParagraph(&cursor, &first, recipe.description);
    if (!recipe.yield.isEmpty())
        addParagraph(&cursor, &first, QStringLiteral("Antal: ") + recipe.yield);
    if (!recipe.totalTime.isEmpty())
        addParagraph(&cursor, &first, QStringLiteral("Tid: ") + recipe.totalTime);
    QTextList *list = nullptr;
    for (const Step &step : recipe.steps) {
        // Section names stand between the items; the numbering goes on as one method.
        if (!step.section.isEmpty())
            addParagraph(&cursor, &first, step.section, true);
        addParagraph(&cursor, &first, step.text);
        if (!list) {
            QTextListFormat format;
            format.setStyle(QTextListFormat::ListDecimal);
            list = cursor.createList(format);
        } else {
            list->add(cursor.block());
        }
    }
    if (!recipe.source.isEmpty())
        addParagraph(&cursor, &first, QStringLiteral("Kilde: ") + recipe.source);
    doc->setModified(false);
    return doc;
}

} // namespace webimport
