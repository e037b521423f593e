#include "site/recipehtml.h"

#include "sharing/sharepage.h"
#include "site/sitestyle.h"

#include <QTextDocument>

namespace site {

namespace {

QString top(const RecipePageText &text)
{
    return u"<nav><a href=\"" + text.indexHref.toHtmlEscaped() + u"\">" + text.bookTitle.toHtmlEscaped()
           + u"</a></nav>\n<main>\n<h1>" + text.name.toHtmlEscaped() + u"</h1>\n"
           + (text.path.isEmpty() ? QString()
                                  : u"<p class=\"sti\">" + text.path.join(QStringLiteral(" › ")).toHtmlEscaped() + u"</p>\n");
}

const QString kEnd = QStringLiteral("</main>\n</body>\n</html>\n");

} // namespace

QString pageStart(const QString &title, const QString &headExtra)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"da\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n")
           + u"<title>" + title.toHtmlEscaped() + u"</title>\n" + styleElement() + headExtra + u"</head>\n<body>\n";
}

QByteArray recipePage(const RecipePageText &text, const QTextDocument &description, const PictureSink &pictures)
{
    QString page = pageStart(text.name, sharing::recipeJsonLd(text.name, text.ingredients, &description)) + top(text);
    QString lines;
    for (const QString &line : text.ingredients) {
        const QString plain = sharing::plainText(line);
        if (!plain.isEmpty())
            lines += u"<li>" + plain.toHtmlEscaped() + u"</li>\n";
    }
    if (!lines.isEmpty())
        page += u"<h2>Ingredienser</h2>\n<ul>\n" + lines + u"</ul>\n";
    const QString body = documentHtml(description, pictures);
    if (!description.toPlainText().trimmed().isEmpty() || body.contains(QLatin1String("<img")))
        page += u"<h2>Fremgangsmåde</h2>\n<div class=\"beskrivelse\">\n" + body + u"</div>\n";
    return (page + kEnd).toUtf8();
}

QByteArray unreadablePage(const RecipePageText &text, const QString &reason)
{
    return (pageStart(text.name) + top(text) + u"<p class=\"fejl\">"
            + QStringLiteral("Opskriften kan ikke læses: %1.").arg(reason).toHtmlEscaped() + u"</p>\n" + kEnd)
        .toUtf8();
}

} // namespace site
