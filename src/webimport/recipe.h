#pragma once

#include <QString>
#include <QStringList>
#include <QList>

namespace webimport {

struct Step {
    QString section; // the name of the section the step opens, when it opens one
    QString text;
};

// A recipe as read from a page or a schema.org file; every text is plain text.
struct Recipe {
    QString name;
    QString description;
    QStringList ingredients;
    QList<Step> steps;
    QString yield;
    QString totalTime; // Danish, e.g. "1 time 30 min"
    QString image;     // address of the picture, as the page names it
    QString source;    // where the recipe was read from
    QString pageAddress; // the address the page gives as its own, if any

    bool isWhole() const { return !name.isEmpty() && !ingredients.isEmpty() && !steps.isEmpty(); }
    bool isEmpty() const { return ingredients.isEmpty() && steps.isEmpty(); }
};

// More lines than any recipe holds; the rest is dropped and the reader says so.
constexpr int kMaxLines = 500;
// Longer than any sensible line; a longer text is cut.
constexpr int kMaxLineLength = 4000;

} // namespace webimport
