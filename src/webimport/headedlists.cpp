#include "webimport/headedlists.h"

#include "webimport/gumbotree.h"
#include "webimport/libgumbo.h"
#include "webimport/recipe.h"
#include "webimport/text.h"

#include <QSet>

#include <algorithm>

#include <vector>

namespace webimport {

using namespace Qt::StringLiterals;

namespace {

enum class Kind { None, Ingredients, Steps, Other };

// Headings of the ingredients and of the method in the languages recipe pages are written in.
const char *const kIngredientWords[] = {
    "ingredients", "ingredient", "ingrediens", "ingredienser", "ingrediënten", "ingredientes", "ingredienti",
    "ingrédients", "ingredientai", "ingredience", "ingrediencie", "ingredientes", "zutaten", "benodigdheden",
    "składniki", "hozzávalók", "sastojci", "suroviny", "malzemeler", "ainekset", "råvarer", "du skal bruge",
    "what you need", "what you'll need", "you will need", "you'll need", "συστατικά", "υλικά", "ингредиенты",
    "材料", "用料", "食材", "재료", "材料・分量",
};
const char *const kStepWords[] = {
    "instructions", "instruction", "method", "directions", "direction", "preparation", "steps", "how to make",
    "how to cook", "zubereitung", "anleitung", "préparation", "étapes", "mode de préparation", "preparación",
    "elaboración", "preparazione", "procedimento", "modo de preparo", "modo de preparação", "bereiding",
    "bereidingswijze", "werkwijze", "instructies", "fremgangsmåde", "fremgangsmaade", "sådan gør du",
    "tilberedning", "gör så här", "valmistus", "valmistusohje", "sposób przygotowania", "przygotowanie",
    "elkészítés", "postup", "postup prípravy", "priprema", "yapılışı", "hazırlanışı", "οδηγίες", "εκτέλεση",
    "παρασκευή", "приготовление", "做法", "步骤", "作り方", "만드는 법",
};
// Headings that end a list: what pages put after a recipe.
const char *const kOtherWords[] = {
    "notes", "note", "tips", "tip", "nutrition", "video", "comments", "equipment", "related", "noter", "tips og tricks",
    "hinweis", "tipp", "notizen", "nährwerte", "astuces", "conseils", "notas", "consejos", "opmerkingen",
};

// The word opens the label ("Ingredients for the sauce"); an unmistakable one may also close a
// short label ("Cooking instructions", but not "Preparation time").
bool hasWord(const QString &text, const char *word)
{
    const QString w = QString::fromUtf8(word);
    if (text.startsWith(w) && (text.size() == w.size() || !text.at(w.size()).isLetter()))
        return true;
    static const QStringList closing{u"ingredients"_s, u"instructions"_s, u"directions"_s, u"method"_s};
    return closing.contains(w) && text.endsWith(w) && text.count(u' ') < 3 && text.size() > w.size()
        && !text.at(text.size() - w.size() - 1).isLetter();
}

Kind kindOf(const QString &label)
{
    if (label.isEmpty() || label.size() > 60)
        return Kind::None;
    QString t = label.toLower();
    while (!t.isEmpty() && (t.back() == u':' || t.back() == u'*' || t.back().isSpace()))
        t.chop(1);
    for (const char *w : kIngredientWords) {
        if (hasWord(t, w))
            return Kind::Ingredients;
    }
    for (const char *w : kStepWords) {
        if (hasWord(t, w))
            return Kind::Steps;
    }
    for (const char *w : kOtherWords) {
        if (hasWord(t, w))
            return Kind::Other;
    }
    return Kind::None;
}

int headingLevel(GumboTag tag)
{
    switch (tag) {
    case GUMBO_TAG_H1: return 1;
    case GUMBO_TAG_H2: return 2;
    case GUMBO_TAG_H3: return 3;
    case GUMBO_TAG_H4: return 4;
    case GUMBO_TAG_H5: return 5;
    case GUMBO_TAG_H6: return 6;
    default: return 0;
    }
}

bool isPassedOver(GumboTag tag)
{
    return tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE || tag == GUMBO_TAG_NOSCRIPT || tag == GUMBO_TAG_NAV
        || tag == GUMBO_TAG_FOOTER || tag == GUMBO_TAG_ASIDE || tag == GUMBO_TAG_BUTTON || tag == GUMBO_TAG_SELECT
        || tag == GUMBO_TAG_SVG || tag == GUMBO_TAG_IFRAME || tag == GUMBO_TAG_TEMPLATE;
}

// What the page does not show: the same list in other units, a copy for another layout.
bool isHidden(const GumboNode *e)
{
    if (gumbo()->gumbo_get_attribute(&e->v.element.attributes, "hidden"))
        return true;
    QString style = attribute(e, "style");
    if (style.contains(QLatin1String("display")) && style.remove(u' ').contains(QLatin1String("display:none")))
        return true;
    const QString classes = attribute(e, "class");
    return classes.contains(QLatin1String("visuallyhidden")) || classes.contains(QLatin1String("visually-hidden"));
}

// The page in document order, with where each node's subtree ends.
struct Flat {
    std::vector<const GumboNode *> nodes;
    std::vector<qsizetype> end;
};

Flat flatten(const GumboNode *root)
{
    Flat flat;
    std::vector<std::pair<const GumboNode *, qsizetype>> stack{{root, -1}};
    while (!stack.empty()) {
        const auto [node, closing] = stack.back();
        stack.pop_back();
        if (closing >= 0) {
            flat.end[size_t(closing)] = qsizetype(flat.nodes.size());
            continue;
        }
        const qsizetype index = qsizetype(flat.nodes.size());
        flat.nodes.push_back(node);
        flat.end.push_back(index + 1);
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_DOCUMENT)
            continue;
        if (node->type == GUMBO_NODE_ELEMENT && (isPassedOver(node->v.element.tag) || isHidden(node)))
            continue;
        const GumboVector &children =
            node->type == GUMBO_NODE_DOCUMENT ? node->v.document.children : node->v.element.children;
        stack.push_back({node, index});
        for (unsigned i = children.length; i > 0; --i)
            stack.push_back({static_cast<const GumboNode *>(children.data[i - 1]), -1});
    }
    return flat;
}

// The text of a small element, as a heading has; empty for a larger one (it is no heading, and
// reading the text of every large element would cost the square of the page).
QString shortText(const Flat &flat, qsizetype at)
{
    const qsizetype end = flat.end[size_t(at)];
    if (end - at > 12)
        return {};
    QString text;
    for (qsizetype i = at; i < end; ++i) {
        const GumboNode *node = flat.nodes[size_t(i)];
        if (node->type == GUMBO_NODE_TEXT)
            text += QString::fromUtf8(node->v.text.text) + u' ';
        if (text.size() > 80)
            return {};
    }
    return squeezed(text);
}

bool isLabelTag(GumboTag tag)
{
    return headingLevel(tag) > 0 || tag == GUMBO_TAG_P || tag == GUMBO_TAG_STRONG || tag == GUMBO_TAG_B
        || tag == GUMBO_TAG_SPAN || tag == GUMBO_TAG_DIV || tag == GUMBO_TAG_DT || tag == GUMBO_TAG_TH
        || tag == GUMBO_TAG_LEGEND || tag == GUMBO_TAG_LABEL || tag == GUMBO_TAG_SUMMARY || tag == GUMBO_TAG_A;
}

Kind labelAt(const Flat &flat, qsizetype i, QString *text = nullptr)
{
    const GumboNode *node = flat.nodes[size_t(i)];
    if (node->type != GUMBO_NODE_ELEMENT || !isLabelTag(node->v.element.tag))
        return Kind::None;
    const QString t = shortText(flat, i);
    if (text)
        *text = t;
    return kindOf(t);
}

bool isBlock(GumboTag tag)
{
    return tag == GUMBO_TAG_DIV || tag == GUMBO_TAG_UL || tag == GUMBO_TAG_OL || tag == GUMBO_TAG_TABLE
        || tag == GUMBO_TAG_TR || tag == GUMBO_TAG_SECTION || tag == GUMBO_TAG_ARTICLE || tag == GUMBO_TAG_DD
        || tag == GUMBO_TAG_DT || tag == GUMBO_TAG_BR || tag == GUMBO_TAG_HR || tag == GUMBO_TAG_BLOCKQUOTE;
}

bool holdsLabel(const Flat &flat, qsizetype at)
{
    for (qsizetype j = at + 1; j < flat.end[size_t(at)]; ++j) {
        const Kind kind = labelAt(flat, j);
        if (kind == Kind::Ingredients || kind == Kind::Steps)
            return true;
    }
    return false;
}

struct Collected {
    QStringList items;      // from list items
    QStringList paragraphs; // from paragraphs and text between line breaks
    QStringList groups;     // lesser headings, by the index in items they open
    QList<qsizetype> groupAt;
    qsizetype end = 0;
};

// What follows the label at index `label` up to the next heading of its rank or another label.
Collected collectAfter(const Flat &flat, qsizetype label, Kind kind)
{
    Collected c;
    const int rank = headingLevel(flat.nodes[size_t(label)]->v.element.tag);
    QString pending;
    const auto flush = [&]() {
        const QString line = squeezed(pending);
        if (!line.isEmpty())
            c.paragraphs << line;
        pending.clear();
    };
    qsizetype budget = 20000;
    qsizetype i = flat.end[size_t(label)];
    const qsizetype n = qsizetype(flat.nodes.size());
    while (i < n && --budget > 0 && c.items.size() + c.paragraphs.size() < kMaxLines) {
        const GumboNode *node = flat.nodes[size_t(i)];
        if (node->type == GUMBO_NODE_TEXT) {
            pending += QString::fromUtf8(node->v.text.text);
            ++i;
            continue;
        }
        if (node->type != GUMBO_NODE_ELEMENT) {
            ++i;
            continue;
        }
        const GumboTag tag = node->v.element.tag;
        QString text;
        const Kind here = labelAt(flat, i, &text);
        const int level = headingLevel(tag);
        if (here != Kind::None || (level > 0 && (rank == 0 || level <= rank)) || tag == GUMBO_TAG_FOOTER)
            break;
        if (level > 0) {
            flush();
            if (!text.isEmpty() && kind == Kind::Ingredients) {
                c.groups << text;
                c.groupAt << c.items.size();
            }
            i = flat.end[size_t(i)];
            continue;
        }
        if (tag == GUMBO_TAG_LI) {
            flush();
            const QString line = lineText(node);
            if (!line.isEmpty())
                c.items << line;
            i = flat.end[size_t(i)];
            continue;
        }
        if (tag == GUMBO_TAG_P) {
            flush();
            // A paragraph that opens with the next label ("<p><b>Method:</b> Whisk…") ends the list.
            if (holdsLabel(flat, i))
                break;
            const QStringList parts = rawText(node).split(u'\n');
            for (const QString &part : parts) {
                const QString line = squeezed(part);
                if (!line.isEmpty())
                    c.paragraphs << line;
            }
            i = flat.end[size_t(i)];
            continue;
        }
        if (isBlock(tag))
            flush();
        ++i;
    }
    flush();
    c.end = i;
    return c;
}

QStringList linesOf(const Collected &c, Kind kind)
{
    if (c.items.isEmpty())
        return c.paragraphs;
    if (kind != Kind::Ingredients || c.groups.isEmpty())
        return c.items;
    QStringList lines;
    qsizetype g = 0;
    for (qsizetype i = 0; i <= c.items.size(); ++i) {
        while (g < c.groups.size() && c.groupAt.at(g) == i)
            lines << c.groups.at(g++);
        if (i < c.items.size())
            lines << c.items.at(i);
    }
    return lines;
}

// A menu under a word like "Recipes" holds only short names; a recipe's lines have amounts or
// sentences.
bool looksLikeRecipeText(const QStringList &lines)
{
    return std::any_of(lines.cbegin(), lines.cend(), [](const QString &line) {
        return line.count(u' ') >= 3 || std::any_of(line.cbegin(), line.cend(), [](QChar c) { return c.isDigit(); });
    });
}

} // namespace

HeadedLists listsUnderHeadings(const GumboNode *root)
{
    const Flat flat = flatten(root);
    HeadedLists found;
    QSet<QString> seen; // a list the page repeats (a print copy, a tab) counts once
    qsizetype consumed = 0;
    for (qsizetype i = 0; i < qsizetype(flat.nodes.size()); ++i) {
        if (i < consumed)
            continue;
        QString text;
        const Kind kind = labelAt(flat, i, &text);
        if (kind != Kind::Ingredients && kind != Kind::Steps)
            continue;
        const Collected c = collectAfter(flat, i, kind);
        const QStringList lines = linesOf(c, kind);
        if (lines.isEmpty() || seen.contains(lines.first()) || !looksLikeRecipeText(lines))
            continue;
        seen.insert(lines.first());
        consumed = c.end;
        QStringList &target = kind == Kind::Ingredients ? found.ingredients : found.steps;
        // A second group of ingredients under its own heading ("Ingredients for the sauce").
        if (kind == Kind::Ingredients && !target.isEmpty())
            target << text;
        target << lines;
    }
    return found;
}

} // namespace webimport
