#include "webimport/jsonldrecipe.h"

#include "webimport/text.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

namespace webimport {

namespace {

// Deeper than any page nests its data; keeps a hostile block from exhausting the stack.
constexpr int kMaxDepth = 32;

bool hasType(const QJsonObject &object, const QString &type)
{
    const QJsonValue t = object.value(QStringLiteral("@type"));
    const auto matches = [&type](const QString &name) {
        return name.compare(type, Qt::CaseInsensitive) == 0
            || name.endsWith(u'/' + type, Qt::CaseInsensitive) || name.endsWith(u':' + type, Qt::CaseInsensitive);
    };
    if (t.isString())
        return matches(t.toString());
    const QJsonArray list = t.toArray();
    for (const QJsonValue &v : list) {
        if (matches(v.toString()))
            return true;
    }
    return false;
}

QString textOf(const QJsonValue &value)
{
    if (value.isString())
        return plainText(value.toString());
    if (value.isDouble())
        return QString::number(value.toDouble());
    if (value.isArray()) {
        const QJsonArray list = value.toArray();
        for (const QJsonValue &v : list) {
            const QString text = textOf(v);
            if (!text.isEmpty())
                return text;
        }
        return {};
    }
    if (value.isObject()) {
        const QJsonObject o = value.toObject();
        for (const char *key : {"text", "name", "@value", "url", "contentUrl", "@id"}) {
            const QJsonValue v = o.value(QLatin1String(key));
            if (v.isString() && !v.toString().trimmed().isEmpty())
                return plainText(v.toString());
        }
    }
    return {};
}

QString imageOf(const QJsonValue &value)
{
    if (value.isString())
        return value.toString().trimmed();
    if (value.isArray()) {
        const QJsonArray list = value.toArray();
        for (const QJsonValue &v : list) {
            const QString url = imageOf(v);
            if (!url.isEmpty())
                return url;
        }
        return {};
    }
    const QJsonObject o = value.toObject();
    for (const char *key : {"url", "contentUrl", "@id"}) {
        const QString url = o.value(QLatin1String(key)).toString().trimmed();
        if (!url.isEmpty())
            return url;
    }
    return {};
}

// The lines of a string from a page: its line breaks, and the paragraph, line-break and list
// item tags of markup inside it, separate them.
QStringList linesOfString(const QString &raw)
{
    QString text = raw;
    for (const char *tag : {"</p>", "<br>", "<br/>", "<br />", "</li>", "</div>", "<li>"})
        text.replace(QLatin1String(tag), QStringLiteral("\n"), Qt::CaseInsensitive);
    QStringList lines;
    for (const QString &line : text.split(u'\n')) {
        const QString plain = plainText(line);
        if (!plain.isEmpty())
            lines << plain;
    }
    return lines;
}

// A string of instructions: one step per line, or the whole text when it has no line breaks.
void addStepsFromString(const QString &raw, const QString &section, QList<Step> *steps)
{
    QString pending = section;
    for (const QString &step : linesOfString(raw)) {
        steps->append({pending, step});
        pending.clear();
    }
}

void addSteps(const QJsonValue &value, const QString &section, QList<Step> *steps, int depth)
{
    if (depth > kMaxDepth)
        return;
    if (value.isString()) {
        addStepsFromString(value.toString(), section, steps);
        return;
    }
    if (value.isArray()) {
        const QJsonArray list = value.toArray();
        QString pending = section;
        for (const QJsonValue &v : list) {
            const qsizetype before = steps->size();
            addSteps(v, pending, steps, depth + 1);
            if (steps->size() > before)
                pending.clear();
        }
        return;
    }
    const QJsonObject o = value.toObject();
    if (o.isEmpty())
        return;
    QJsonValue items = o.value(QStringLiteral("itemListElement"));
    if (items.isUndefined() && hasType(o, QStringLiteral("HowToSection")))
        items = o.value(QStringLiteral("steps"));
    if (hasType(o, QStringLiteral("HowToSection")) || (!items.isUndefined() && !o.contains(QStringLiteral("text")))) {
        const QString name = textOf(o.value(QStringLiteral("name")));
        addSteps(items, name.isEmpty() ? section : name, steps, depth + 1);
        return;
    }
    QString text = textOf(o.value(QStringLiteral("text")));
    if (text.isEmpty())
        text = textOf(o.value(QStringLiteral("description")));
    if (text.isEmpty())
        text = textOf(o.value(QStringLiteral("name")));
    if (!text.isEmpty())
        steps->append({section, text});
}

QString yieldOf(const QJsonValue &value)
{
    // {"value": 10, "unitText": "stk."}: the unit belongs to the number.
    if (value.isObject() && value.toObject().contains(QStringLiteral("value"))) {
        const QJsonObject o = value.toObject();
        return squeezed(textOf(o.value(QStringLiteral("value"))) + u' ' + textOf(o.value(QStringLiteral("unitText"))));
    }
    if (value.isArray()) {
        // Sites often give "4" and "4 portioner": the longer says more.
        QString best;
        const QJsonArray list = value.toArray();
        for (const QJsonValue &v : list) {
            const QString text = textOf(v);
            if (text.size() > best.size())
                best = text;
        }
        return best;
    }
    return textOf(value);
}

Recipe toRecipe(const QJsonObject &o)
{
    Recipe r;
    r.name = textOf(o.value(QStringLiteral("name")));
    if (r.name.isEmpty())
        r.name = textOf(o.value(QStringLiteral("headline")));
    r.description = textOf(o.value(QStringLiteral("description")));
    QJsonValue ingredients = o.value(QStringLiteral("recipeIngredient"));
    if (ingredients.isUndefined() || ingredients.isNull())
        ingredients = o.value(QStringLiteral("ingredients"));
    r.ingredients = textLines(ingredients);
    addSteps(o.value(QStringLiteral("recipeInstructions")), {}, &r.steps, 0);
    r.yield = yieldOf(o.value(QStringLiteral("recipeYield")));
    if (r.yield.isEmpty())
        r.yield = yieldOf(o.value(QStringLiteral("yield")));
    const QString total = textOf(o.value(QStringLiteral("totalTime")));
    if (!total.isEmpty()) {
        r.totalTime = danishDuration(total);
    } else {
        // Without a total, preparation and cooking add up to it.
        const int minutes = minutesOf(textOf(o.value(QStringLiteral("prepTime"))))
            + minutesOf(textOf(o.value(QStringLiteral("cookTime"))));
        if (minutes > 0)
            r.totalTime = danishDuration(QStringLiteral("PT%1M").arg(minutes));
    }
    r.image = imageOf(o.value(QStringLiteral("image")));
    if (r.image.isEmpty())
        r.image = imageOf(o.value(QStringLiteral("thumbnailUrl")));
    return r;
}

std::optional<Recipe> find(const QJsonValue &value, int depth)
{
    if (depth > kMaxDepth)
        return std::nullopt;
    if (value.isArray()) {
        const QJsonArray list = value.toArray();
        for (const QJsonValue &v : list) {
            if (auto r = find(v, depth + 1))
                return r;
        }
        return std::nullopt;
    }
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    if (hasType(o, QStringLiteral("Recipe")))
        return toRecipe(o);
    for (const char *key : {"@graph", "mainEntity", "mainEntityOfPage", "itemListElement", "item", "about",
                            "hasPart"}) {
        const QJsonValue inner = o.value(QLatin1String(key));
        if (inner.isObject() || inner.isArray()) {
            if (auto r = find(inner, depth + 1))
                return r;
        }
    }
    return std::nullopt;
}

// Objects of the document that carry an @id and more, by their @id.
void collectIds(const QJsonValue &value, QHash<QString, QJsonObject> *ids, int depth)
{
    if (depth > kMaxDepth)
        return;
    if (value.isArray()) {
        const QJsonArray list = value.toArray();
        for (const QJsonValue &v : list)
            collectIds(v, ids, depth + 1);
        return;
    }
    const QJsonObject o = value.toObject();
    const QString id = o.value(QStringLiteral("@id")).toString();
    if (!id.isEmpty() && o.size() > 1 && !ids->contains(id))
        ids->insert(id, o);
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (it->isObject() || it->isArray())
            collectIds(*it, ids, depth + 1);
    }
}

// The value with every bare {"@id": ...} replaced by the object it names, itself resolved. A
// reference to an object being resolved stays as it is (a cycle), and so does every reference
// past a budget (a hostile document could otherwise multiply itself).
struct References {
    QHash<QString, QJsonObject> ids;
    QSet<QString> open;
    int budget = 2000;
};

QJsonValue resolved(const QJsonValue &value, References *refs, int depth)
{
    if (depth > kMaxDepth)
        return value;
    if (value.isArray()) {
        QJsonArray list = value.toArray();
        for (qsizetype i = 0; i < list.size(); ++i)
            list[i] = resolved(list.at(i), refs, depth + 1);
        return list;
    }
    if (!value.isObject())
        return value;
    QJsonObject o = value.toObject();
    if (o.size() == 1 && o.contains(QStringLiteral("@id"))) {
        const QString id = o.value(QStringLiteral("@id")).toString();
        const auto it = refs->ids.constFind(id);
        if (it == refs->ids.cend() || refs->open.contains(id) || refs->budget <= 0)
            return value;
        --refs->budget;
        refs->open.insert(id);
        const QJsonValue target = resolved(*it, refs, depth + 1);
        refs->open.remove(id);
        return target;
    }
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (it->isObject() || it->isArray())
            *it = resolved(*it, refs, depth + 1);
    }
    return o;
}

} // namespace

QStringList textLines(const QJsonValue &value)
{
    QStringList lines;
    if (value.isString())
        return linesOfString(value.toString());
    const QJsonArray list = value.toArray();
    for (const QJsonValue &v : list) {
        const QString text = textOf(v);
        if (!text.isEmpty())
            lines << text;
    }
    return lines;
}

QList<Step> stepsOf(const QJsonValue &value)
{
    QList<Step> steps;
    addSteps(value, {}, &steps, 0);
    return steps;
}

std::optional<Recipe> recipeFromJsonLd(const QJsonValue &value)
{
    References refs;
    collectIds(value, &refs.ids, 0);
    return find(refs.ids.isEmpty() ? value : resolved(value, &refs, 0), 0);
}

} // namespace webimport
