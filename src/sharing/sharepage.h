#pragma once

#include "store/fileresult.h"
#include "store/tree.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextDocument;

namespace sharing {

// A recipe as one HTML page any browser shows: its name, its ingredient lines and its description
// as HTML, every text escaped so that nothing from the recipe becomes markup; and the recipe as
// schema.org JSON-LD (its paragraphs and list items as HowToSteps), so that recipe programs,
// ours included, import it. scaledFor ("Til 6 personer") stands under the ingredients' heading
// when the lines are shared scaled.
QByteArray sharePage(const QString &name, const QStringList &ingredients, const QTextDocument *description,
                     const QString &scaledFor = {});

// The recipe as a schema.org JSON-LD script element, as sharePage writes it into its head: the
// name, the lines and the description's paragraphs and list items as HowToSteps.
QString recipeJsonLd(const QString &name, const QStringList &ingredients, const QTextDocument *description);

// A block's or line's text as a page shows it: pictures left out, line breaks as spaces, white
// space simplified.
QString plainText(const QString &text);

// The page of a recipe as stored (its description as last saved), written whole and atomically to
// htmlPath. An empty descriptionFile gives a page without a description.
store::FileResult shareRecipe(const store::Tree &area, const QString &descriptionFile, const QString &name,
                              const QStringList &ingredients, const QString &htmlPath,
                              const QString &scaledFor = {});

} // namespace sharing
