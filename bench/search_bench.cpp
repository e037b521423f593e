// Finding recipes in a generated book of 10,000: building the index and the first search,
// one search per keystroke, the look for others' changes, and the index's memory against the
// plain text it holds.

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

constexpr int kMains = 20;
constexpr int kSubs = 25;
constexpr int kRecipes = 20; // per subcategory: 10,000 in all

const char *const kWords[] = {
    "mel", "sukker", "sm\\'f8r", "\\'e6g", "m\\'e6lk", "k\\'e6rnem\\'e6lk", "fl\\'f8de", "g\\'e6r",
    "salt", "peber", "l\\'f8g", "hvidl\\'f8g", "gulerod", "kartofler", "persille", "dild",
    "citron", "vanilje", "kanel", "kardemomme", "r\\'f8r", "pisk", "bag", "kog", "steg",
    "ovnen", "gryden", "panden", "minutter", "grader", "lunt", "koldt", "godt", "rundt",
    "cr\\'e8me", "br\\'fbl\\'e9e", "\\'e5l", "laks", "torsk", "kylling", "svinem\\'f8rbrad",
    "og", "med", "i", "til", "en", "et", "den", "det", "af", "p\\'e5", "under", "over"};
const char *const kPlain[] = {"mel", "sukker", "smør", "æg", "mælk", "kærnemælk", "fløde", "gær",
                              "salt", "peber", "løg", "hvidløg", "gulerod", "kartofler", "persille",
                              "dild", "citron", "vanilje", "kanel", "kardemomme", "laks", "torsk"};

QByteArray description(QRandomGenerator &random)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
                     "{\\f1\\fnil Courier New;}}{\\colortbl ;\\red255\\green0\\blue0;}"
                     "\\viewkind4\\uc1\\pard\\cf1\\b\\f0\\fs28 Fremgangsm\\'e5de\\cf0\\b0\\par\\f1\\fs20 ";
    const int target = 2048 + int(random.bounded(3 * 1024));
    while (rtf.size() < target) {
        for (int i = 0; i < 12; ++i) {
            rtf += kWords[random.bounded(int(std::size(kWords)))];
            rtf += ' ';
        }
        rtf += random.bounded(4) == 0 ? "\\par\n" : ". ";
    }
    return rtf + "\\par}";
}

QStringList ingredients(QRandomGenerator &random)
{
    QStringList lines;
    const int count = 10 + int(random.bounded(11));
    for (int i = 0; i < count; ++i)
        lines.append(QString::number(1 + random.bounded(500)) + QStringLiteral(" g ")
                     + QString::fromUtf8(kPlain[random.bounded(int(std::size(kPlain)))]));
    return lines;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void writeList(const QString &path, const QStringList &entries)
{
    if (!store::writeListFile(path, entries))
        qFatal("cannot write %s", qPrintable(path));
}

// The book is made once, in the shared area of a temporary data root.
struct Book {
    QTemporaryDir dir;
    store::StorePaths paths{dir.path()};
    qint64 rtfBytes = 0;

    Book()
    {
        QRandomGenerator random(15);
        const QString area = paths.sharedArea();
        QStringList mains;
        for (int m = 0; m < kMains; ++m) {
            const QString main = QStringLiteral("Hovedkategori %1").arg(m);
            mains.append(main);
            QStringList subs;
            for (int s = 0; s < kSubs; ++s) {
                const QString sub = QStringLiteral("Underkategori %1").arg(s);
                subs.append(sub);
                const QString folder = area + main + u'/' + sub + u'/';
                QDir().mkpath(folder);
                QStringList recipes;
                for (int r = 0; r < kRecipes; ++r) {
                    const QString name = QStringLiteral("Opskrift %1-%2-%3").arg(m).arg(s).arg(r);
                    recipes.append(name);
                    writeList(folder + name + QStringLiteral("liste.txt"), ingredients(random));
                    const QByteArray rtf = description(random);
                    rtfBytes += rtf.size();
                    write(folder + name + QStringLiteral(".rtf"), rtf);
                }
                writeList(folder + QStringLiteral("Index.txt"), recipes);
            }
            writeList(area + main + QStringLiteral("/Index.txt"), subs);
        }
        writeList(area + QStringLiteral("Hovedkategori.txt"), mains);
    }

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
