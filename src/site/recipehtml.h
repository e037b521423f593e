#pragma once

#include "site/documenthtml.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextDocument;

namespace site {

struct RecipePageText {
    QString bookTitle;  // the link back to the front page
    QString indexHref;  // that page's address from this one
    QString name;
    QStringList path;   // main category, subcategory
    QStringList ingredients;
};

// A recipe's page: name, category path, ingredient lines and description, with the recipe as
// schema.org JSON-LD in its head, as "Del opskrift…" writes it. Every text is escaped.
QByteArray recipePage(const RecipePageText &text, const QTextDocument &description, const PictureSink &pictures);

// The page standing for a recipe that could not be read: its name and why.
QByteArray unreadablePage(const RecipePageText &text, const QString &reason);

// The head and the start of the body every page of the site shares.
QString pageStart(const QString &title, const QString &headExtra = {});

} // namespace site
