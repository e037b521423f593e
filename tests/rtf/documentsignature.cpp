#include "documentsignature.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>

namespace {

QString alignment(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return QStringLiteral("c");
    if (a & Qt::AlignJustify)
        return QStringLiteral("j");
    if (a & Qt::AlignRight)
        return QStringLiteral("r");
    return QStringLiteral("l");
}

QString margins(const QTextBlockFormat &f)
{
    if (f.leftMargin() == 0 && f.textIndent() == 0 && f.rightMargin() == 0)
        return {};
    return QStringLiteral(" m%1/%2/%3")
        .arg(QString::number(f.leftMargin(), 'f', 1), QString::number(f.textIndent(), 'f', 1),
             QString::number(f.rightMargin(), 'f', 1));
}

// Family and size as shown: a format without them takes the document's default font.
QString runFormat(const QTextCharFormat &f, const QFont &defaultFont)
{
    QString family = f.fontFamilies().toStringList().value(0);
    if (family.isEmpty())
        family = defaultFont.family();
    const double size = f.fontPointSize() > 0 ? f.fontPointSize() : defaultFont.pointSizeF();
    QString flags;
    if (f.fontWeight() >= QFont::DemiBold)
        flags += u'b';
    if (f.fontItalic())
        flags += u'i';
    if (f.fontUnderline())
        flags += u'u';
    if (f.fontStrikeOut())
        flags += u's';
    const QString color = f.hasProperty(QTextFormat::ForegroundBrush)
        ? f.foreground().color().name()
        : QStringLiteral("auto");
    return QStringLiteral("[%1 %2 %3 %4]")
        .arg(family, QString::number(size), color, flags);
}

} // namespace

QString documentSignature(const QTextDocument &doc)
{
    QStringList lines;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QString line = alignment(block.blockFormat().alignment()) + margins(block.blockFormat());
        if (const QTextList *list = block.textList())
            line += QStringLiteral(" list%1/%2").arg(list->format().style()).arg(list->format().indent());
        line += u'|';
        QString previous;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat()) {
                const QTextImageFormat image = format.toImageFormat();
                line += QStringLiteral("<img %1x%2>").arg(qRound(image.width())).arg(qRound(image.height()));
                previous.clear();
                continue;
            }
            const QString run = runFormat(format, doc.defaultFont());
            if (run != previous)
                line += run;
            previous = run;
            line += fragment.text();
        }
        lines.append(line);
    }
    return lines.join(u'\n');
}
