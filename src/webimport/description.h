#pragma once

#include "webimport/recipe.h"

#include <QImage>
#include <memory>

class QTextDocument;

namespace webimport {

// Wider than this the picture is scaled down; it must sit well in the editor and on paper.
constexpr int kMaxPictureWidth = 480;

// The description as it is saved: the picture, the short description, "Antal:", "Tid:", the
// steps as a numbered list with section names as bold lines, and "Kilde:". Page text is
// inserted as plain text, never as markup.
std::unique_ptr<QTextDocument> descriptionDocument(const Recipe &recipe, const QImage &picture);

} // namespace webimport
