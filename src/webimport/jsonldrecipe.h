#pragma once

#include "webimport/recipe.h"

#include <QJsonValue>

#include <optional>

namespace webimport {

// The first schema.org Recipe anywhere in a JSON-LD value: a lone object, an array, @graph,
// @type as a list, nested in a WebPage, an ItemList or mainEntity.
std::optional<Recipe> recipeFromJsonLd(const QJsonValue &value);

// The lines of a value that may be a string, a list of strings or objects with a text.
QStringList textLines(const QJsonValue &value);

// The steps of a recipeInstructions value: a text, a list of texts, HowToSteps or HowToSections.
QList<Step> stepsOf(const QJsonValue &value);

} // namespace webimport
