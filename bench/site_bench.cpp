// The generated 10,000-recipe book exported as a site: the time, the peak memory (the process's
// high-water mark, reset before the export) and the size of the search index the front page
// loads. A second export of the unchanged book shows the cost of comparing without writing.
#include "common/generatedbook.h"
#include "common/residentmemory.h"
#include "site/siteexport.h"

#include <QDir>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

GeneratedBook &book()
{
    static GeneratedBook b;
    return b;
}

void BM_Site(benchmark::State &state)
{
    site::SiteRequest request;
    request.area = book().paths.areaTree(false, {});
    request.areaFolder = book().paths.sharedArea();
    request.title = QStringLiteral("For alle");
    request.folder = book().dir.filePath(QStringLiteral("side"));
    site::SiteResult result;
    double before = 0;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (state.range(0) == 0)
            QDir(request.folder).removeRecursively();
        else if (!QFileInfo::exists(request.folder))
            site::exportSite(request);
        resetPeak();
        before = residentBytes("VmRSS:");
        state.ResumeTiming();
        result = site::exportSite(request);
        peak = residentBytes("VmHWM:");
    }
    if (result.outcome != site::SiteResult::Outcome::Written)
        state.SkipWithError(qPrintable(result.error));
    state.counters["recipes"] = result.recipes;
    state.counters["written"] = result.written;
    state.counters["index_MB"] = double(result.indexBytes) / 1e6;
    state.counters["peak_MiB"] = peak / (1024 * 1024);
    state.counters["peak_over_start_MiB"] = (peak - before) / (1024 * 1024);
}
// 0: into an empty folder; 1: again over the unchanged site.
BENCHMARK(BM_Site)->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->Iterations(1);

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
