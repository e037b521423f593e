#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <functional>

class QTextDocument;

namespace site {

// The page's own colours: every colour from a description is brought to this contrast with
// what stands behind it.
inline const QColor kPageText(0x1b, 0x1b, 0x1b);
inline const QColor kPageBackground(0xff, 0xff, 0xff);
constexpr double kMinContrast = 4.5;

// The contrast of two colours as the web's accessibility guidelines count it (1 to 21).
double contrastRatio(const QColor &a, const QColor &b);

// colour itself when it reads well enough on background, else the nearest darker (or, on a dark
// background, lighter) shade that does.
QColor readableOn(const QColor &colour, const QColor &background);

// Takes a picture of the description and gives the address the page uses for it (a file beside
// the page), or an empty string to leave it out.
using PictureSink = std::function<QString(const QImage &picture)>;

// A description as HTML made by walking the document, never by Qt's own HTML: bold, italic,
// underline, struck-out text, colours (made readable), alignment, numbered and bulleted lists
// with their labels, tables and pictures. Every text is escaped.
QString documentHtml(const QTextDocument &doc, const PictureSink &pictures);

} // namespace site
