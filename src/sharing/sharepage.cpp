#include "sharing/sharepage.h"

#include "rtf/rtffile.h"
#include "store/exclusivefile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace sharing {

QString plainText(const QString &text)
{
    QString plain = text;
    plain.remove(QChar::ObjectReplacementCharacter);
    plain.replace(QChar::LineSeparator, u' ');
    return plain.simplified();
}

namespace {

QString fragmentHtml(const QTextFragment &fragment)
{
    QString text = fragment.text();
    text.remove(QChar::ObjectReplacementCharacter);
    QString html = text.toHtmlEscaped().replace(QChar::LineSeparator, QStringLiteral("<br>"));
    const QTextCharFormat format = fragment.charFormat();
    if (format.fontUnderline())
        html = u"<u>" + html + u"</u>";
    if (format.fontItalic())
        html = u"<em>" + html + u"</em>";
    if (format.fontWeight() >= QFont::Bold)
        html = u"<strong>" + html + u"</strong>";
    return html;
}

QString blockHtml(const QTextBlock &block)
{
    QString html;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        html += fragmentHtml(it.fragment());
    return html;
}

bool isOrdered(const QTextList *list)
{
    const QTextListFormat::Style style = list->format().style();
    return style == QTextListFormat::ListDecimal || style == QTextListFormat::ListLowerAlpha
        || style == QTextListFormat::ListUpperAlpha || style == QTextListFormat::ListLowerRoman
        || style == QTextListFormat::ListUpperRoman;
}

// A text in the JSON-LD: readers take its strings as HTML when they hold "<" or "&" (many sites
// write them so), so these are written as entities and read back as the characters they were.
QString jsonText(const QString &text)
{
    QString escaped = text;
    return escaped.replace(u'&', QStringLiteral("&amp;")).replace(u'<', QStringLiteral("&lt;")).replace(u'>', QStringLiteral("&gt;"));
}

struct Description {
    QString html;
    QJsonArray steps;
};

// Paragraphs become <p>, list items <li> in the list they belong to, and each with text a step.
Description describe(const QTextDocument *doc)
{
    Description d;
    const QTextList *open = nullptr;
    const auto close = [&] {
        if (open)
            d.html += isOrdered(open) ? QStringLiteral("</ol>\n") : QStringLiteral("</ul>\n");
        open = nullptr;
    };
    for (QTextBlock block = doc ? doc->begin() : QTextBlock(); block.isValid(); block = block.next()) {
        const QString text = plainText(block.text());
        QTextList *list = block.textList();
        if (list != open) {
            close();
            if (list)
                d.html += isOrdered(list) ? QStringLiteral("<ol>\n") : QStringLiteral("<ul>\n");
            open = list;
        }
        if (text.isEmpty())
            continue;
        const QString tag = list ? QStringLiteral("li") : QStringLiteral("p");
        d.html += u'<' + tag + u'>' + blockHtml(block) + u"</" + tag + u">\n";
        d.steps.append(QJsonObject{{QStringLiteral("@type"), QStringLiteral("HowToStep")},
                                   {QStringLiteral("text"), jsonText(text)}});
    }
    close();
    return d;
}

// JSON inside a script element: "<" never appears as itself, so no text can close the element.
QString scriptJson(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented))
        .replace(u'<', QStringLiteral("\\u003c"));
}

QJsonObject recipeObject(const QString &name, const QStringList &ingredients, const QJsonArray &steps)
{
    QJsonArray lines;
    for (const QString &line : ingredients) {
        const QString text = plainText(line);
        if (!text.isEmpty())
            lines.append(jsonText(text));
    }
    return QJsonObject{{QStringLiteral("@context"), QStringLiteral("https://schema.org")},
                       {QStringLiteral("@type"), QStringLiteral("Recipe")},
                       {QStringLiteral("name"), jsonText(name)},
                       {QStringLiteral("recipeIngredient"), lines},
                       {QStringLiteral("recipeInstructions"), steps}};
}

QString jsonLdElement(const QJsonObject &recipe)
{
    return u"<script type=\"application/ld+json\">\n" + scriptJson(recipe) + u"</script>\n";
}

} // namespace

QString recipeJsonLd(const QString &name, const QStringList &ingredients, const QTextDocument *description)
{
    return jsonLdElement(recipeObject(name, ingredients, describe(description).steps));
}

QByteArray sharePage(const QString &name, const QStringList &ingredients, const QTextDocument *description,
                     const QString &scaledFor)
{
    const Description d = describe(description);
    QString ingredientHtml;
    for (const QString &line : ingredients) {
        const QString text = plainText(line);
        if (!text.isEmpty())
            ingredientHtml += u"<li>" + text.toHtmlEscaped() + u"</li>\n";
    }
    const QJsonObject recipe = recipeObject(name, ingredients, d.steps);
    const QString title = name.toHtmlEscaped();
    QString page = QStringLiteral("<!DOCTYPE html>\n<html lang=\"da\">\n<head>\n<meta charset=\"utf-8\">\n")
        + u"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        + u"<title>" + title + u"</title>\n"
        + u"<style>body{font-family:sans-serif;max-width:42em;margin:2em auto;padding:0 1em;line-height:1.45}"
          u"h2{font-size:1.15em;margin-top:1.6em}</style>\n"
        + jsonLdElement(recipe) + u"</head>\n<body>\n"
        + u"<h1>" + title + u"</h1>\n";
    if (!ingredientHtml.isEmpty())
        page += u"<h2>Ingredienser</h2>\n"
            + (scaledFor.isEmpty() ? QString() : u"<p><em>" + scaledFor.toHtmlEscaped() + u"</em></p>\n")
            + u"<ul>\n" + ingredientHtml + u"</ul>\n";
    if (!d.html.isEmpty())
        page += u"<h2>Fremgangsmåde</h2>\n" + d.html;
    page += QStringLiteral("</body>\n</html>\n");
    return page.toUtf8();
}

store::FileResult shareRecipe(const store::Tree &area, const QString &descriptionFile, const QString &name,
                              const QStringList &ingredients, const QString &htmlPath,
                              const QString &scaledFor)
{
    QTextDocument doc;
    if (!descriptionFile.isEmpty() && area.exists(descriptionFile)) {
        const store::FileResult loaded = rtf::loadFile(area, descriptionFile, &doc);
        if (!loaded)
            return loaded;
    }
    const QByteArray page = sharePage(name, ingredients, &doc, scaledFor);
    store::ExclusiveFile file(htmlPath);
    if (!file.open() || file.device()->write(page) != page.size() || !file.commit())
        return store::FileResult::writeFailed(htmlPath);
    return store::FileResult::success();
}

} // namespace sharing
