// Reading a recipe from a large page as recipe sites serve them: most of the bytes scripts and
// styles (code, the page's state as JSON), the rest advertising and navigation markup,
// comments, and one recipe as JSON-LD and as plugin markup.

#include "common/generatedpage.h"
#include "webimport/pagereader.h"

#include <QByteArray>

#include <benchmark/benchmark.h>

namespace {

void BM_ReadLargePage(benchmark::State &state)
{
    const QByteArray page = generatedPage(2 * 1024 * 1024);
    for (auto _ : state) {
        const webimport::ReadResult read =
            webimport::readRecipe(page, QStringLiteral("text/html; charset=utf-8"), QStringLiteral("https://example.org/boller/"));
        if (!read.ok || read.recipe.steps.size() != 4)
            state.SkipWithError("the recipe was not read");
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(BM_ReadLargePage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
