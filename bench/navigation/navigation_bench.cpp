// Choosing a subcategory of 5,000 and of 20,000 recipes with a click, through the main window's
// real handler on a real data root, against the floor: reading the same list file and filling
// a plain QListWidget. Both lists are on screen and painted after each choice.
#include "app/windowcreation.h"
#include "common/generatedbook.h"
#include "mainwindow/listbox.h"
#include "mainwindow/tmainform.h"
#include "store/listfile.h"
#include "store/storepaths.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <benchmark/benchmark.h>

#include <map>

namespace {

QString subcategoryOf(int recipes)
{
    return QStringLiteral("Med %1 opskrifter").arg(recipes);
}

QStringList recipeNames(int count)
{
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names.append(QStringLiteral("Æblekage med flødeskum og ristede mandler nr. %1").arg(i + 1));
    return names;
}

// The shared area holds one main category with one subcategory per size; the main window
// opens it in read mode with that main category chosen.
class Store {
public:
    Store()
    {
        const QString alle = m_root.path() + QStringLiteral("/Brugere/Alle");
        QDir().mkpath(m_root.path() + QStringLiteral("/Program"));
        QDir().mkpath(alle + QStringLiteral("/Bagværk"));
        write(alle + QStringLiteral("/Hovedkategori.txt"), {QStringLiteral("Bagværk")});
        QStringList subcategories;
        for (int n : {5000, 20000}) {
            subcategories.append(subcategoryOf(n));
            write(indexFile(n), recipeNames(n));
        }
        write(alle + QStringLiteral("/Bagværk/Index.txt"), subcategories);

        writeBenchSettings(m_root.path());
    }

    QString path() const { return m_root.path(); }

    QString indexFile(int recipes) const
    {
        return m_root.path() + QStringLiteral("/Brugere/Alle/Bagværk/") + subcategoryOf(recipes)
            + QStringLiteral("/Index.txt");
    }

private:
    static void write(const QString &file, const QStringList &lines)
    {
        QDir().mkpath(QFileInfo(file).path());
        if (!store::writeListFile(file, lines))
            qFatal("can't write %s", qPrintable(file));
    }

    QTemporaryDir m_root;
};

Store &store()
{
    static Store s;
    return s;
}

void click(ListBox *box, const QString &entry)
{
    const QList<QListWidgetItem *> found = box->findItems(entry, Qt::MatchExactly);
    if (found.isEmpty())
        qFatal("no entry %s", qPrintable(entry));
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(found.first()).center());
}

void BM_ChooseSubcategory(benchmark::State &state)
{
    const int recipes = static_cast<int>(state.range(0));
    createWindows(store::StorePaths(store().path()));
    mainform->show();
    if (mainform->opstart)
        mainform->FormActivate();
    click(mainform->hovedKatBox, QStringLiteral("Bagværk"));
    QCoreApplication::processEvents();

    for (auto _ : state) {
        click(mainform->underKatBox, subcategoryOf(recipes));
        // The action updates and the repaint that follow every click.
        QCoreApplication::processEvents();
    }
    if (mainform->opskriftBox->count() != recipes)
        state.SkipWithError("the recipe list was not filled");
    destroyWindows();
}

void BM_FillPlainList(benchmark::State &state)
{
    const int recipes = static_cast<int>(state.range(0));
    const QString file = store().indexFile(recipes);
    // Plain, but told that its rows are alike, as every list of the main window is: without
    // that, Qt measures each of the 20,000 rows.
    QListWidget list;
    list.setUniformItemSizes(true);
    list.resize(200, 300);
    list.show();
    QCoreApplication::processEvents();

    for (auto _ : state) {
        store::ListText text;
        if (!store::readListFile(file, &text))
            state.SkipWithError("can't read the list");
        list.clear();
        list.addItems(text.entries);
        QCoreApplication::processEvents();
    }
}

// Prints each handler's time over the floor's, once both have run for a size.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            // A single run, or the median of repetitions.
            const bool wanted = run.run_type == Run::RT_Iteration ? run.repetitions <= 1
                                                                  : run.aggregate_name == "median";
            if (run.error_occurred || !wanted)
                continue;
            const std::string &name = run.run_name.function_name;
            const int size = std::stoi(run.run_name.args);
            (name == "BM_ChooseSubcategory" ? m_handler : m_floor)[size] = run.GetAdjustedRealTime();
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const auto &[size, handler] : m_handler) {
            const auto floor = m_floor.find(size);
            if (floor != m_floor.end())
                std::printf("%d recipes: click handler %.2f ms, plain list %.2f ms, ratio %.2f x\n", size,
                            handler, floor->second, handler / floor->second);
        }
    }

private:
    std::map<int, double> m_handler;
    std::map<int, double> m_floor;
};

} // namespace

BENCHMARK(BM_ChooseSubcategory)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_FillPlainList)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
