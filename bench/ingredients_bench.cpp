// Reading every ingredient line of a generated 10,000-recipe book (about 150,000 lines), as the
// shopping list and the pages do; then the same number of lines in every shape the reader knows,
// and scaling the book's lines.
#include "common/generatedbook.h"
#include "ingredients/ingredientline.h"
#include "store/listfile.h"

#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <iterator>

namespace {

QStringList bookLines()
{
    GeneratedBook book;
    QStringList lines;
    for (int m = 0; m < GeneratedBook::kMains; ++m) {
        for (int s = 0; s < GeneratedBook::kSubs; ++s) {
            const QString folder = book.paths.sharedArea() + GeneratedBook::mainName(m) + u'/' + GeneratedBook::subName(s) + u'/';
            for (int r = 0; r < GeneratedBook::kRecipes; ++r) {
                store::ListText list;
                if (!store::readListFile(folder + GeneratedBook::recipeName(m, s, r) + QStringLiteral("liste.txt"), &list).ok)
                    qFatal("cannot read the generated book");
                lines += list.entries;
            }
        }
    }
    return lines;
}

const QStringList &lines()
{
    static const QStringList all = bookLines();
    return all;
}

const char *const kShapes[] = {
    "1½ spsk sukker", "2,5 dl mælk", "3-4 fed hvidløg, presset", "ca. 200 g smør", "salt og peber",
    "olie til stegning", "evt. persille", "1 dåse hakkede tomater (400 g)", "et halvt løg", "smør, 100 g",
    "hvedemel (250 g)", "Dej:", "", "2 til 3 gulerødder", "1 1/2 dl vand", "½ tsk stødt kanel",
    "1 (14 oz) can diced tomatoes", "2 cups all-purpose flour", "1 tbsp olive oil", "salt, to taste",
    "4 skiver rugbrød", "1 bundt forårsløg", "500 g hakket svine- og kalvekød", "2 EL Olivenöl",
    "1 kg kartofler, skrællede og skåret i både", "en knivspids salt", "8 oz cream cheese, softened"};

QStringList variedLines(qsizetype count)
{
    QRandomGenerator random(33);
    QStringList varied;
    varied.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        varied.append(QString::fromUtf8(kShapes[random.bounded(int(std::size(kShapes)))]));
    return varied;
}

void BM_ReadBook(benchmark::State &state)
{
    const QStringList &all = lines();
    for (auto _ : state) {
        for (const QString &line : all)
            benchmark::DoNotOptimize(ingredients::readLine(line));
    }
    state.counters["lines"] = double(all.size());
    state.SetItemsProcessed(state.iterations() * all.size());
}
BENCHMARK(BM_ReadBook)->Unit(benchmark::kMillisecond);

void BM_ReadVariedLines(benchmark::State &state)
{
    const QStringList varied = variedLines(lines().size());
    for (auto _ : state) {
        for (const QString &line : varied)
            benchmark::DoNotOptimize(ingredients::readLine(line));
    }
    state.counters["lines"] = double(varied.size());
    state.SetItemsProcessed(state.iterations() * varied.size());
}
BENCHMARK(BM_ReadVariedLines)->Unit(benchmark::kMillisecond);

void BM_ScaleBook(benchmark::State &state)
{
    const QStringList &all = lines();
    for (auto _ : state) {
        for (const QString &line : all)
            benchmark::DoNotOptimize(ingredients::scaledLine(line, 1.5));
    }
    state.SetItemsProcessed(state.iterations() * all.size());
}
BENCHMARK(BM_ScaleBook)->Unit(benchmark::kMillisecond);

// One hostile line of a megabyte: what reading it costs.
void BM_ReadMegabyteLine(benchmark::State &state)
{
    const QString line = QStringLiteral("2 dl ") + QStringLiteral("mælk (fløde, ").repeated(80000);
    for (auto _ : state)
        benchmark::DoNotOptimize(ingredients::readLine(line));
}
BENCHMARK(BM_ReadMegabyteLine)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
