#include "webimport/jsonldrecipe.h"

#include "webimport/text.h"

#include <QJsonArray>
#include <QJsonObject>

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

// A string of instructions: one step per line, or the whole text when it has no line breaks.
void addStepsFromString(const QString &raw, const QString &section, QList<Step> *steps)
{
    QString text = raw;
    // Paragraph and line-break tags separate steps as line breaks do.
    for (const char *tag : {"</p>", "<br>", "<br/>", "<br />", "</li>"})
        text.replace(QLatin1String(tag), QStringLiteral("\n"), Qt::CaseInsensitive);
    const QStringList lines = text.split(u'\n');
    QString pending = section;
    for (const QString &line : lines) {
        const QString step = plainText(line);
        if (step.isEmpty())
            continue;
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
    const QJsonValue items = o.value(QStringLiteral("itemListElement"));
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

} // namespace

QStringList textLines(const QJsonValue &value)
{
    QStringList lines;
    if (value.isString()) {
        for (const QString &line : value.toString().split(u'\n')) {
            const QString text = plainText(line);
            if (!text.isEmpty())
                lines << text;
        }
        return lines;
    }
    const QJsonArray list = value.toArray();
    for (const QJsonValue &v : list) {
        const QString text = textOf(v);
        if (!text.isEmpty())
            lines << text;
    }
    return lines;
}

std::optional<Recipe> recipeFromJsonLd(const QJsonValue &value)
{
    return find(value, 0);
}

} // namespace webimport
