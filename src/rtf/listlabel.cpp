#include "rtf/listlabel.h"

#include "rtf/formatproperties.h"

#include <QTextBlock>
#include <QTextList>

namespace rtf {

namespace {

QString letters(int n)
{
    QString text;
    for (; n > 0; n = (n - 1) / 26)
        text.prepend(QChar(u'a' + (n - 1) % 26));
    return text;
}

QString roman(int n)
{
    static constexpr struct {
        int value;
        const char16_t *digits;
    } steps[] = {{1000, u"m"}, {900, u"cm"}, {500, u"d"}, {400, u"cd"}, {100, u"c"},
                 {90, u"xc"},  {50, u"l"},   {40, u"xl"}, {10, u"x"},   {9, u"ix"},
                 {5, u"v"},    {4, u"iv"},   {1, u"i"}};
    QString text;
    for (const auto &step : steps) {
        for (; n >= step.value; n -= step.value)
            text.append(QStringView(step.digits));
    }
    return text;
}

} // namespace

int listStart(const QTextListFormat &format)
{
    return format.hasProperty(ListStartProperty) ? format.intProperty(ListStartProperty) : 1;
}

bool isBullet(QTextListFormat::Style style)
{
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
        || style == QTextListFormat::ListSquare;
}

QString numberText(QTextListFormat::Style style, int number)
{
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
        return number > 0 ? letters(number) : QString::number(number);
    case QTextListFormat::ListUpperAlpha:
        return number > 0 ? letters(number).toUpper() : QString::number(number);
    case QTextListFormat::ListLowerRoman:
        return number > 0 && number < 4000 ? roman(number) : QString::number(number);
    case QTextListFormat::ListUpperRoman:
        return number > 0 && number < 4000 ? roman(number).toUpper() : QString::number(number);
    default:
        return QString::number(number);
    }
}

QString numberSuffix(const QTextListFormat &format)
{
    return format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix()
                                                             : QStringLiteral(".");
}

QString listLabel(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list || isBullet(list->format().style()))
        return {};
    const QTextListFormat format = list->format();
    const int number = listStart(format) + list->itemNumber(block);
    return format.numberPrefix() + numberText(format.style(), number) + numberSuffix(format);
}

} // namespace rtf
