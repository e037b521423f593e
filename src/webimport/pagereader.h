#pragma once

#include "webimport/recipe.h"

#include <QByteArray>
#include <QString>

namespace webimport {

struct ReadResult {
    bool ok = false;
    Recipe recipe;
    QString error;      // Danish, ready to show, when !ok
    bool capped = false; // more lines than kMaxLines: the rest were left out
};

// Reads a recipe from what a server sent or a file holds: an HTML page (also saved as MHTML)
// or a schema.org recipe as JSON, told apart by content, never by name. source is kept as the
// recipe's address and resolves relative picture addresses.
ReadResult readRecipe(const QByteArray &bytes, const QString &contentType, const QString &source);

// Larger than any recipe page; a bigger download or file is refused.
constexpr qint64 kMaxPageBytes = 10 * 1024 * 1024;

extern const QString kNoRecipe;
extern const QString kNotAPage;

} // namespace webimport
