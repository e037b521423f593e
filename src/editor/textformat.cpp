#include "editor/textformat.h"

#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextEdit>

#include <cmath>

namespace textformat {

namespace {

void setStandard(QTextEdit *RE, int points, const QString &standardFont, const QColor &color)
{
    setColor(RE, color);
    setSize(RE, points);
    setFontName(RE, standardFont);
}

} // namespace

void setFontName(QTextEdit *edit, const QString &name)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{name});
    edit->mergeCurrentCharFormat(format);
}

void setSize(QTextEdit *edit, int points)
{
    QTextCharFormat format;
    format.setFontPointSize(points);
    edit->mergeCurrentCharFormat(format);
}

void setColor(QTextEdit *edit, const QColor &color)
{
    QTextCharFormat format;
    format.setForeground(color);
    edit->mergeCurrentCharFormat(format);
}

QString fontName(const QTextEdit *edit)
{
    const QTextCharFormat format = edit->currentCharFormat();
    if (format.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
        if (!families.isEmpty() && !families.first().isEmpty())
            return families.first();
    }
    const QString family = format.stringProperty(QTextFormat::FontFamily);
    return family.isEmpty() ? edit->document()->defaultFont().family() : family;
}

int size(const QTextEdit *edit)
{
    const QTextCharFormat format = edit->currentCharFormat();
    double points = format.fontPointSize();
    if (points <= 0)
        points = edit->document()->defaultFont().pointSizeF();
    const long twentieths = std::lround(points * 20);
    return int(twentieths / 20);
}

bool hasOwnColor(const QTextEdit *edit)
{
    const QTextCharFormat format = edit->currentCharFormat();
    return format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush;
}

QColor color(const QTextEdit *edit)
{
    if (hasOwnColor(edit))
        return edit->currentCharFormat().foreground().color();
    return edit->palette().color(QPalette::Text);
}

void setStandardOverskrift(QTextEdit *RE, const QString &standardFont)
{
    setStandard(RE, 14, standardFont, QColor(0x00, 0x00, 0xFF));
}

void setStandardTekst(QTextEdit *RE, const QString &standardFont)
{
    setStandard(RE, 10, standardFont, QColor(0x00, 0x00, 0x00));
}

} // namespace textformat
