// Finding recipes in a generated book of 10,000: building the index and the first search,
// one search per keystroke, the look for others' changes, and the index's memory against the
// plain text it holds.

#include "common/generatedbook.h"
#include "search/recipeindex.h"
#include "search/textfold.h"
#include "store/listfile.h"
#include "store/storepaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

// The book is made once, in the shared area of a temporary data root.
struct Book : GeneratedBook {
    QList<search::AreaSource> areas() const
    {
        return {{false, paths.areaTree(false, {}), paths.sharedArea()}};
    }
};

Book &book()
{
    static Book b;
    return b;
}

search::RecipeIndex &builtIndex()
{
    static search::RecipeIndex index = [] {
        search::RecipeIndex i(book().areas());
        i.refresh();
        return i;
    }();
    return index;
}

// The files are in the page cache, as they are after the first look at the book.
void BM_FirstSearch_IndexIncluded(benchmark::State &state)
{
    const QStringList words = search::queryWords(QStringLiteral("kærnemælk"));
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        search::RecipeIndex index(book().areas());
        index.refresh();
        benchmark::DoNotOptimize(index.search(words, 200));
        const size_t after = mallinfo2().uordblks;
        state.counters["recipes"] = index.recipeCount();
        state.counters["text_MB"] = double(index.textBytes()) / 1e6;
        state.counters["index_MB"] = double(index.memoryBytes()) / 1e6;
        state.counters["heap_MB"] = double(after - before) / 1e6;
        state.counters["index_per_text"] = double(index.memoryBytes()) / double(index.textBytes());
        state.counters["heap_per_text"] = double(after - before) / double(index.textBytes());
        state.counters["rtf_MB"] = double(book().rtfBytes) / 1e6;
    }
}
BENCHMARK(BM_FirstSearch_IndexIncluded)->Unit(benchmark::kMillisecond)->Iterations(3);

// What each keystroke costs once the index is there: a few letters, a rare word, two words,
// and one letter, which finds nearly everything.
void BM_Keystroke(benchmark::State &state, const char *typed)
{
    const QStringList words = search::queryWords(QString::fromUtf8(typed));
    search::RecipeIndex &index = builtIndex();
    int total = 0;
    for (auto _ : state)
        total = index.search(words, 200).total;
    state.counters["found"] = total;
}
BENCHMARK_CAPTURE(BM_Keystroke, kaer, "kær")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, kaernemaelk, "kærnemælk")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, two_words, "laks kanel")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, creme, "creme brulee dild")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, one_letter, "e")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, no_match, "chokolade")->Unit(benchmark::kMillisecond);

// The look for others' changes after an answer, when nothing changed.
void BM_RefreshUnchanged(benchmark::State &state)
{
    search::RecipeIndex &index = builtIndex();
    for (auto _ : state)
        benchmark::DoNotOptimize(index.refresh());
}
BENCHMARK(BM_RefreshUnchanged)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    book();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
