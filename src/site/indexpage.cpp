#include "site/indexpage.h"

#include "site/recipehtml.h"

namespace site {

QByteArray indexPage(const QString &title, const QList<IndexSection> &sections)
{
    QString page = pageStart(title) + u"<main>\n<h1>" + title.toHtmlEscaped() + u"</h1>\n"
                   + u"<div class=\"soeg\" id=\"soeg\" hidden>\n<label for=\"q\">Søg i bogen</label>\n"
                   + u"<input type=\"search\" id=\"q\" name=\"q\" autocomplete=\"off\">\n"
                   + u"<div id=\"fundet\" aria-live=\"polite\" hidden></div>\n</div>\n<div id=\"bog\">\n";
    QString hovedKat;
    bool first = true;
    for (const IndexSection &section : sections) {
        if (first || section.hovedKat != hovedKat)
            page += u"<h2>" + section.hovedKat.toHtmlEscaped() + u"</h2>\n";
        first = false;
        hovedKat = section.hovedKat;
        page += u"<h3>" + section.underKat.toHtmlEscaped() + u"</h3>\n<ul class=\"links\">\n";
        for (const IndexLink &link : section.recipes)
            page += u"<li><a href=\"" + link.href.toHtmlEscaped() + u"\">" + link.name.toHtmlEscaped() + u"</a></li>\n";
        page += QStringLiteral("</ul>\n");
    }
    page += u"</div>\n</main>\n<script src=\"" + kIndexScript + u"\"></script>\n<script src=\"" + kSearchScript
            + u"\"></script>\n</body>\n</html>\n";
    return page.toUtf8();
}

} // namespace site
