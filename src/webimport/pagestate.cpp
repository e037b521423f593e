#include "webimport/pagestate.h"

#include "webimport/jsonldrecipe.h"
#include "webimport/jsonmend.h"
#include "webimport/text.h"

#include <QJsonArray>
#include <QJsonObject>

namespace webimport {

namespace {

// State trees nest deeper than JSON-LD, but not beyond this.
constexpr int kMaxDepth = 40;
// A state larger than this is no page's; it is passed over.
constexpr qsizetype kMaxState = 8 * 1024 * 1024;

bool keyHas(const QString &key, std::initializer_list<const char *> words)
{
    for (const char *w : words) {
        if (key.contains(QLatin1String(w), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool isFilled(const QJsonValue &v)
{
    return (v.isArray() && !v.toArray().isEmpty()) || (v.isString() && !v.toString().trimmed().isEmpty());
}

QString stringOf(const QJsonValue &v)
{
    if (v.isString())
        return plainText(v.toString());
    if (v.isDouble()) {
        // Amounts as the page's numbers: 0.5 stays 0.5, 2.0 is 2.
        return QString::number(v.toDouble(), 'g', 6);
    }
    return {};
}

// A word that may be given as {singular, plural} or {name}: the form that fits the amount.
QString wordOf(const QJsonValue &v, bool plural)
{
    if (!v.isObject())
        return stringOf(v);
    const QJsonObject o = v.toObject();
    for (const char *key : {plural ? "plural" : "singular", plural ? "singular" : "plural", "name", "text", "title",
                            "label", "abbreviation"}) {
        const QString s = stringOf(o.value(QLatin1String(key)));
        if (!s.isEmpty())
            return s;
    }
    return {};
}

QString firstOf(const QJsonObject &o, std::initializer_list<const char *> keys, bool plural = false)
{
    for (const char *key : keys) {
        const QString s = wordOf(o.value(QLatin1String(key)), plural);
        if (!s.isEmpty())
            return s;
    }
    return {};
}

// One ingredient given in parts, as a line: "2 dl mælk, kold".
QString lineOfParts(const QJsonObject &o)
{
    const QString whole = firstOf(o, {"display", "displayText", "originalText", "original", "fullText", "raw", "line",
                                      "text"});
    if (!whole.isEmpty())
        return whole;
    const QString amount = firstOf(o, {"amount", "quantity", "qty", "amountText", "quantityText", "value"});
    const bool plural = !amount.isEmpty() && amount != QLatin1String("1");
    const QString unit = firstOf(o, {"unit", "unitName", "measure", "measurement"}, plural);
    const QString name = firstOf(o, {"ingredient", "name", "ingredientName", "title", "food", "product"}, plural);
    if (name.isEmpty())
        return {};
    QStringList parts;
    for (const QString &part : {firstOf(o, {"prefix", "preText"}), amount, unit, name})
        if (!part.isEmpty())
            parts << part;
    QString line = parts.join(u' ');
    const QString suffix = firstOf(o, {"suffix", "postText", "note", "notes", "comment", "preparation", "additionalInfo"});
    if (!suffix.isEmpty())
        line += (suffix.front().isLetterOrNumber() ? QStringLiteral(", ") : QStringLiteral(" ")) + suffix;
    return squeezed(line);
}

QString titleOf(const QJsonObject &o)
{
    return firstOf(o, {"title", "name", "heading", "groupName", "label"});
}

// The list inside a group object ({title, ingredients: [...]}), if it is one.
QJsonValue groupItems(const QJsonObject &o, std::initializer_list<const char *> words)
{
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (it->isArray() && !it->toArray().isEmpty() && (keyHas(it.key(), words) || keyHas(it.key(), {"items", "list", "lines"})))
            return *it;
    }
    return {};
}

void addIngredients(const QJsonValue &v, QStringList *lines, int depth)
{
    if (depth > kMaxDepth || lines->size() > kMaxLines)
        return;
    if (v.isString()) {
        *lines << textLines(v);
        return;
    }
    if (v.isArray()) {
        const QJsonArray list = v.toArray();
        for (const QJsonValue &item : list)
            addIngredients(item, lines, depth + 1);
        return;
    }
    if (!v.isObject())
        return;
    const QJsonObject o = v.toObject();
    const QJsonValue items = groupItems(o, {"ingredient"});
    if (!items.isNull()) {
        const QString title = titleOf(o);
        if (!title.isEmpty())
            *lines << title;
        addIngredients(items, lines, depth + 1);
        return;
    }
    const QString line = lineOfParts(o);
    if (!line.isEmpty())
        *lines << line;
}

void addSteps(const QJsonValue &v, const QString &section, QList<Step> *steps, int depth)
{
    if (depth > kMaxDepth || steps->size() > kMaxLines)
        return;
    if (v.isString()) {
        QString pending = section;
        for (const QString &line : textLines(v)) {
            steps->append({pending, line});
            pending.clear();
        }
        return;
    }
    if (v.isArray()) {
        const QJsonArray list = v.toArray();
        QString pending = section;
        for (const QJsonValue &item : list) {
            const qsizetype before = steps->size();
            addSteps(item, pending, steps, depth + 1);
            if (steps->size() > before)
                pending.clear();
        }
        return;
    }
    if (!v.isObject())
        return;
    const QJsonObject o = v.toObject();
    const QJsonValue items = groupItems(o, {"step", "instruction", "direction"});
    if (!items.isNull()) {
        const QString title = titleOf(o);
        addSteps(items, title.isEmpty() ? section : title, steps, depth + 1);
        return;
    }
    const QString text = firstOf(o, {"text", "description", "content", "body", "instruction", "html", "value", "name"});
    if (!text.isEmpty())
        steps->append({section, text});
}

struct Candidate {
    QJsonObject object;
    QJsonValue ingredients;
    QJsonValue steps;
};

// The object of the tree that looks most like a recipe: a name with ingredients and steps, the
// one with the most ingredients when there are several (a teaser of another recipe has none).
void findRecipe(const QJsonValue &v, Candidate *best, qsizetype *bestSize, int depth)
{
    if (depth > kMaxDepth)
        return;
    if (v.isArray()) {
        const QJsonArray list = v.toArray();
        for (const QJsonValue &item : list)
            findRecipe(item, best, bestSize, depth + 1);
        return;
    }
    if (!v.isObject())
        return;
    const QJsonObject o = v.toObject();
    Candidate c{o, {}, {}};
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (!isFilled(*it))
            continue;
        if (c.ingredients.isNull() && keyHas(it.key(), {"ingredient"}))
            c.ingredients = *it;
        else if (c.steps.isNull() && keyHas(it.key(), {"instruction", "step", "method", "direction", "preparation"}))
            c.steps = *it;
    }
    if (!c.ingredients.isNull() && !c.steps.isNull() && !titleOf(o).isEmpty()) {
        const qsizetype size = c.ingredients.isArray() ? c.ingredients.toArray().size() : 1;
        if (size > *bestSize) {
            *best = c;
            *bestSize = size;
        }
    }
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (it->isObject() || it->isArray())
            findRecipe(*it, best, bestSize, depth + 1);
    }
}

// The JSON of a script: all of it, or the value assigned in it ("window.__STATE__ = {...};").
QJsonValue jsonOf(const QByteArray &state)
{
    if (state.size() > kMaxState)
        return {};
    const QByteArray trimmed = state.trimmed();
    bool ok = false;
    if (trimmed.startsWith('{') || trimmed.startsWith('[')) {
        const QJsonValue value = parseJsonLd(trimmed, &ok);
        if (ok)
            return value;
    }
    const qsizetype from = trimmed.indexOf('{');
    const qsizetype to = trimmed.lastIndexOf('}');
    if (from < 0 || to <= from)
        return {};
    const QJsonValue value = parseJsonLd(trimmed.sliced(from, to - from + 1), &ok);
    return ok ? value : QJsonValue();
}

} // namespace

std::optional<Recipe> recipeFromState(const QList<QByteArray> &states)
{
    Candidate best;
    qsizetype bestSize = 0;
    for (const QByteArray &state : states)
        findRecipe(jsonOf(state), &best, &bestSize, 0);
    if (bestSize == 0)
        return std::nullopt;
    Recipe r;
    r.name = titleOf(best.object);
    r.description = firstOf(best.object, {"description", "summary", "intro", "teaser"});
    addIngredients(best.ingredients, &r.ingredients, 0);
    addSteps(best.steps, {}, &r.steps, 0);
    r.yield = firstOf(best.object, {"recipeYield", "yield", "servings", "serves", "portions", "servingSize"});
    if (r.ingredients.isEmpty() || r.steps.isEmpty())
        return std::nullopt;
    return r;
}

} // namespace webimport
