#include "webimport/gumbotree.h"

#include "webimport/recipe.h"
#include "webimport/text.h"

#include <QStringList>

#include <vector>

namespace webimport {

GumboDocument::GumboDocument(const QByteArray &utf8, GumboTag fragmentContext)
    : m_bytes(utf8)
    , m_options(kGumboDefaultOptions)
{
    m_options.fragment_context = fragmentContext;
    m_output = gumbo_parse_with_options(&m_options, m_bytes.constData(), size_t(m_bytes.size()));
}

GumboDocument::~GumboDocument()
{
    gumbo_destroy_output(&m_options, m_output);
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
    const GumboAttribute *a = gumbo_get_attribute(&element->v.element.attributes, name);
    return a ? QString::fromUtf8(a->value) : QString();
}

bool hasClass(const GumboNode *element, const QString &className)
{
    const QString classes = attribute(element, "class");
    if (!classes.contains(className))
        return false;
    return classes.split(u' ', Qt::SkipEmptyParts).contains(className);
}

QString rawText(const GumboNode *node)
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
            if (tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE || tag == GUMBO_TAG_NOSCRIPT)
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

QString lineText(const GumboNode *node)
{
    QString text = squeezed(rawText(node));
    if (text.size() > kMaxLineLength)
        text.truncate(kMaxLineLength);
    return text;
}

} // namespace webimport
