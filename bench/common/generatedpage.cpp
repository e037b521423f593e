#include "common/generatedpage.h"

#include <QString> // the string builder, for joining byte arrays

QByteArray generatedPage(qsizetype size, const QByteArray &picture)
{
    QByteArray page = "<!DOCTYPE html><html lang=\"da\"><head><meta charset=\"utf-8\"><title>Opskrift</title>";
    const QByteArray script = "<script>(function(w,d){var a=[];for(var i=0;i<10;i++){a.push('annonce-'+i);}"
                              "w.dataLayer=w.dataLayer||[];w.dataLayer.push({event:'visning',sider:a});})"
                              "(window,document);</script>\n";
    const QByteArray style = "<style>.kort{display:flex;margin:0 auto}.annonce>div{min-height:250px}</style>\n";
    for (int i = 0; page.size() < size * 45 / 100; ++i)
        page += (i % 4 == 0 ? style : script);
    page += R"(<script type="application/ld+json">{"@context":"https://schema.org","@graph":[
        {"@type":"WebSite","@id":"https://example.org/#website","name":"Testkøkkenet"},
        {"@type":"ImageObject","@id":"https://example.org/#billede","url":")" + picture + R"("},
        {"@type":"Recipe","name":"Hvedeboller","image":{"@id":"https://example.org/#billede"},
         "recipeYield":"12 stk.","totalTime":"PT2H15M",
         "recipeIngredient":["50 g gær","5 dl mælk","1 tsk salt","2 spsk sukker","ca. 1 kg hvedemel","1 æg"],
         "recipeInstructions":[{"@type":"HowToStep","text":"Opløs gæren i lunken mælk."},
          {"@type":"HowToStep","text":"Ælt salt, sukker og mel i."},
          {"@type":"HowToStep","text":"Lad dejen hæve en time."},
          {"@type":"HowToStep","text":"Form bollerne og bag dem ved 225 grader i 12 minutter."}]}]}</script>)";
    page += "</head><body><header><nav><ul>";
    for (int i = 0; i < 200; ++i)
        page += "<li><a href=\"/kategori/" + QByteArray::number(i) + "\">Kategori " + QByteArray::number(i) + "</a></li>";
    page += "</ul></nav></header><main>";
    const QByteArray filler = "<div class=\"annonce\"><div id=\"plads\"><iframe src=\"about:blank\"></iframe></div></div>"
                              "<!-- annonceplads --><p>Vi elsker boller, og her er en <a href=\"/x\">lang</a> "
                              "historie om dem, med <em>mange</em> ord i hvert afsnit, før opskriften kommer.</p>\n";
    for (int i = 0; page.size() < size * 6 / 10; ++i)
        page += filler;
    page += "<div class=\"wprm-recipe\"><ul>";
    for (const char *line : {"50 g gær", "5 dl mælk", "1 tsk salt", "2 spsk sukker", "ca. 1 kg hvedemel", "1 æg"})
        page += QByteArray("<li class=\"wprm-recipe-ingredient\">") + line + "</li>";
    page += "</ul></div>";
    while (page.size() < size * 75 / 100)
        page += filler;
    page += "</main><script>window.__STATE__={\"sider\":[";
    for (int i = 0; page.size() < size; ++i)
        page += "{\"id\":" + QByteArray::number(i) + ",\"titel\":\"Opskrift nummer " + QByteArray::number(i)
            + "\",\"billede\":\"/billeder/" + QByteArray::number(i) + ".jpg\"},";
    return page + "{}]};</script></body></html>";
}
