#pragma once

#include "store/tree.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace search {

// Where the words of a search were found in a recipe.
enum Place : int { InName = 1, InIngredients = 2, InDescription = 4 };

struct RecipeRef {
    bool privat = false;
    QString hovedKat;
    QString underKat;
    QString opskrift;
};

struct Found {
    RecipeRef recipe;
    int places = 0;       // Place flags
    int excerptPlace = 0; // the Place the excerpt was taken from
    QString excerpt;
    QList<std::pair<int, int>> marks; // start and length of each matched word in the excerpt
};

// A recipe area to search: which one, its gate and its folder.
struct AreaSource {
    bool privat = false;
    store::Tree tree;
    QString folder;
};

// What the search knows of the recipe areas, in memory: names, ingredient lines and the plain
// text of descriptions, each kept as read and folded for comparing (UTF-8 both, the smallest
// form for Danish text). It is brought up to date from the files' stamps: only what changed
// since the last look is read again. What it holds is bounded whatever the areas hold: a file
// listed under many names (hard links) is read and kept once, a description's text only so far,
// and the whole index only up to a budget, beyond which descriptions are found by name and
// ingredients alone.
class RecipeIndex {
public:
    static constexpr qint64 kMaxDescriptionText = 1024 * 1024;        // bytes of text per description
    static constexpr qint64 kMaxHeldText = 256 * 1024 * 1024;          // bytes of description text in all
    // The budget in use: kMaxHeldText, smaller in tests.
    static qint64 heldTextBudget;

    explicit RecipeIndex(QList<AreaSource> areas);
    ~RecipeIndex();
    RecipeIndex(RecipeIndex &&) noexcept;
    RecipeIndex &operator=(RecipeIndex &&) noexcept;

    struct Watcher {
        std::function<void(int done, int total)> progress; // while recipe files are looked at
        std::function<bool()> stop; // true: stop soon; what was not looked at is left as it was
    };
    struct Refreshed {
        bool changed = false;
        bool complete = true;
        // The memory ran out: the index holds nothing until the next refresh, and the program
        // goes on.
        bool outOfMemory = false;
    };
    Refreshed refresh(const Watcher &watcher = {});

    struct Results {
        QList<Found> shown; // the first maxShown, with excerpts
        int total = 0;
        // Recipes not found whose descriptions were past the budget: they may hold the words.
        int unsearched = 0;
    };
    // Every word (folded) must be in the name, the ingredients or the description.
    Results search(const QStringList &words, int maxShown) const;

    int recipeCount() const;
    qint64 textBytes() const;   // the text it holds, as UTF-8
    qint64 memoryBytes() const; // what it takes in memory, all of it

private:
    Refreshed refreshLevels(const Watcher &watcher);
    struct Data;
    std::unique_ptr<Data> d;
};

} // namespace search
