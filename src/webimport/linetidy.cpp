#include "webimport/linetidy.h"

#include <QRegularExpression>

namespace webimport {

namespace {

bool isDecoration(QChar c)
{
    switch (c.unicode()) {
    case 0x25A2: // ▢
    case 0x2610: // ☐
    case 0x2611: // ☑
    case 0x25A1: // □
    case 0x25A0: // ■
    case 0x2713: // ✓
    case 0x2714: // ✔
    case 0x2022: // •
    case 0x25E6: // ◦
    case 0x25AA: // ▪
    case 0x00B7: // ·
    case 0x2219: // ∙
        return true;
    default:
        return false;
    }
}

QString withoutGlyphs(const QString &line)
{
    qsizetype i = 0;
    // Also the comma or semicolon left before a line whose first words were a link left out.
    while (i < line.size() && (isDecoration(line.at(i)) || line.at(i).isSpace() || line.at(i) == u',' || line.at(i) == u';'))
        ++i;
    return i == 0 ? line : line.mid(i);
}

// The word pages write before a step's number.
#define STEP_WORD "(?:step|trin|schritt|stap|étape|paso|passo|krok)"

// "3. Bag", "3) Bag", "3: Bag", "Step 3: Bag", "Trin 3 Bag": the number n the page wrote.
qsizetype numberEnd(const QString &text, int n)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(?:" STEP_WORD "\\s*)?(\\d{1,3})(?:\\s*[.):](?!\\d)\\s*|\\s+(?=\\D))"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch() || m.captured(1).toInt() != n)
        return -1;
    return m.capturedEnd(0);
}

bool looselyEqual(const QString &a, const QString &b)
{
    const auto loose = [](QString s) {
        while (!s.isEmpty() && (s.back().isPunct() || s.back().isSpace()))
            s.chop(1);
        return s.simplified();
    };
    return loose(a).compare(loose(b), Qt::CaseInsensitive) == 0;
}

// A step that holds a whole numbered method ("1. Pisk æggene. 2. Vend melet i."), split at
// its numbers 1, 2, 3…; a number that does not follow in turn is text.
QStringList splitAtNumbers(const QString &text)
{
    if (numberEnd(text, 1) < 0)
        return {text};
    QList<qsizetype> starts{0};
    for (int n = 2; n < kMaxLines; ++n) {
        const QRegularExpression marker(QStringLiteral("(?<=[\\s.!?);。])(?:" STEP_WORD "\\s*)?%1[.):](?!\\d)").arg(n),
                                        QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = marker.match(text, starts.last() + 1);
        if (!m.hasMatch())
            break;
        starts << m.capturedStart(0);
    }
    if (starts.size() < 2)
        return {text};
    QStringList parts;
    for (qsizetype i = 0; i < starts.size(); ++i) {
        const qsizetype end = i + 1 < starts.size() ? starts.at(i + 1) : text.size();
        parts << text.mid(starts.at(i), end - starts.at(i)).trimmed();
    }
    return parts;
}

// A list the page's markup holds several times over (a copy for print, for each tab), once.
template<typename List, typename Same>
void dropRepeats(List *list, Same same)
{
    const qsizetype n = list->size();
    for (qsizetype period = 1; period <= n / 2; ++period) {
        if (n % period != 0)
            continue;
        bool repeats = true;
        for (qsizetype i = period; i < n && repeats; ++i)
            repeats = same(list->at(i), list->at(i % period));
        if (repeats) {
            list->resize(period);
            return;
        }
    }
}

} // namespace

void tidyLines(Recipe *recipe)
{
    dropRepeats(&recipe->ingredients, [](const QString &a, const QString &b) { return a == b; });
    dropRepeats(&recipe->steps, [](const Step &a, const Step &b) { return a.text == b.text; });
    for (QString &line : recipe->ingredients)
        line = withoutGlyphs(line);
    recipe->ingredients.removeAll(QString());
    for (Step &step : recipe->steps)
        step.text = withoutGlyphs(step.text);
    // A step number standing as an element of its own ("Step 01") is no step.
    static const QRegularExpression bareNumber(QStringLiteral(
        "^(?:" STEP_WORD "\\s*)?\\d{1,3}[.):]?$"), QRegularExpression::CaseInsensitiveOption);
    for (qsizetype i = recipe->steps.size() - 1; i >= 0; --i) {
        if (!bareNumber.match(recipe->steps.at(i).text).hasMatch())
            continue;
        if (i + 1 < recipe->steps.size() && recipe->steps.at(i + 1).section.isEmpty())
            recipe->steps[i + 1].section = recipe->steps.at(i).section;
        recipe->steps.removeAt(i);
    }
    if (recipe->steps.size() > 1 && !recipe->name.isEmpty() && looselyEqual(recipe->steps.first().text, recipe->name)) {
        const QString section = recipe->steps.first().section;
        recipe->steps.removeFirst();
        if (recipe->steps.first().section.isEmpty())
            recipe->steps.first().section = section;
    }
    // A short line ending in a colon before more steps names a section ("Fyld:"), it is no step.
    for (qsizetype i = recipe->steps.size() - 2; i >= 0; --i) {
        const QString &text = recipe->steps.at(i).text;
        if (text.endsWith(u':') && text.size() <= 60 && recipe->steps.at(i + 1).section.isEmpty()) {
            recipe->steps[i + 1].section = text.chopped(1).trimmed();
            recipe->steps.removeAt(i);
        }
    }
    if (recipe->steps.size() == 1) {
        const QStringList parts = splitAtNumbers(recipe->steps.first().text);
        if (parts.size() > 1) {
            const QString section = recipe->steps.first().section;
            recipe->steps.clear();
            for (const QString &part : parts)
                recipe->steps.append({recipe->steps.isEmpty() ? section : QString(), part});
        }
    }
    // Only a list numbered 1, 2, 3… throughout: "2 eggs" or "350 degrees" opening one step is
    // no number the page wrote.
    if (recipe->steps.size() < 2)
        return;
    QList<qsizetype> ends;
    for (qsizetype i = 0; i < recipe->steps.size(); ++i) {
        const qsizetype end = numberEnd(recipe->steps.at(i).text, int(i + 1));
        if (end < 0)
            return;
        ends << end;
    }
    for (qsizetype i = 0; i < recipe->steps.size(); ++i)
        recipe->steps[i].text = recipe->steps.at(i).text.mid(ends.at(i));
    recipe->steps.removeIf([](const Step &step) { return step.text.isEmpty(); });
}

} // namespace webimport
