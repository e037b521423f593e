#pragma once

#include <gumbo.h>

#include <QString>

#include <functional>

namespace webimport {

// A parsed HTML document, freed with its owner; a document nested deeper than any page is
// read as an empty one.
class GumboDocument {
public:
    explicit GumboDocument(const QByteArray &utf8, GumboTag fragmentContext = GUMBO_TAG_LAST);
    ~GumboDocument();
    GumboDocument(const GumboDocument &) = delete;
    GumboDocument &operator=(const GumboDocument &) = delete;

    const GumboNode *root() const { return m_output->root; }

private:
    QByteArray m_bytes; // gumbo points into it
    GumboOptions m_options;
    GumboOutput *m_output;
};

// Visits every element below node, node included, in document order, without recursion (a
// hostile page may nest deeper than the stack). Returning false skips the element's children.
void walkElements(const GumboNode *node, const std::function<bool(const GumboNode *)> &visit);

QString attribute(const GumboNode *element, const char *name);
bool hasClass(const GumboNode *element, const char *className);
// The element's text as the reader sees it: scripts and styles left out, block ends as spaces,
// not squeezed. Elements of the class leaveOut are left out too.
QString rawText(const GumboNode *node, const char *leaveOut = nullptr);
// The same, squeezed and cut to a line.
QString lineText(const GumboNode *node, const char *leaveOut = nullptr);

} // namespace webimport
