#include "webimport/recipefolder.h"

#include "store/tree.h"
#include "webimport/recipesource.h"

#include <QCollator>
#include <QUrl>

#include <algorithm>

namespace webimport {

namespace {

const QString kRecipeFile = QStringLiteral("recipe.json");
const QString kPictureFile = QStringLiteral("full.jpg");

store::Tree gateOf(const QString &root)
{
    return store::Tree(root, false);
}

void walk(const store::Tree &tree, const QString &folder, int depth, RecipeFolder *found)
{
    std::optional<QList<store::Tree::Entry>> entries = tree.entries(folder);
    if (!entries)
        return;
    QCollator order;
    order.setNumericMode(true);
    std::sort(entries->begin(), entries->end(),
              [&order](const auto &a, const auto &b) { return order.compare(a.name, b.name) < 0; });
    const QString relative = folder.mid(tree.root().size());
    const bool holdsRecipe = std::any_of(entries->cbegin(), entries->cend(), [](const auto &e) {
        return e.name == kRecipeFile && e.kind == store::Tree::Entry::Kind::File;
    });
    if (holdsRecipe && depth > 0) {
        found->folders.append(relative);
        return;
    }
    for (const store::Tree::Entry &entry : std::as_const(*entries)) {
        if (entry.kind == store::Tree::Entry::Kind::File)
            continue;
        const QString below = entry.kind == store::Tree::Entry::Kind::Folder ? tree.folder(folder, entry.name) : QString();
        if (below.isEmpty() || depth >= kMaxFolderDepth || found->folders.size() >= kMaxFolderRecipes) {
            ++found->skipped;
            continue;
        }
        walk(tree, below, depth + 1, found);
    }
}

} // namespace

RecipeFolder scanRecipeFolder(const QString &folder)
{
    RecipeFolder found;
    const store::Tree tree = gateOf(folder);
    found.root = tree.root();
    walk(tree, found.root, 0, &found);
    return found;
}

FolderRecipe readFolderRecipe(const RecipeFolder &folder, const QString &recipeFolder)
{
    FolderRecipe recipe;
    const store::Tree tree = gateOf(folder.root);
    const QString path = folder.root + recipeFolder;
    QByteArray bytes;
    if (const store::FileResult read = tree.readFile(path + kRecipeFile, &bytes, kMaxPageBytes); !read) {
        recipe.read.error = read.error;
        return recipe;
    }
    recipe.read = readRecipe(bytes, QString(), QUrl::fromLocalFile(path + kRecipeFile).toString());
    if (recipe.read.ok && tree.isFile(path + kPictureFile) && tree.readFile(path + kPictureFile, &bytes, kMaxPageBytes))
        recipe.picture = pictureFrom(bytes);
    return recipe;
}

} // namespace webimport
