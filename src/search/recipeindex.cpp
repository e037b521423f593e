#include "search/recipeindex.h"

#include "rtf/rtffile.h"
#include "search/excerpt.h"
#include "search/rtfplaintext.h"
#include "search/textfold.h"
#include "store/listfile.h"
#include "store/storepaths.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <new>

#include <string.h>

namespace search {

namespace {

using store::StorePaths;
using Stamp = store::Tree::Stamp;

// A text as read, and folded for comparing.
struct Text {
    QByteArray original;
    QByteArray folded;

    void set(const QString &text)
    {
        original = text.toUtf8();
        folded = foldText(text).toUtf8();
        original.squeeze();
        folded.squeeze();
    }
    bool contains(const QByteArray &word) const
    {
        return !folded.isEmpty()
            && ::memmem(folded.constData(), size_t(folded.size()), word.constData(), size_t(word.size()));
    }
    qint64 memory() const { return original.capacity() + folded.capacity(); }
};

struct Recipe {
    QString name;
    Text nameText;
    Text ingredients;
    Text description;
    Stamp ingredientStamp;
    Stamp descriptionStamp;
    bool descriptionLeftOut = false; // past the budget
};

struct Sub {
    QString name;
    QString folder;
    Stamp listStamp;
    std::vector<Recipe> recipes;
};

struct Main {
    QString name;
    QString folder;
    Stamp listStamp;
    std::vector<Sub> subs;
};

struct Area {
    AreaSource source;
    Stamp listStamp;
    std::vector<Main> mains;
};

// A list that can't be read counts as empty until its file changes again.
QStringList readNames(const store::Tree &tree, const QString &path)
{
    store::ListText list;
    if (path.isEmpty() || !tree.isFile(path) || !store::readListFile(tree, path, &list))
        return {};
    return list.entries;
}

// Brings items in line with the list file when its stamp changed: entries that stay keep what
// was read for them; a name listed twice is one place on disk, so it is indexed once.
template <typename Item, typename Prepare>
bool updateLevel(const store::Tree &tree, const QString &listFile, Stamp *stamp,
                 std::vector<Item> *items, Prepare prepare)
{
    const Stamp now = listFile.isEmpty() ? Stamp{} : tree.stamp(listFile);
    if (now == *stamp)
        return false;
    *stamp = now;
    std::vector<Item> fresh;
    QSet<QString> seen;
    for (const QString &name : readNames(tree, listFile)) {
        if (seen.contains(name))
            continue;
        seen.insert(name);
        auto old = std::find_if(items->begin(), items->end(), [&](const Item &i) { return i.name == name; });
        if (old != items->end()) {
            fresh.push_back(std::move(*old));
        } else {
            Item item;
            item.name = name;
            prepare(&item);
            fresh.push_back(std::move(item));
        }
    }
    *items = std::move(fresh);
    return true;
}

QString joinedLines(const store::Tree &tree, const QString &path)
{
    return readNames(tree, path).join(u'\n');
}

QString descriptionText(const store::Tree &tree, const QString &path)
{
    QByteArray bytes;
    if (path.isEmpty() || !tree.isFile(path) || !tree.readFile(path, &bytes, rtf::kMaxDescriptionBytes))
        return {};
    QString text = rtfPlainText(bytes);
    bytes = QByteArray();
    // A UTF-8 byte per character at the least: the cut is never short of the bound.
    if (text.size() > RecipeIndex::kMaxDescriptionText)
        text.truncate(RecipeIndex::kMaxDescriptionText);
    return text;
}

// Descriptions by what their files are on disk, so that one file under many names is read and
// held once: the texts are shared, not copied.
struct StampKey {
    qint64 modified;
    qint64 size;
    quint64 inode;
    bool operator==(const StampKey &o) const { return modified == o.modified && size == o.size && inode == o.inode; }
};
size_t qHash(const StampKey &k, size_t seed = 0)
{
    return qHashMulti(seed, k.modified, k.size, k.inode);
}
StampKey keyOf(const Stamp &s)
{
    return {s.modified, s.size, s.inode};
}

template <typename T>
qint64 vectorMemory(const std::vector<T> &v)
{
    return qint64(v.capacity() * sizeof(T));
}

qint64 stringMemory(const QString &s)
{
    return s.capacity() * 2;
}

} // namespace

qint64 RecipeIndex::heldTextBudget = RecipeIndex::kMaxHeldText;

struct RecipeIndex::Data {
    std::vector<Area> areas;
};

RecipeIndex::RecipeIndex(QList<AreaSource> sources)
    : d(std::make_unique<Data>())
{
    for (AreaSource &source : sources)
        d->areas.push_back({std::move(source), {}, {}});
}

RecipeIndex::~RecipeIndex() = default;
RecipeIndex::RecipeIndex(RecipeIndex &&) noexcept = default;
RecipeIndex &RecipeIndex::operator=(RecipeIndex &&) noexcept = default;

RecipeIndex::Refreshed RecipeIndex::refresh(const Watcher &watcher)
{
    // Another user's files decide how much is read: running out of memory here must not end
    // the program, which may hold unsaved work.
    try {
        return refreshLevels(watcher);
    } catch (const std::bad_alloc &) {
        for (Area &area : d->areas) {
            area.mains = {};
            area.listStamp = {};
        }
        Refreshed result;
        result.changed = true;
        result.complete = false;
        result.outOfMemory = true;
        return result;
    }
}

RecipeIndex::Refreshed RecipeIndex::refreshLevels(const Watcher &watcher)
{
    Refreshed result;
    // First the lists, which are few; then the recipes' own files, which are many.
    std::vector<std::pair<const store::Tree *, Sub *>> subs;
    for (Area &area : d->areas) {
        const store::Tree &tree = area.source.tree;
        result.changed |= updateLevel(tree, StorePaths::mainCategoryFile(area.source.folder),
                                      &area.listStamp, &area.mains, [&](Main *m) {
                                          m->folder = StorePaths::subFolder(tree, area.source.folder, m->name);
                                      });
        for (Main &main : area.mains) {
            result.changed |= updateLevel(tree, StorePaths::indexFile(main.folder), &main.listStamp,
                                          &main.subs, [&](Sub *s) {
                                              s->folder = StorePaths::subFolder(tree, main.folder, s->name);
                                          });
            for (Sub &sub : main.subs) {
                result.changed |= updateLevel(tree, StorePaths::indexFile(sub.folder), &sub.listStamp,
                                              &sub.recipes, [](Recipe *r) { r->nameText.set(r->name); });
                subs.emplace_back(&tree, &sub);
            }
        }
    }
    int total = 0;
    QHash<StampKey, const Text *> read;
    qint64 held = 0;
    for (const auto &entry : subs) {
        total += int(entry.second->recipes.size());
        for (const Recipe &recipe : entry.second->recipes) {
            if (recipe.descriptionStamp.size < 0)
                continue;
            const StampKey key = keyOf(recipe.descriptionStamp);
            if (!read.contains(key)) {
                read.insert(key, &recipe.description);
                held += recipe.description.memory();
            }
        }
    }
    int done = 0;
    for (const auto &[tree, sub] : subs) {
        if (watcher.stop && watcher.stop()) {
            result.complete = false;
            return result;
        }
        for (Recipe &recipe : sub->recipes) {
            // A name that can't be a file has no files to read: it is found by its name alone.
            const QString ingredientFile = StorePaths::ingredientFile(*tree, sub->folder, recipe.name);
            const Stamp ingredientStamp = ingredientFile.isEmpty() ? Stamp{} : tree->stamp(ingredientFile);
            if (ingredientStamp != recipe.ingredientStamp) {
                recipe.ingredientStamp = ingredientStamp;
                recipe.ingredients.set(joinedLines(*tree, ingredientFile));
                result.changed = true;
            }
            const QString descriptionFile = StorePaths::descriptionFile(*tree, sub->folder, recipe.name);
            const Stamp descriptionStamp = descriptionFile.isEmpty() ? Stamp{} : tree->stamp(descriptionFile);
            if (descriptionStamp == recipe.descriptionStamp)
                continue;
            if (const auto old = read.constFind(keyOf(recipe.descriptionStamp));
                old != read.constEnd() && old.value() == &recipe.description)
                read.erase(old);
            recipe.descriptionStamp = descriptionStamp;
            recipe.descriptionLeftOut = false;
            result.changed = true;
            if (const Text *same = read.value(keyOf(descriptionStamp)); same && descriptionStamp.size >= 0) {
                recipe.description = *same;
                continue;
            }
            held -= recipe.description.memory();
            recipe.description = Text();
            // Past the budget a description is left out: the recipe is still found by the rest.
            if (held + 2 * std::min(descriptionStamp.size, kMaxDescriptionText) > heldTextBudget) {
                recipe.descriptionLeftOut = true;
                continue;
            }
            recipe.description.set(descriptionText(*tree, descriptionFile));
            held += recipe.description.memory();
            if (descriptionStamp.size >= 0)
                read.insert(keyOf(descriptionStamp), &recipe.description);
        }
        done += int(sub->recipes.size());
        if (watcher.progress)
            watcher.progress(done, total);
    }
    return result;
}

RecipeIndex::Results RecipeIndex::search(const QStringList &words, int maxShown) const
{
    Results results;
    if (words.isEmpty())
        return results;
    QList<QByteArray> utf8;
    for (const QString &word : words)
        utf8.append(word.toUtf8());

    struct Match {
        const Area *area;
        const Main *main;
        const Sub *sub;
        const Recipe *recipe;
        int places;
    };
    std::vector<Match> matches;
    for (const Area &area : d->areas) {
        for (const Main &main : area.mains) {
            for (const Sub &sub : main.subs) {
                for (const Recipe &recipe : sub.recipes) {
                    int places = 0;
                    for (const QByteArray &word : utf8) {
                        const int here = (recipe.nameText.contains(word) ? InName : 0)
                            | (recipe.ingredients.contains(word) ? InIngredients : 0)
                            | (recipe.description.contains(word) ? InDescription : 0);
                        if (!here) {
                            places = 0;
                            break;
                        }
                        places |= here;
                    }
                    if (places)
                        matches.push_back({&area, &main, &sub, &recipe, places});
                    else if (recipe.descriptionLeftOut)
                        ++results.unsearched;
                }
            }
        }
    }
    // A recipe named by the words comes before one that only mentions them.
    std::stable_partition(matches.begin(), matches.end(), [](const Match &m) { return m.places & InName; });
    results.total = int(matches.size());
    for (const Match &m : matches) {
        if (results.shown.size() >= maxShown)
            break;
        Found found;
        found.recipe = {m.area->source.privat, m.main->name, m.sub->name, m.recipe->name};
        found.places = m.places;
        // The ingredient line says most in few words; then the description; the name is shown anyway.
        const Text &from = (m.places & InIngredients) ? m.recipe->ingredients
            : (m.places & InDescription)             ? m.recipe->description
                                                     : m.recipe->nameText;
        found.excerptPlace = (m.places & InIngredients) ? InIngredients
            : (m.places & InDescription)                ? InDescription
                                                        : InName;
        const Excerpt excerpt = makeExcerpt(QString::fromUtf8(from.original), words);
        found.excerpt = excerpt.text;
        found.marks = excerpt.marks;
        results.shown.append(std::move(found));
    }
    return results;
}

int RecipeIndex::recipeCount() const
{
    int count = 0;
    for (const Area &area : d->areas)
        for (const Main &main : area.mains)
            for (const Sub &sub : main.subs)
                count += int(sub.recipes.size());
    return count;
}

qint64 RecipeIndex::textBytes() const
{
    qint64 bytes = 0;
    for (const Area &area : d->areas)
        for (const Main &main : area.mains)
            for (const Sub &sub : main.subs)
                for (const Recipe &r : sub.recipes)
                    bytes += r.nameText.original.size() + r.ingredients.original.size()
                        + r.description.original.size();
    return bytes;
}

qint64 RecipeIndex::memoryBytes() const
{
    qint64 bytes = sizeof(Data) + vectorMemory(d->areas);
    for (const Area &area : d->areas) {
        bytes += vectorMemory(area.mains);
        for (const Main &main : area.mains) {
            bytes += stringMemory(main.name) + stringMemory(main.folder) + vectorMemory(main.subs);
            for (const Sub &sub : main.subs) {
                bytes += stringMemory(sub.name) + stringMemory(sub.folder) + vectorMemory(sub.recipes);
                for (const Recipe &r : sub.recipes)
                    bytes += stringMemory(r.name) + r.nameText.memory() + r.ingredients.memory()
                        + r.description.memory();
            }
        }
    }
    return bytes;
}

} // namespace search
