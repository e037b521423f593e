// A cookbook PDF of a generated book: 500 and 1,000 recipes (one and two main categories of the
// 10,000), the time to write it and the peak memory it takes. The peak is the process's
// high-water mark, reset before each book, so it shows whether the book is held in memory: it
// should not grow with the number of recipes.
#include "bookexport/cookbook.h"
#include "common/generatedbook.h"
#include "common/residentmemory.h"
#include "store/listfile.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

GeneratedBook &book()
{
    static GeneratedBook b;
    return b;
}

void BM_Cookbook(benchmark::State &state)
{
    const int mains = int(state.range(0));
    QStringList listed;
    for (int m = 0; m < mains; ++m)
        listed << GeneratedBook::mainName(m);
    writeBenchList(book().paths.sharedArea() + QStringLiteral("Hovedkategori.txt"), listed);

    bookexport::CookbookRequest request;
    request.area = book().paths.areaTree(false, {});
    request.areaFolder = book().paths.sharedArea();
    request.title = QStringLiteral("For alle");
    request.date = QDate(2026, 12, 24);
    request.file = book().dir.filePath(QStringLiteral("bog.pdf"));
    bookexport::CookbookResult result;
    double before = 0;
    double peak = 0;
    for (auto _ : state) {
        resetPeak();
        before = residentBytes("VmRSS:");
        result = bookexport::writeCookbook(request);
        peak = residentBytes("VmHWM:");
    }
    if (result.outcome != bookexport::CookbookResult::Outcome::Written)
        state.SkipWithError(qPrintable(result.error));
    state.counters["recipes"] = result.recipes;
    state.counters["pages"] = result.pages;
    state.counters["pdf_MB"] = double(QFileInfo(request.file).size()) / 1e6;
    state.counters["peak_MiB"] = peak / (1024 * 1024);
    state.counters["peak_over_start_MiB"] = (peak - before) / (1024 * 1024);
}
BENCHMARK(BM_Cookbook)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    book();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
