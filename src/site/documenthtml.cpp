#include "site/documenthtml.h"

#include "rtf/listlabel.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <cmath>

namespace site {

namespace {

double luminance(const QColor &c)
{
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

QColor mixed(const QColor &from, const QColor &to, double t)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * t),
                            float(from.greenF() + (to.greenF() - from.greenF()) * t),
                            float(from.blueF() + (to.blueF() - from.blueF()) * t));
}

QString cssColour(const QColor &c)
{
    return c.name(QColor::HexRgb);
}

QString alignmentCss(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return QStringLiteral("center");
    if (alignment & Qt::AlignJustify)
        return QStringLiteral("justify");
    if (alignment & Qt::AlignRight)
        return QStringLiteral("right");
    return {};
}

class Writer {
public:
    Writer(const QTextDocument &doc, const PictureSink &pictures)
        : m_doc(doc)
        , m_pictures(pictures)
    {
    }

    QString run()
    {
        frame(m_doc.rootFrame());
        closeList();
        return m_html;
    }

private:
    void frame(QTextFrame *frame)
    {
        for (auto it = frame->begin(); !it.atEnd(); ++it) {
            if (QTextFrame *child = it.currentFrame()) {
                closeList();
                if (auto *table = qobject_cast<QTextTable *>(child))
                    this->table(table);
                else
                    this->frame(child);
            } else {
                block(it.currentBlock());
            }
        }
    }

    void table(QTextTable *table)
    {
        m_html += QStringLiteral("<table>\n");
        for (int r = 0; r < table->rows(); ++r) {
            m_html += QStringLiteral("<tr>");
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r || cell.column() != c)
                    continue; // covered by a merged cell
                QString spans;
                if (cell.rowSpan() > 1)
                    spans += QStringLiteral(" rowspan=\"%1\"").arg(cell.rowSpan());
                if (cell.columnSpan() > 1)
                    spans += QStringLiteral(" colspan=\"%1\"").arg(cell.columnSpan());
                m_html += u"<td" + spans + u'>';
                for (auto it = cell.begin(); !it.atEnd(); ++it) {
                    if (QTextFrame *inner = it.currentFrame()) {
                        closeList();
                        if (auto *nested = qobject_cast<QTextTable *>(inner))
                            this->table(nested);
                    } else {
                        block(it.currentBlock());
                    }
                }
                closeList();
                m_html += QStringLiteral("</td>");
            }
            m_html += QStringLiteral("</tr>\n");
        }
        m_html += QStringLiteral("</table>\n");
    }

    void closeList()
    {
        if (m_list)
            m_html += rtf::isBullet(m_list->format().style()) ? QStringLiteral("</ul>\n") : QStringLiteral("</ol>\n");
        m_list = nullptr;
    }

    void block(const QTextBlock &block)
    {
        QTextList *list = block.textList();
        if (list != m_list) {
            closeList();
            if (list)
                m_html += rtf::isBullet(list->format().style()) ? QStringLiteral("<ul>\n")
                                                                 : QStringLiteral("<ol class=\"nr\">\n");
            m_list = list;
        }
        const QString align = alignmentCss(block.blockFormat().alignment());
        const QString style = align.isEmpty() ? QString() : u" style=\"text-align:" + align + u'"';
        QString content;
        if (list && !rtf::isBullet(list->format().style()))
            content += u"<span class=\"nr\">" + rtf::listLabel(block).toHtmlEscaped() + u"</span> ";
        for (auto it = block.begin(); !it.atEnd(); ++it)
            content += fragment(it.fragment());
        if (list)
            m_html += u"<li" + style + u'>' + content + u"</li>\n";
        else
            m_html += u"<p" + style + u'>' + (content.isEmpty() ? QStringLiteral("<br>") : content) + u"</p>\n";
    }

    QString fragment(const QTextFragment &fragment)
    {
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat()) {
            const QVariant resource = m_doc.resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
            const QImage image = resource.value<QImage>();
            const QString address = image.isNull() || !m_pictures ? QString() : m_pictures(image);
            if (address.isEmpty())
                return {};
            return u"<img src=\"" + address.toHtmlEscaped() + u"\" alt=\"\">";
        }
        QString text = fragment.text();
        text.remove(QChar::ObjectReplacementCharacter);
        QString html = text.toHtmlEscaped().replace(QChar::LineSeparator, QStringLiteral("<br>"));
        if (html.isEmpty())
            return {};
        if (format.fontUnderline())
            html = u"<u>" + html + u"</u>";
        if (format.fontStrikeOut())
            html = u"<s>" + html + u"</s>";
        if (format.fontItalic())
            html = u"<em>" + html + u"</em>";
        if (format.fontWeight() >= QFont::Bold)
            html = u"<strong>" + html + u"</strong>";
        const bool hasBackground = format.background().style() != Qt::NoBrush;
        const QColor background = hasBackground ? format.background().color() : kPageBackground;
        QString css;
        if (hasBackground && background != kPageBackground)
            css += u"background:" + cssColour(background) + u';';
        if (format.foreground().style() != Qt::NoBrush) {
            const QColor colour = readableOn(format.foreground().color(), background);
            // Black as the description's plain text is the page's own text colour.
            if (colour != Qt::black || hasBackground)
                css += u"color:" + cssColour(colour) + u';';
        } else if (hasBackground) {
            css += u"color:" + cssColour(readableOn(kPageText, background)) + u';';
        }
        if (!css.isEmpty())
            html = u"<span style=\"" + css + u"\">" + html + u"</span>";
        return html;
    }

    const QTextDocument &m_doc;
    const PictureSink &m_pictures;
    QTextList *m_list = nullptr;
    QString m_html;
};

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &colour, const QColor &background)
{
    const QColor opaque = colour.isValid() ? QColor(colour.rgb()) : kPageText;
    if (contrastRatio(opaque, background) >= kMinContrast)
        return opaque;
    const QColor towards = contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background)
                               ? QColor(Qt::black)
                               : QColor(Qt::white);
    for (int step = 1; step <= 20; ++step) {
        const QColor shade = mixed(opaque, towards, step / 20.0);
        if (contrastRatio(shade, background) >= kMinContrast)
            return shade;
    }
    return towards;
}

QString documentHtml(const QTextDocument &doc, const PictureSink &pictures)
{
    return Writer(doc, pictures).run();
}

} // namespace site
