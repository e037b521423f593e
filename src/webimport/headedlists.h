#pragma once

#include <gumbo.h>

#include <QStringList>

namespace webimport {

struct HeadedLists {
    QStringList ingredients; // group names among them as lines of their own
    QStringList steps;
};

// The ingredient lines and steps of a page without recipe markup, found as a cook finds them:
// the list or paragraphs under a heading such as "Ingredients" or "Fremgangsmåde", up to the
// next heading of the same rank.
HeadedLists listsUnderHeadings(const GumboNode *root);

} // namespace webimport
