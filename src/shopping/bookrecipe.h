#pragma once

#include <QString>
#include <QStringList>

namespace shopping {

// A recipe of the book as the list takes it: its ingredient lines and the plain text of its
// description (where the number of servings stands).
struct BookRecipe {
    QString name;
    QStringList lines;
    QString descriptionText;
};

struct BookRecipeRead {
    bool ok = false;
    QString error; // Danish, a whole sentence
    BookRecipe recipe;
};

// "Alle/Hovedkategori/Underkategori/Navn" or "<login>/…" below the data root, found through the
// lists and read through the store's gate: a name the lists don't hold is never a path.
BookRecipeRead readBookRecipe(const QString &dataRoot, const QString &brugernavn, const QString &path);

} // namespace shopping
