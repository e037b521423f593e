// A shopping list from 50 recipes of a generated 10,000-recipe book: merging their lines and
// grouping the items, and the whole way from the book (lists, files, descriptions) to the list.
#include "common/generatedbook.h"
#include "shopping/bookrecipe.h"
#include "shopping/groups.h"
#include "shopping/merge.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kListRecipes = 50;

const GeneratedBook &book()
{
    static const GeneratedBook generated;
    return generated;
}

// Fifty recipes spread over the book, as a month of dinners might be.
QStringList recipePaths()
{
    QStringList paths;
    for (int i = 0; i < kListRecipes; ++i) {
        const int m = i % GeneratedBook::kMains;
        const int s = (i * 7) % GeneratedBook::kSubs;
        const int r = (i * 3) % GeneratedBook::kRecipes;
        paths.append(QStringLiteral("Alle/") + GeneratedBook::mainName(m) + u'/' + GeneratedBook::subName(s) + u'/'
                     + GeneratedBook::recipeName(m, s, r));
    }
    return paths;
}

shopping::RecipeLines read(const QString &path)
{
    const shopping::BookRecipeRead read = shopping::readBookRecipe(book().dir.path(), QString(), path);
    if (!read.ok)
        qFatal("cannot read the generated book: %s", qPrintable(read.error));
    return {read.recipe.name, read.recipe.lines, 1.5};
}

int groupAll(const QList<shopping::Item> &items)
{
    int sum = 0;
    for (const shopping::Item &item : items)
        sum += int(shopping::groupOf(item.name));
    return sum;
}

void BM_MergeFiftyRecipes(benchmark::State &state)
{
    QList<shopping::RecipeLines> recipes;
    for (const QString &path : recipePaths())
        recipes.append(read(path));
    for (auto _ : state) {
        const QList<shopping::Item> items = shopping::mergeRecipes(recipes);
        benchmark::DoNotOptimize(groupAll(items));
        state.counters["items"] = double(items.size());
    }
}
BENCHMARK(BM_MergeFiftyRecipes)->Unit(benchmark::kMillisecond);

void BM_ListFromBook(benchmark::State &state)
{
    const QStringList paths = recipePaths();
    book();
    for (auto _ : state) {
        QList<shopping::RecipeLines> recipes;
        for (const QString &path : paths)
            recipes.append(read(path));
        const QList<shopping::Item> items = shopping::mergeRecipes(recipes);
        benchmark::DoNotOptimize(groupAll(items));
    }
}
BENCHMARK(BM_ListFromBook)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
