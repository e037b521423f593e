#include "rtf/formats.h"

namespace rtf {

namespace {

constexpr double TwipsPerPixel = 15.0;

} // namespace

QTextCharFormat Formats::charFormat(const CharState &c, const QString &family, const QColor &color)
{
    QTextCharFormat format;
    if (!family.isEmpty())
        format.setFontFamilies({family});
    // Text marked double-byte takes the associated size, as LibreOffice writes East Asian text.
    const int halfPoints = c.doubleByte && c.associatedHalfPoints > 0 ? c.associatedHalfPoints
                                                                      : c.halfPoints;
    format.setFontPointSize(halfPoints / 2.0);
    if (color.isValid()) // else the automatic colour: no foreground at all
        format.setForeground(color);
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

QTextBlockFormat Formats::blockFormat(const ParaState &p)
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
    // A list item takes its indent from the list; \li and \fi only place the bullet.
    if (p.list == ParaState::NoList) {
        if (p.leftIndent != 0)
            format.setLeftMargin(p.leftIndent / TwipsPerPixel);
        if (p.firstIndent != 0)
            format.setTextIndent(p.firstIndent / TwipsPerPixel);
    }
    if (p.rightIndent != 0)
        format.setRightMargin(p.rightIndent / TwipsPerPixel);
    return format;
}

QTextListFormat Formats::listFormat(const ParaState &p)
{
    QTextListFormat format;
    if (p.list == ParaState::NoList)
        return format;
    if (p.list == ParaState::Bullet) {
        format.setStyle(QTextListFormat::ListDisc);
    } else {
        static constexpr QTextListFormat::Style styles[] = {
            QTextListFormat::ListDecimal, QTextListFormat::ListUpperAlpha,
            QTextListFormat::ListLowerAlpha, QTextListFormat::ListUpperRoman,
            QTextListFormat::ListLowerRoman};
        format.setStyle(styles[p.numberStyle]);
    }
    // The writer puts level n at \li n*720; files from elsewhere may give only \ilvl.
    const int level = p.leftIndent > 0 ? (p.leftIndent + 360) / 720 : p.listLevel + 1;
    format.setIndent(qBound(1, level, 9));
    return format;
}

} // namespace rtf
