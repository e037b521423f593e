#include "rtf/formats.h"

#include "rtf/colortable.h"
#include "rtf/formatproperties.h"
#include "rtf/units.h"

namespace rtf {

namespace {

constexpr double TwipsPerSingleLine = 240.0;

void setLineSpacing(QTextBlockFormat &format, const ParaState &p)
{
    if (p.lineSpacing == 0)
        return;
    if (p.lineMultiple) {
        if (p.lineSpacing > 0)
            format.setLineHeight(p.lineSpacing * 100 / TwipsPerSingleLine,
                                 QTextBlockFormat::ProportionalHeight);
    } else if (p.lineSpacing > 0) {
        format.setLineHeight(p.lineSpacing / TwipsPerPixel, QTextBlockFormat::MinimumHeight);
    } else {
        format.setLineHeight(-p.lineSpacing / TwipsPerPixel, QTextBlockFormat::FixedHeight);
    }
}

// The bullet that a list shows, by the character it gives: Word's sub-levels show "o" in
// Courier New and "§" in Wingdings (U+F0A7 when written as Unicode).
QTextListFormat::Style bulletStyle(const QString &text)
{
    const QString bullet = text.trimmed();
    if (bullet == u"\u25e6" || bullet == u"o" || bullet == u"\u25cb")
        return QTextListFormat::ListCircle;
    if (bullet == u"\u25aa" || bullet == u"\u25a0" || bullet == u"\u00a7" || bullet == u"\uf0a7")
        return QTextListFormat::ListSquare;
    return QTextListFormat::ListDisc;
}

} // namespace

QTextCharFormat Formats::charFormat(const CharState &c, const QString &family,
                                    const ColorTable &colors)
{
    QTextCharFormat format;
    if (!family.isEmpty())
        format.setFontFamilies({family});
    // Text marked double-byte takes the associated size, as LibreOffice writes East Asian text.
    const int halfPoints = c.doubleByte && c.associatedHalfPoints > 0 ? c.associatedHalfPoints
                                                                      : c.halfPoints;
    format.setFontPointSize(halfPoints / 2.0);
    const QColor color = colors.color(c.color);
    if (color.isValid()) // else the automatic colour: no foreground at all
        format.setForeground(color);
    if (c.background > 0) {
        const QColor background = colors.color(c.background);
        if (background.isValid())
            format.setBackground(background);
    }
    if (c.vertical == CharState::Super)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (c.vertical == CharState::Sub)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (c.bold)
        format.setFontWeight(QFont::Bold);
    if (c.italic)
        format.setFontItalic(true);
    if (c.underline)
        format.setFontUnderline(true);
    if (c.strike)
        format.setFontStrikeOut(true);
    return format;
}

QTextBlockFormat Formats::blockFormat(const ParaState &p, bool listItem)
{
    QTextBlockFormat format;
    switch (p.alignment) {
    case ParaState::Center:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case ParaState::Right:
        format.setAlignment(Qt::AlignRight);
        break;
    case ParaState::Justify:
        format.setAlignment(Qt::AlignJustify);
        break;
    case ParaState::Left:
        break;
    }
    if (!listItem) {
        if (p.leftIndent != 0)
            format.setLeftMargin(p.leftIndent / TwipsPerPixel);
        if (p.firstIndent != 0)
            format.setTextIndent(p.firstIndent / TwipsPerPixel);
    }
    if (p.rightIndent != 0)
        format.setRightMargin(p.rightIndent / TwipsPerPixel);
    if (p.spaceBefore > 0)
        format.setTopMargin(p.spaceBefore / TwipsPerPixel);
    if (p.spaceAfter > 0)
        format.setBottomMargin(p.spaceAfter / TwipsPerPixel);
    setLineSpacing(format, p);
    return format;
}

QTextListFormat Formats::listFormat(const Numbering &n, const ParaState &p, bool wordList)
{
    QTextListFormat format;
    if (n.kind == Numbering::NoList)
        return format;
    if (n.kind == Numbering::Bullet) {
        format.setStyle(bulletStyle(n.prefix));
    } else {
        static constexpr QTextListFormat::Style styles[] = {
            QTextListFormat::ListDecimal, QTextListFormat::ListUpperAlpha,
            QTextListFormat::ListLowerAlpha, QTextListFormat::ListUpperRoman,
            QTextListFormat::ListLowerRoman};
        format.setStyle(styles[n.style]);
        format.setNumberPrefix(n.prefix);
        format.setNumberSuffix(n.suffix);
        if (n.start != 1)
            format.setProperty(ListStartProperty, n.start);
    }
    // A Word list says its level; \pn only places the item, at \li n*720 as the writer puts it.
    const int level = !wordList && p.leftIndent > 0 ? (p.leftIndent + 360) / 720 : p.listLevel + 1;
    format.setIndent(qBound(1, level, 9));
    return format;
}

} // namespace rtf
