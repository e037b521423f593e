#include "site/sitestyle.h"

namespace site {

QString styleElement()
{
    // #1b1b1b on #fff is 17:1, the links' #0b4f8a on #fff 8.6:1; a picture is never wider than
    // the screen, a table scrolls on its own rather than widening the page.
    return QStringLiteral(
        "<style>\n"
        "html{-webkit-text-size-adjust:100%}\n"
        "body{margin:0;padding:0 1rem 2rem;font:1.0625rem/1.5 sans-serif;color:#1b1b1b;background:#fff}\n"
        "main,header,nav{max-width:44rem;margin:0 auto}\n"
        "h1{font-size:1.6rem;line-height:1.25;margin:1rem 0 .25rem}\n"
        "h2{font-size:1.25rem;margin:1.5rem 0 .5rem}\n"
        "h3{font-size:1.1rem;margin:1rem 0 .25rem}\n"
        "a{color:#0b4f8a}\n"
        "nav a,ul.links a{display:inline-block;min-height:44px;line-height:44px}\n"
        "ul.links{list-style:none;padding:0;margin:0}\n"
        "ul.links li{border-bottom:1px solid #ccc}\n"
        ".sti{color:#4a4a4a;margin:0 0 1rem}\n"
        "ol.nr{list-style:none;padding-left:1rem}\n"
        "span.nr{font-weight:bold}\n"
        "img{max-width:100%;height:auto}\n"
        ".beskrivelse table{border-collapse:collapse;display:block;overflow-x:auto}\n"
        ".beskrivelse td{border:1px solid #767676;padding:.25rem .5rem;vertical-align:top}\n"
        "input[type=search]{box-sizing:border-box;width:100%;min-height:44px;font-size:1.0625rem;"
        "padding:.5rem;border:2px solid #4a4a4a;border-radius:4px;color:#1b1b1b;background:#fff}\n"
        ".fejl{border-left:4px solid #a40000;padding-left:.75rem}\n"
        "@media print{nav,.soeg{display:none}body{padding:0;font-size:11pt}a{color:#000;text-decoration:none}"
        "main{max-width:none;break-after:page}}\n"
        "</style>\n");
}

} // namespace site
