#include "webimport/htmlrecipe.h"

#include "webimport/gumbotree.h"
#include "webimport/headedlists.h"
#include "webimport/pagestate.h"
#include "webimport/libgumbo.h"
#include "webimport/jsonldrecipe.h"
#include "webimport/jsonmend.h"
#include "webimport/pagetrim.h"
#include "webimport/text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstring>
#include <vector>

namespace webimport {

namespace {

// A JSON-LD block larger than this is no recipe; it is skipped.
constexpr qsizetype kMaxJsonBlock = 4 * 1024 * 1024;

// The class names of the ingredient and step elements of widespread blog recipe plugins; each
// element holds one whole line.
struct PluginMarkup {
    const char *ingredient;
    const char *step;
    const char *group;   // a section name among the steps
    const char *name;
    const char *secondary = nullptr; // the same amount in a second unit system, left out of the line
};

const PluginMarkup kPlugins[] = {
    {"wprm-recipe-ingredient", "wprm-recipe-instruction-text", "wprm-recipe-group-name", "wprm-recipe-name",
     "wprm-recipe-ingredient-unit-system-2"},
    {"tasty-recipes-ingredients-body", "tasty-recipes-instructions-body", nullptr, "tasty-recipes-title"},
    {"mv-create-ingredients", "mv-create-instructions", nullptr, "mv-create-title"},
    {"wpurp-recipe-ingredient", "wpurp-recipe-instruction-text", "wpurp-recipe-instruction-group-name",
     "wpurp-recipe-title"},
    {"cooked-single-ingredient", "cooked-dir-content", "cooked-heading", nullptr},
    {"ERSIngredients", "ERSInstructions", nullptr, "ERSName"},
    {"zlrecipe-ingredient", "zlrecipe-instruction", nullptr, "zlrecipe-title"},
    {"dr-ingredient", "dr-instruction", nullptr, "dr-recipe-title"},
    {"yumprint-recipe-ingredient", "yumprint-recipe-direction", nullptr, "yumprint-recipe-title"},
    {"jetpack-recipe-ingredient", "jetpack-recipe-directions", nullptr, "jetpack-recipe-title"},
    {"recipe-ingredient", "recipe-instruction", nullptr, nullptr},
    // The h-recipe microformat, new and old.
    {"p-ingredient", "e-instructions", nullptr, nullptr},
    {"ingredient", "instructions", nullptr, nullptr},
};

struct Page {
    QStringList jsonBlocks;
    const GumboNode *microdata = nullptr;
    QString ogTitle;
    QString ogImage;
    QString address; // rel="canonical", else og:url
    QString summary; // the page's own description of itself
    QString h1;
    QString title;
    QList<QByteArray> states; // application state that may hold the recipe
};

bool isRecipeType(const QString &itemtype)
{
    const QStringList types = itemtype.split(u' ', Qt::SkipEmptyParts);
    for (const QString &t : types) {
        if (t.endsWith(QLatin1String("/Recipe"), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// A data- attribute holding JSON that names ingredients (the state some frameworks render from).
void addStateAttributes(const GumboNode *e, QList<QByteArray> *states)
{
    const GumboVector &attributes = e->v.element.attributes;
    for (unsigned i = 0; i < attributes.length; ++i) {
        const auto *a = static_cast<const GumboAttribute *>(attributes.data[i]);
        if (std::strncmp(a->name, "data-", 5) == 0 && (a->value[0] == '{' || a->value[0] == '[')
            && std::strstr(a->value, "ngredi"))
            states->append(QByteArray(a->value));
    }
}

Page scan(const GumboNode *root)
{
    Page page;
    walkElements(root, [&page](const GumboNode *e) {
        const GumboTag tag = e->v.element.tag;
        if (tag == GUMBO_TAG_NOSCRIPT)
            return false;
        if (tag == GUMBO_TAG_SCRIPT) {
            if (attribute(e, "type").trimmed().compare(QLatin1String("application/ld+json"), Qt::CaseInsensitive) == 0
                && e->v.element.children.length > 0) {
                const auto *text = static_cast<const GumboNode *>(e->v.element.children.data[0]);
                if (text->type == GUMBO_NODE_TEXT || text->type == GUMBO_NODE_CDATA)
                    page.jsonBlocks << QString::fromUtf8(text->v.text.text);
            }
            return false;
        }
        if (tag == GUMBO_TAG_META) {
            // Some pages carry their JSON-LD in a meta element's content.
            if (attribute(e, "name").endsWith(QLatin1String("ld+json"), Qt::CaseInsensitive))
                page.jsonBlocks << attribute(e, "content");
            const QString property = attribute(e, "property");
            if ((property == QLatin1String("og:description") || attribute(e, "name") == QLatin1String("description"))
                && page.summary.isEmpty())
                page.summary = squeezed(attribute(e, "content"));
            if (property == QLatin1String("og:title") && page.ogTitle.isEmpty())
                page.ogTitle = squeezed(attribute(e, "content"));
            else if (property == QLatin1String("og:image") && page.ogImage.isEmpty())
                page.ogImage = attribute(e, "content").trimmed();
            else if (property == QLatin1String("og:url") && page.address.isEmpty())
                page.address = attribute(e, "content").trimmed();
            return false;
        }
        if (tag == GUMBO_TAG_LINK) {
            if (attribute(e, "rel").split(u' ').contains(QLatin1String("canonical"), Qt::CaseInsensitive))
                page.address = attribute(e, "href").trimmed();
            return false;
        }
        if (tag == GUMBO_TAG_TITLE && page.title.isEmpty())
            page.title = lineText(e);
        if (tag == GUMBO_TAG_H1 && page.h1.isEmpty())
            page.h1 = lineText(e);
        if (!page.microdata && isRecipeType(attribute(e, "itemtype")))
            page.microdata = e;
        addStateAttributes(e, &page.states);
        return true;
    });
    return page;
}

std::optional<Recipe> fromJsonLd(const QStringList &blocks)
{
    // A page may carry several recipes or a bare one before the real one: the first whole one
    // wins, else the first found.
    std::optional<Recipe> first;
    for (const QString &block : blocks) {
        if (block.size() > kMaxJsonBlock)
            continue;
        bool ok = false;
        const QJsonValue value = parseJsonLd(block.trimmed().toUtf8(), &ok);
        if (!ok)
            continue;
        std::optional<Recipe> recipe = recipeFromJsonLd(value);
        if (recipe && recipe->isWhole())
            return recipe;
        if (recipe && !first)
            first = recipe;
    }
    return first;
}

// The value of a microdata property element, as the microdata rules give it.
QString itemValue(const GumboNode *e)
{
    for (const char *attr : {"content", "datetime"}) {
        const QString v = attribute(e, attr);
        if (!v.isEmpty())
            return squeezed(v);
    }
    const GumboTag tag = e->v.element.tag;
    if (tag == GUMBO_TAG_IMG || tag == GUMBO_TAG_SOURCE)
        return attribute(e, "src").trimmed();
    if (tag == GUMBO_TAG_A || tag == GUMBO_TAG_LINK)
        return attribute(e, "href").trimmed();
    return lineText(e);
}

// A description's own text: an element marked as the description may hold the whole recipe
// card, whose other properties (ingredients, steps, durations) are no part of it.
QString descriptionValue(const GumboNode *e)
{
    const QString content = attribute(e, "content");
    if (!content.isEmpty())
        return squeezed(content);
    QString text;
    std::vector<const GumboNode *> stack{e};
    while (!stack.empty()) {
        const GumboNode *node = stack.back();
        stack.pop_back();
        if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE) {
            text += QString::fromUtf8(node->v.text.text);
            continue;
        }
        if (node->type != GUMBO_NODE_ELEMENT)
            continue;
        const GumboTag tag = node->v.element.tag;
        if (node != e && (tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE || !attribute(node, "itemprop").isEmpty()
                          || gumbo()->gumbo_get_attribute(&node->v.element.attributes, "itemscope")))
            continue;
        text += u' ';
        const GumboVector &children = node->v.element.children;
        for (unsigned i = children.length; i > 0; --i)
            stack.push_back(static_cast<const GumboNode *>(children.data[i - 1]));
    }
    text = squeezed(text);
    return text.size() > kMaxLineLength ? text.left(kMaxLineLength) : text;
}

// Step elements inside an instructions element: its list items or paragraphs, else its text.
void addMicrodataSteps(const GumboNode *e, QList<Step> *steps)
{
    // A meta element may carry the steps as JSON-LD in its content.
    const QByteArray content = attribute(e, "content").trimmed().toUtf8();
    if (content.startsWith('[') || content.startsWith('{')) {
        bool ok = false;
        const QJsonValue value = parseJsonLd(content, &ok);
        if (ok) {
            *steps += stepsOf(value);
            return;
        }
    }
    QList<Step> found;
    walkElements(e, [&found, e](const GumboNode *inner) {
        if (inner == e)
            return true;
        if (!attribute(inner, "itemprop").isEmpty() && attribute(inner, "itemprop") != QLatin1String("text")
            && attribute(inner, "itemprop") != QLatin1String("itemListElement"))
            return true;
        const GumboTag tag = inner->v.element.tag;
        if (tag == GUMBO_TAG_LI || tag == GUMBO_TAG_P) {
            const QString text = lineText(inner);
            if (!text.isEmpty())
                found.append({{}, text});
            return false;
        }
        return true;
    });
    if (found.isEmpty()) {
        const QString text = lineText(e);
        if (!text.isEmpty())
            found.append({{}, text});
    }
    *steps += found;
}

Recipe fromMicrodata(const GumboNode *scope)
{
    Recipe r;
    QString prep;
    QString cook;
    walkElements(scope, [&](const GumboNode *e) {
        const QStringList props = attribute(e, "itemprop").split(u' ', Qt::SkipEmptyParts);
        for (const QString &prop : props) {
            if (prop == QLatin1String("name") && r.name.isEmpty())
                r.name = itemValue(e);
            else if (prop == QLatin1String("description") && r.description.isEmpty())
                r.description = descriptionValue(e);
            else if (prop == QLatin1String("recipeIngredient") || prop == QLatin1String("ingredients")) {
                const QString line = itemValue(e);
                if (!line.isEmpty())
                    r.ingredients << line;
                return false;
            } else if (prop == QLatin1String("recipeInstructions")) {
                addMicrodataSteps(e, &r.steps);
                return false;
            } else if (prop == QLatin1String("recipeYield") && r.yield.isEmpty())
                r.yield = itemValue(e);
            else if (prop == QLatin1String("totalTime") && r.totalTime.isEmpty())
                r.totalTime = danishDuration(itemValue(e));
            else if (prop == QLatin1String("prepTime"))
                prep = itemValue(e);
            else if (prop == QLatin1String("cookTime"))
                cook = itemValue(e);
            else if (prop == QLatin1String("image") && r.image.isEmpty())
                r.image = itemValue(e);
        }
        // A nested item (the author, a rating) keeps its own name.
        return e == scope || !gumbo()->gumbo_get_attribute(&e->v.element.attributes, "itemscope");
    });
    if (r.totalTime.isEmpty()) {
        const int minutes = minutesOf(prep) + minutesOf(cook);
        if (minutes > 0)
            r.totalTime = danishDuration(QStringLiteral("PT%1M").arg(minutes));
    }
    return r;
}

// Plugin elements: the ingredient element may be the line itself or a list of lines.
QStringList linesOf(const GumboNode *e, const char *leaveOut = nullptr)
{
    QStringList lines;
    walkElements(e, [&lines, e, leaveOut](const GumboNode *inner) {
        if (inner != e && inner->v.element.tag == GUMBO_TAG_LI) {
            const QString text = lineText(inner, leaveOut);
            if (!text.isEmpty())
                lines << text;
            return false;
        }
        return true;
    });
    if (lines.isEmpty()) {
        const QString text = lineText(e, leaveOut);
        if (!text.isEmpty())
            lines << text;
    }
    return lines;
}

std::optional<Recipe> fromPlugins(const GumboNode *root)
{
    for (const PluginMarkup &plugin : kPlugins) {
        Recipe r;
        QString pendingSection;
        walkElements(root, [&](const GumboNode *e) {
            // A copy for browsers without scripts would count every line twice.
            if (e->v.element.tag == GUMBO_TAG_NOSCRIPT)
                return false;
            if (hasClass(e, plugin.ingredient)) {
                r.ingredients << linesOf(e, plugin.secondary);
                pendingSection.clear();
                return false;
            }
            if (hasClass(e, plugin.step)) {
                const QStringList lines = linesOf(e);
                for (const QString &line : lines) {
                    r.steps.append({pendingSection, line});
                    pendingSection.clear();
                }
                return false;
            }
            if (hasClass(e, plugin.group)) {
                // A group name among the ingredients is no step section.
                pendingSection = lineText(e);
                return false;
            }
            if (r.name.isEmpty() && hasClass(e, plugin.name)) {
                r.name = lineText(e);
                return false;
            }
            return true;
        });
        if (!r.ingredients.isEmpty() || !r.steps.isEmpty())
            return r;
    }
    return std::nullopt;
}

int digits(const QStringList &lines)
{
    int n = 0;
    for (const QString &line : lines) {
        for (const QChar c : line) {
            if (c.isDigit() || c.category() == QChar::Number_Other)
                ++n;
        }
    }
    return n;
}

// The plugin's lines win where the schema.org data has none or fewer quantities; never where the
// plugin's markup was repeated.
bool pluginLinesSayMore(const QStringList &plugin, const QStringList &schema)
{
    if (schema.isEmpty())
        return true;
    return plugin.size() >= schema.size() && plugin.size() <= schema.size() + schema.size() / 4 + 1
        && digits(plugin) > digits(schema);
}

// A schema.org line cut short where the page's markup had an inline element ("4 medium-sized
// tart" of "4 medium-sized tart firm apples"): the plugin's whole line instead.
void mendCutLines(const QStringList &plugin, QStringList *schema)
{
    if (plugin.size() != schema->size())
        return;
    for (qsizetype i = 0; i < plugin.size(); ++i) {
        const QString &cut = schema->at(i);
        const QString &whole = plugin.at(i);
        if (whole.size() > cut.size() && whole.startsWith(cut, Qt::CaseInsensitive) && !whole.at(cut.size()).isLetterOrNumber())
            (*schema)[i] = whole;
    }
}

} // namespace

std::optional<Recipe> recipeFromHtml(const QString &html)
{
    QList<QByteArray> states;
    const GumboDocument doc(withoutScriptText(html.toUtf8(), &states));
    Page page = scan(doc.root());
    page.states += states;
    std::optional<Recipe> recipe = fromJsonLd(page.jsonBlocks);
    if (page.microdata) {
        const Recipe micro = fromMicrodata(page.microdata);
        if (!recipe) {
            recipe = micro;
        } else {
            // JSON-LD that leaves out a part the page's microdata holds: the part from there.
            if (recipe->ingredients.isEmpty())
                recipe->ingredients = micro.ingredients;
            if (recipe->steps.isEmpty())
                recipe->steps = micro.steps;
        }
    }
    const std::optional<Recipe> plugin = fromPlugins(doc.root());
    if (plugin) {
        if (!recipe) {
            recipe = plugin;
        } else {
            if (pluginLinesSayMore(plugin->ingredients, recipe->ingredients))
                recipe->ingredients = plugin->ingredients;
            else
                mendCutLines(plugin->ingredients, &recipe->ingredients);
            if (recipe->steps.isEmpty())
                recipe->steps = plugin->steps;
        }
    }
    if (!recipe || recipe->ingredients.isEmpty() || recipe->steps.isEmpty()) {
        if (std::optional<Recipe> state = recipeFromState(page.states)) {
            if (!recipe) {
                recipe = state;
            } else {
                if (recipe->ingredients.isEmpty())
                    recipe->ingredients = state->ingredients;
                if (recipe->steps.isEmpty())
                    recipe->steps = state->steps;
            }
        }
    }
    if (!recipe || recipe->ingredients.isEmpty() || recipe->steps.isEmpty()) {
        // No recipe markup, or only part of it: the lists under the page's own headings.
        const HeadedLists lists = listsUnderHeadings(doc.root());
        if (!recipe && !lists.ingredients.isEmpty() && !lists.steps.isEmpty()) {
            recipe = Recipe();
            recipe->name = !page.h1.isEmpty() ? page.h1 : page.ogTitle;
        }
        if (recipe && recipe->ingredients.isEmpty())
            recipe->ingredients = lists.ingredients;
        if (recipe && recipe->steps.isEmpty()) {
            for (const QString &step : lists.steps)
                recipe->steps.append({{}, step});
        }
    }
    if (!recipe || recipe->isEmpty())
        return std::nullopt;
    if (recipe->name.isEmpty())
        recipe->name = !page.ogTitle.isEmpty() ? page.ogTitle : !page.h1.isEmpty() ? page.h1 : page.title;
    if (recipe->image.isEmpty())
        recipe->image = page.ogImage;
    recipe->pageAddress = page.address;
    // Never more than the page says of itself: a longer "description" took in more than one.
    if (!page.summary.isEmpty() && recipe->description.size() > page.summary.size())
        recipe->description = page.summary;
    return recipe;
}

} // namespace webimport
