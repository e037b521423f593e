// Reading and writing a large description as RTF, against Qt's own HTML import and export of
// the same document.

#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

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

struct Fixture {
    QByteArray rtf;
    QString html;
};

// A description whose RTF is about megabytes long.
const Fixture &description(int megabytes)
{
    static std::map<int, Fixture> made;
    auto it = made.find(megabytes);
    if (it != made.end())
        return it->second;
    QTextDocument sample;
    QTextCursor sampleCursor(&sample);
    for (int i = 0; i < 100; ++i)
        appendSection(sampleCursor, i);
    const auto sectionBytes = double(rtf::write(sample).size()) / 100;
    const int sections = int(megabytes * 1024 * 1024 / sectionBytes);

    QTextDocument doc;
    QTextCursor cursor(&doc);
    for (int i = 0; i < sections; ++i)
        appendSection(cursor, i);
    return made.emplace(megabytes, Fixture{rtf::write(doc), doc.toHtml()}).first->second;
}

void readRtf(benchmark::State &state)
{
    const Fixture &f = description(int(state.range(0)));
    QTextDocument doc;
    for (auto _ : state)
        rtf::read(f.rtf, &doc);
    state.SetBytesProcessed(state.iterations() * f.rtf.size());
}

void setHtml(benchmark::State &state)
{
    const Fixture &f = description(int(state.range(0)));
    QTextDocument doc;
    for (auto _ : state)
        doc.setHtml(f.html);
    state.SetBytesProcessed(state.iterations() * f.rtf.size());
}

void writeRtf(benchmark::State &state)
{
    const Fixture &f = description(int(state.range(0)));
    QTextDocument doc;
    rtf::read(f.rtf, &doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf::write(doc));
    state.SetBytesProcessed(state.iterations() * f.rtf.size());
}

void toHtml(benchmark::State &state)
{
    const Fixture &f = description(int(state.range(0)));
    QTextDocument doc;
    rtf::read(f.rtf, &doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.toHtml());
    state.SetBytesProcessed(state.iterations() * f.rtf.size());
}

} // namespace

BENCHMARK(readRtf)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(setHtml)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(writeRtf)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(toHtml)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

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
