#include "bookexport/bookpages.h"

#include "bookexport/recipepage.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>

namespace bookexport {

namespace {

const QString kContentsHeading = QStringLiteral("Indhold");

qreal lineHeight(QPainter &painter)
{
    return QFontMetricsF(bookFont(11), painter.device()).lineSpacing() * 1.2;
}

QFont levelFont(int level)
{
    return level < 2 ? bookFont(11, true) : bookFont(11);
}

} // namespace

void paintTitlePage(QPainter &painter, const PageGeometry &g, const QString &title, const QDate &date,
                    int recipes)
{
    painter.save();
    painter.setPen(Qt::black);
    QRectF upper(g.text.left(), g.text.top() + g.text.height() / 4, g.text.width(), g.text.height() / 4);
    painter.setFont(bookFont(28, true));
    painter.drawText(upper, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, title);
    QRectF lower(g.text.left(), upper.bottom(), g.text.width(), g.text.height() / 4);
    painter.setFont(bookFont(14));
    const QString line = QLocale(QLocale::Danish, QLocale::Denmark).toString(date, QStringLiteral("d. MMMM yyyy"))
                         + u'\n' + (recipes == 1 ? QStringLiteral("1 opskrift") : QStringLiteral("%1 opskrifter").arg(recipes));
    painter.drawText(lower.adjusted(0, lineHeight(painter), 0, 0), Qt::AlignHCenter | Qt::AlignTop, line);
    painter.restore();
}

int contentsLinesPerPage(QPainter &painter, const PageGeometry &g)
{
    return qMax(3, int(g.text.height() / lineHeight(painter)));
}

int contentsPageCount(int lines, int perPage)
{
    return qMax(1, (lines + 2 + perPage - 1) / perPage);
}

void paintContentsPage(QPainter &painter, const PageGeometry &g, const QList<ContentsLine> &lines,
                       int topLevel, int perPage, int page)
{
    painter.save();
    painter.setPen(Qt::black);
    const qreal height = lineHeight(painter);
    int row = 0;
    qsizetype first = qsizetype(page) * perPage - 2;
    if (page == 0) {
        painter.setFont(bookFont(18, true));
        painter.drawText(QRectF(g.text.left(), g.text.top(), g.text.width(), 2 * height),
                         Qt::AlignLeft | Qt::AlignTop, kContentsHeading);
        row = 2;
        first = 0;
    }
    const qreal indentStep = QFontMetricsF(bookFont(11), painter.device()).horizontalAdvance(QStringLiteral("MMM"));
    const qreal numberWidth = QFontMetricsF(bookFont(11), painter.device()).horizontalAdvance(QStringLiteral(" 000000"));
    for (qsizetype i = first; i < lines.size() && row < perPage; ++i, ++row) {
        const ContentsLine &line = lines.at(i);
        const QFont font = levelFont(line.level);
        painter.setFont(font);
        const qreal indent = (line.level - topLevel) * indentStep;
        const QRectF box(g.text.left() + indent, g.text.top() + row * height, g.text.width() - indent, height);
        const QString text = line.unreadable ? line.text + QStringLiteral(" (kan ikke læses)") : line.text;
        const QString shown = QFontMetricsF(font, painter.device()).elidedText(text, Qt::ElideRight, box.width() - numberWidth);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, shown);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QString::number(line.page + 1));
    }
    painter.restore();
}

void paintFooter(QPainter &painter, const PageGeometry &g, int pageNumber)
{
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(bookFont(9));
    painter.drawText(g.footer, Qt::AlignHCenter | Qt::AlignVCenter, QString::number(pageNumber));
    painter.restore();
}

} // namespace bookexport
