#include "ingredients/ingredientline.h"

#include "ingredients/numbers.h"
#include "ingredients/reading.h"

#include <QRegularExpression>

#include <cmath>

namespace ingredients {

namespace {

// The American measure in millilitres or grams.
constexpr double kCupMl = 236.588;
constexpr double kPintMl = 473.176;
constexpr double kQuartMl = 946.353;
constexpr double kGallonMl = 3785.41;
constexpr double kFluidOunceMl = 29.57;
constexpr double kOunceG = 28.35;
constexpr double kPoundG = 453.6;
constexpr double kStickOfButterG = 113;

struct Converted {
    QString low, high, unit;
};

// A volume in ml as written in a Danish recipe: dl to one decimal from 1 dl up (within 5 %),
// below that ml to the nearest 5 ml, l from 10 dl up. The amount stays a volume.
Converted volume(double lowMl, double highMl)
{
    if (highMl < 100) {
        const auto ml = [](double v) { return decimalComma(std::max(5.0, std::round(v / 5) * 5), 0); };
        return {ml(lowMl), ml(highMl), QStringLiteral("ml")};
    }
    if (highMl >= 1000) {
        const auto l = [](double v) { return decimalComma(std::round(v / 50) * 0.05, 2); };
        return {l(lowMl), l(highMl), QStringLiteral("l")};
    }
    const auto dl = [](double v) { return decimalComma(std::round(v) / 100, 1); };
    return {dl(lowMl), dl(highMl), QStringLiteral("dl")};
}

Converted weight(double lowG, double highG)
{
    if (highG >= 1000)
        return {formatQuantity(lowG / 1000, QStringLiteral("kg")), formatQuantity(highG / 1000, QStringLiteral("kg")),
                QStringLiteral("kg")};
    return {formatQuantity(lowG, QStringLiteral("g")), formatQuantity(highG, QStringLiteral("g")), QStringLiteral("g")};
}

bool mentionsButter(QStringView line)
{
    return line.contains(u"butter", Qt::CaseInsensitive) || line.contains(u"smør", Qt::CaseInsensitive);
}

std::optional<Converted> converted(const Reading &r, bool butter)
{
    const QString &unit = r.line.unit;
    // "2 x 14 oz": the size of one pack is converted.
    const double packs = r.packs.isSet() ? r.packCount : 1;
    const double low = r.line.quantity->low / packs, high = r.line.quantity->high / packs;
    const auto same = [&](const char16_t *danish) { return Converted{{}, {}, QString::fromUtf16(danish)}; };
    if (unit == u"tbsp")
        return same(u"spsk");
    if (unit == u"tsp")
        return same(u"tsk");
    if (unit == u"cup")
        return volume(low * kCupMl, high * kCupMl);
    if (unit == u"pint")
        return volume(low * kPintMl, high * kPintMl);
    if (unit == u"quart")
        return volume(low * kQuartMl, high * kQuartMl);
    if (unit == u"gallon")
        return volume(low * kGallonMl, high * kGallonMl);
    if (unit == u"fl oz") {
        const auto ml = [](double v) { return formatQuantity(v, QStringLiteral("ml")); };
        return Converted{ml(low * kFluidOunceMl), ml(high * kFluidOunceMl), QStringLiteral("ml")};
    }
    if (unit == u"oz")
        return weight(low * kOunceG, high * kOunceG);
    if (unit == u"lb")
        return weight(low * kPoundG, high * kPoundG);
    if (unit == u"stick" && butter)
        return weight(low * kStickOfButterG, high * kStickOfButterG);
    return std::nullopt;
}

QString convertRead(const QString &line, const Reading &r, bool butter);

// "1 (14 oz) can tomatoes", "½ cup (1 stick) butter": the amounts in parentheses as well.
QString convertParentheses(const QString &text, bool butter)
{
    QString out;
    qsizetype from = 0;
    while (true) {
        const qsizetype open = text.indexOf(u'(', from);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u')', open);
        if (close < 0)
            break;
        const QString inner = text.mid(open + 1, close - open - 1);
        const Reading read = readDetailed(inner);
        out += QStringView(text).mid(from, open + 1 - from);
        out += read.line.name.isEmpty() && read.line.comment.isEmpty() ? convertRead(inner, read, butter) : inner;
        out += u')';
        from = close + 1;
    }
    if (from == 0)
        return text;
    out += QStringView(text).mid(from);
    return out;
}

// Every piece of the line outside the amount stays as written.
QString convertRead(const QString &line, const Reading &r, bool butter)
{
    if (!r.line.quantity)
        return convertParentheses(line, butter);
    if (!r.unit.isSet()) {
        // "2 (6 oz) salmon fillets": only what follows the amount; what stands before it stays.
        const qsizetype end = r.line.amountStart + r.line.amountLength;
        return line.left(end) + convertParentheses(line.mid(end), butter);
    }
    const auto c = converted(r, butter);
    const QStringView v(line);
    const qsizetype numbersEnd = r.high.isSet() ? r.high.end : r.low.end;
    QString out = v.left(r.low.start).toString();
    if (c && !c->low.isEmpty()) {
        out += c->low;
        if (r.high.isSet()) {
            out += v.mid(r.low.end, r.high.start - r.low.end);
            out += c->high;
        }
    } else {
        out += v.mid(r.low.start, numbersEnd - r.low.start);
    }
    out += convertParentheses(v.mid(numbersEnd, r.unit.start - numbersEnd).toString(), butter);
    out += c ? c->unit : v.mid(r.unit.start, r.unit.end - r.unit.start).toString();
    out += convertParentheses(v.mid(r.unit.end).toString(), butter);
    return out;
}

} // namespace

QString danishMeasuresLine(const QString &line)
{
    return convertRead(line, readDetailed(line), mentionsButter(line));
}

QString danishTemperatures(const QString &text)
{
    static const QRegularExpression fahrenheit(QStringLiteral(
        "(?<![\\w.,])(\\d{2,3})(?:\\s*[-–]\\s*(\\d{2,3}))?\\s*(?:[°º˚]\\s*F\\b|F\\b|degrees\\s+F(?:ahrenheit)?\\b|Fahrenheit\\b)"),
        QRegularExpression::UseUnicodePropertiesOption);
    const auto celsius = [](const QString &f) {
        const double c = (f.toDouble() - 32) * 5 / 9;
        return QString::number(std::lround(c / 5) * 5);
    };
    QString out;
    qsizetype last = 0;
    auto it = fahrenheit.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(last, m.capturedStart() - last);
        out += celsius(m.captured(1));
        if (m.capturedLength(2) > 0)
            out += u'-' + celsius(m.captured(2));
        out += QStringLiteral(" °C");
        last = m.capturedEnd();
    }
    if (last == 0)
        return text;
    out += QStringView(text).mid(last);
    return out;
}

bool usesAmericanMeasures(const QStringList &lines)
{
    for (const QString &line : lines) {
        const QString unit = readLine(line).unit;
        if (unit == u"cup" || unit == u"oz" || unit == u"lb" || unit == u"fl oz" || unit == u"pint" || unit == u"quart")
            return true;
    }
    return false;
}

} // namespace ingredients
