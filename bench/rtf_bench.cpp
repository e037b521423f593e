// Reading and writing a large description as RTF, against Qt's own HTML import and export of
// the same document.

#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <benchmark/benchmark.h>

#include <map>

namespace {

using namespace Qt::StringLiterals;

// One section of a recipe: a heading, a paragraph of mixed formats and a few bullets.
void appendSection(QTextCursor &cursor, int n)
{
    QTextCharFormat plain;
    plain.setFontFamilies({u"Courier New"_s});
    plain.setFontPointSize(10);
    QTextCharFormat heading = plain;
    heading.setFontFamilies({u"Arial"_s});
    heading.setFontPointSize(16);
    heading.setFontWeight(QFont::Bold);
    heading.setForeground(QColor(0xc0, 0, 0));
    QTextCharFormat italic = plain;
    italic.setFontItalic(true);
    QTextCharFormat marked = plain;
    marked.setFontUnderline(true);
    marked.setForeground(QColor(0, 0x70, 0xc0));

    QTextBlockFormat centered;
    centered.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centered, heading);
    cursor.insertText(u"Ret nummer %1: æblekage med flødeskum"_s.arg(n), heading);
    cursor.insertBlock(QTextBlockFormat(), plain);
    cursor.insertText(u"Bland smør, sukker og æbler i en skål. Rør godt i "_s, plain);
    cursor.insertText(u"fem minutter"_s, italic);
    cursor.insertText(u", til massen er luftig. Tilsæt "_s, plain);
    cursor.insertText(u"150 g mel"_s, marked);
    cursor.insertText(u" og bag kagen ved 180 °C i 40 minutter – ikke mere. Server med "
                      "flødeskum, vanilje og gerne lidt syltetøj ved siden af."_s, plain);
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    cursor.insertBlock(QTextBlockFormat(), plain);
    QTextList *list = cursor.createList(bullets);
    for (const QString &item : {u"200 g smør"_s, u"150 g sukker"_s, u"4 æbler"_s, u"2 æg"_s}) {
        if (cursor.block().length() > 1) {
            cursor.insertBlock(QTextBlockFormat(), plain);
            list->add(cursor.block());
        }
        cursor.insertText(item, plain);
    }
}

// A section with numbered steps, a highlighted tip with spacing and a small table.
void appendStructuredSection(QTextCursor &cursor, int n)
{
    appendSection(cursor, n);
    QTextCharFormat plain;
    plain.setFontFamilies({u"Courier New"_s});
    plain.setFontPointSize(10);
    QTextCharFormat tip = plain;
    tip.setBackground(QColor(0xff, 0xff, 0));
    QTextListFormat steps;
    steps.setStyle(QTextListFormat::ListDecimal);
    steps.setNumberSuffix(u")"_s);
    QTextListFormat subSteps;
    subSteps.setStyle(QTextListFormat::ListLowerAlpha);
    subSteps.setIndent(2);
    cursor.insertBlock(QTextBlockFormat(), plain);
    QTextList *list = cursor.createList(steps);
    cursor.insertText(u"Tænd ovnen på 200 °C."_s, plain);
    cursor.insertBlock(QTextBlockFormat(), plain);
    QTextList *sub = cursor.createList(subSteps);
    cursor.insertText(u"Varmluft: 180 °C."_s, plain);
    cursor.insertBlock(QTextBlockFormat(), plain);
    sub->add(cursor.block());
    cursor.insertText(u"Gas: trin 6."_s, plain);
    cursor.insertBlock(QTextBlockFormat(), plain);
    list->add(cursor.block());
    cursor.insertText(u"Bag kagen i 40 minutter."_s, plain);
    QTextBlockFormat spaced;
    spaced.setTopMargin(8);
    spaced.setBottomMargin(8);
    spaced.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    cursor.insertBlock(spaced, plain);
    cursor.insertText(u"Tip: "_s, plain);
    cursor.insertText(u"læg bagepapir i formen."_s, tip);
    QTextTableFormat tableFormat;
    tableFormat.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 150),
                                           QTextLength(QTextLength::FixedLength, 100)});
    QTextTable *table = cursor.insertTable(3, 2, tableFormat);
    const QString cells[] = {u"Mel"_s, u"150 g"_s, u"Smør"_s, u"200 g"_s, u"Sukker"_s, u"150 g"_s};
    for (int i = 0; i < 6; ++i)
        table->cellAt(i / 2, i % 2).firstCursorPosition().insertText(cells[i], plain);
    cursor.setPosition(table->lastPosition() + 1);
}

enum Kind { Sections, Structured };

struct Fixture {
    QByteArray rtf;
    QString html;
};

// A description whose RTF is about megabytes long.
const Fixture &description(int megabytes, int kind)
{
    static std::map<std::pair<int, int>, Fixture> made;
    auto it = made.find({megabytes, kind});
    if (it != made.end())
        return it->second;
    const auto append = kind == Structured ? appendStructuredSection : appendSection;
    QTextDocument sample;
    QTextCursor sampleCursor(&sample);
    for (int i = 0; i < 100; ++i)
        append(sampleCursor, i);
    const auto sectionBytes = double(rtf::write(sample).size()) / 100;
    const int sections = int(megabytes * 1024 * 1024 / sectionBytes);

    QTextDocument doc;
    QTextCursor cursor(&doc);
    for (int i = 0; i < sections; ++i)
        append(cursor, i);
    return made.emplace(std::pair(megabytes, kind), Fixture{rtf::write(doc), doc.toHtml()}).first->second;
}

void readRtf(benchmark::State &state)
{
    const Fixture &f = description(int(state.range(0)), int(state.range(1)));
    QTextDocument doc;
    for (auto _ : state)
        rtf::read(f.rtf, &doc);
    state.SetBytesProcessed(state.iterations() * f.rtf.size());
}

void setHtml(benchmark::State &state)
{
    const Fixture &f = description(int(state.range(0)), int(state.range(1)));
    QTextDocument doc;
    for (auto _ : state)
        doc.setHtml(f.html);
    state.SetBytesProcessed(state.iterations() * f.rtf.size());
}

void writeRtf(benchmark::State &state)
{
    const Fixture &f = description(int(state.range(0)), int(state.range(1)));
    QTextDocument doc;
    rtf::read(f.rtf, &doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf::write(doc));
    state.SetBytesProcessed(state.iterations() * f.rtf.size());
}

void toHtml(benchmark::State &state)
{
    const Fixture &f = description(int(state.range(0)), int(state.range(1)));
    QTextDocument doc;
    rtf::read(f.rtf, &doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.toHtml());
    state.SetBytesProcessed(state.iterations() * f.rtf.size());
}

} // namespace

// Arguments: megabytes, and 0 for sections of text and bullets, 1 for sections that also have
// numbered steps, a highlighted tip and a table.
void sizes(benchmark::internal::Benchmark *b)
{
    b->Args({1, Sections})->Args({4, Sections})->Args({1, Structured})->Unit(benchmark::kMillisecond);
}

BENCHMARK(readRtf)->Apply(sizes);
BENCHMARK(setHtml)->Apply(sizes);
BENCHMARK(writeRtf)->Apply(sizes);
BENCHMARK(toHtml)->Apply(sizes);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
