// A backup and a restore of the generated book of 10,000 recipes: the time each takes and the
// peak memory the process reaches while it runs (the book is never held in memory at once).

#include "backup/backupwriter.h"
#include "backup/restore.h"
#include "common/generatedbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

GeneratedBook &book()
{
    static GeneratedBook b;
    return b;
}

// The process's peak resident memory is set back to what it holds now, so that the next peak
// is the operation's own.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

double peakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

QString zipPath()
{
    return book().dir.filePath(QStringLiteral("kopi.zip"));
}

void BM_Backup(benchmark::State &state)
{
    const store::Tree area = book().paths.areaTree(false, {});
    for (auto _ : state) {
        const double before = residentMiB();
        resetPeak();
        const backup::BackupResult result = backup::writeBackup(area, QStringLiteral("Alle"), zipPath());
        if (!result.ok)
            state.SkipWithError(qPrintable(result.error));
        state.counters["recipes"] = result.recipes;
        state.counters["peak_over_start_MiB"] = peakMiB() - before;
    }
    state.counters["rtf_MB"] = double(book().rtfBytes) / 1e6;
    state.counters["zip_MB"] = double(QFileInfo(zipPath()).size()) / 1e6;
}
BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RestoreIntoEmptyArea(benchmark::State &state)
{
    if (!QFileInfo::exists(zipPath()))
        (void)backup::writeBackup(book().paths.areaTree(false, {}), QStringLiteral("Alle"), zipPath());
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir target;
        QDir(target.path()).mkpath(QStringLiteral("Brugere/Alle"));
        const store::Tree area = store::StorePaths(target.path()).areaTree(false, {});
        const double before = residentMiB();
        resetPeak();
        state.ResumeTiming();
        const backup::RestoreResult result = backup::restoreBackup(area, zipPath());
        state.PauseTiming();
        if (result.outcome != backup::RestoreResult::Outcome::Done)
            state.SkipWithError(qPrintable(result.error));
        state.counters["recipes"] = result.recipes;
        state.counters["peak_over_start_MiB"] = peakMiB() - before;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RestoreIntoEmptyArea)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
