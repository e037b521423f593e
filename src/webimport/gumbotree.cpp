#include "webimport/gumbotree.h"

#include "webimport/libgumbo.h"

#include "webimport/recipe.h"
#include "webimport/text.h"

#include <QStringList>

#include <cctype>
#include <cstring>
#include <vector>

namespace webimport {

namespace {

// Deeper than any page nests its elements. The parser's work grows with the square of the
// depth and it frees a tree by recursion, so a deeper document is not parsed at all.
constexpr int kMaxNesting = 2000;

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Elements that hold no others, or that the next of their kind closes: they add no depth.
bool addsNoDepth(const QByteArray &tag)
{
    static const QList<QByteArray> flat{"area", "base", "br", "col", "embed", "hr", "img", "input", "link",
                                        "meta", "param", "source", "track", "wbr", "p", "li", "dt", "dd",
                                        "option", "tr", "td", "th"};
    return flat.contains(tag);
}

// An upper bound of the nesting from the tags alone, in one pass: closing tags count back,
// comments and the text of scripts and styles are passed over.
bool nestsTooDeep(const QByteArray &s)
{
    int depth = 0;
    const qsizetype n = s.size();
    for (qsizetype i = s.indexOf('<'); i >= 0 && i + 1 < n; i = s.indexOf('<', i + 1)) {
        if (s.at(i + 1) == '!') {
            if (qstrncmp(s.constData() + i, "<!--", 4) == 0) {
                const qsizetype end = s.indexOf("-->", i + 4);
                if (end < 0)
                    return false;
                i = end;
            }
            continue;
        }
        if (s.at(i + 1) == '/') {
            depth = qMax(0, depth - 1);
            continue;
        }
        if (!isLetter(s.at(i + 1)))
            continue;
        qsizetype j = i + 1;
        while (j < n && (isLetter(s.at(j)) || (s.at(j) >= '0' && s.at(j) <= '9')))
            ++j;
        const QByteArray tag = s.mid(i + 1, j - i - 1).toLower();
        const qsizetype close = s.indexOf('>', j);
        if (close < 0)
            return false;
        if (tag == "script" || tag == "style") {
            const QByteArray closing = QByteArray("</") + tag;
            const qsizetype end = s.indexOf(closing, close);
            if (end < 0)
                return false;
            i = end;
            continue;
        }
        if (s.at(close - 1) != '/' && !addsNoDepth(tag) && ++depth > kMaxNesting)
            return true;
        i = close;
    }
    return false;
}

} // namespace

GumboDocument::GumboDocument(const QByteArray &utf8, GumboTag fragmentContext)
    : m_bytes(nestsTooDeep(utf8) ? QByteArray() : utf8)
    , m_options(*gumbo()->kGumboDefaultOptions)
{
    m_options.fragment_context = fragmentContext;
    // Errors are of no use to us, and each keeps a copy of the open elements: on a deeply
    // nested page that costs time and memory by the square of the depth.
    m_options.max_errors = 0;
    m_output = gumbo()->gumbo_parse_with_options(&m_options, m_bytes.constData(), size_t(m_bytes.size()));
}

GumboDocument::~GumboDocument()
{
    gumbo()->gumbo_destroy_output(&m_options, m_output);
}

namespace {

const GumboVector *childrenOf(const GumboNode *node)
{
    if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE)
        return &node->v.element.children;
    if (node->type == GUMBO_NODE_DOCUMENT)
        return &node->v.document.children;
    return nullptr;
}

bool isElement(const GumboNode *node)
{
    return node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE;
}

// Text only a screen reader speaks (a check box's glyph, "Step 1") is no part of what a cook reads.
bool isForScreenReaders(const GumboNode *element)
{
    const GumboAttribute *a = gumbo()->gumbo_get_attribute(&element->v.element.attributes, "class");
    return a && (std::strstr(a->value, "sr-only") || std::strstr(a->value, "screen-reader-text")
                 || std::strstr(a->value, "visually-hidden"));
}

} // namespace

void walkElements(const GumboNode *node, const std::function<bool(const GumboNode *)> &visit)
{
    std::vector<const GumboNode *> stack{node};
    while (!stack.empty()) {
        const GumboNode *current = stack.back();
        stack.pop_back();
        if (isElement(current) && !visit(current))
            continue;
        if (const GumboVector *children = childrenOf(current)) {
            for (unsigned i = children->length; i > 0; --i)
                stack.push_back(static_cast<const GumboNode *>(children->data[i - 1]));
        }
    }
}

QString attribute(const GumboNode *element, const char *name)
{
    if (!isElement(element))
        return {};
    const GumboAttribute *a = gumbo()->gumbo_get_attribute(&element->v.element.attributes, name);
    return a ? QString::fromUtf8(a->value) : QString();
}

bool hasClass(const GumboNode *element, const char *className)
{
    // On the bytes as they are: this runs for every element of a large page, many times over.
    if (!isElement(element) || !className)
        return false;
    const GumboAttribute *a = gumbo()->gumbo_get_attribute(&element->v.element.attributes, "class");
    if (!a)
        return false;
    const size_t length = qstrlen(className);
    for (const char *at = std::strstr(a->value, className); at; at = std::strstr(at + 1, className)) {
        const bool startsToken = at == a->value || std::isspace(static_cast<unsigned char>(at[-1]));
        const bool endsToken = at[length] == '\0' || std::isspace(static_cast<unsigned char>(at[length]));
        if (startsToken && endsToken)
            return true;
    }
    return false;
}

QString rawText(const GumboNode *node, const char *leaveOut)
{
    QString out;
    std::vector<std::pair<const GumboNode *, bool>> stack{{node, false}};
    while (!stack.empty()) {
        const auto [current, closing] = stack.back();
        stack.pop_back();
        if (closing) {
            out.append(u' ');
            continue;
        }
        if (current->type == GUMBO_NODE_TEXT || current->type == GUMBO_NODE_WHITESPACE
            || current->type == GUMBO_NODE_CDATA) {
            out.append(QString::fromUtf8(current->v.text.text));
            continue;
        }
        const GumboVector *children = childrenOf(current);
        if (!children)
            continue;
        if (isElement(current)) {
            const GumboTag tag = current->v.element.tag;
            if (tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE || tag == GUMBO_TAG_NOSCRIPT
                || tag == GUMBO_TAG_INPUT || isForScreenReaders(current) || hasClass(current, leaveOut))
                continue;
            if (tag == GUMBO_TAG_BR)
                out.append(u'\n');
            const bool block = tag == GUMBO_TAG_P || tag == GUMBO_TAG_LI || tag == GUMBO_TAG_DIV
                || tag == GUMBO_TAG_TD || tag == GUMBO_TAG_H1 || tag == GUMBO_TAG_H2 || tag == GUMBO_TAG_H3
                || tag == GUMBO_TAG_H4;
            if (block) {
                out.append(u' ');
                stack.push_back({current, true});
            }
        }
        for (unsigned i = children->length; i > 0; --i)
            stack.push_back({static_cast<const GumboNode *>(children->data[i - 1]), false});
    }
    return out;
}

QString lineText(const GumboNode *node, const char *leaveOut)
{
    QString text = squeezed(rawText(node, leaveOut));
    if (text.size() > kMaxLineLength)
        text.truncate(kMaxLineLength);
    return text;
}

} // namespace webimport
