#pragma once

#include "webimport/pagereader.h"

#include <QImage>
#include <QStringList>

namespace webimport {

// Reads a saved page or a schema.org file chosen by the user, by its content.
ReadResult readRecipeFile(const QString &path);

// A picture from what a server sent; a null image when it is no picture.
QImage pictureFrom(const QByteArray &bytes);

// Whether text is a web address the dialog and the tool take.
bool isWebAddress(const QString &text);

// The recipe as the command line prints it: one JSON object, keys without a value left out.
QByteArray recipeJson(const Recipe &recipe);

} // namespace webimport
