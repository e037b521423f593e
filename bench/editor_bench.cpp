// Spell checking on a large description, typing with it on, and the cost of starting the
// program's windows.
#include "app/windowcreation.h"
#include "editor/descriptionedit.h"
#include "editor/spellchecker.h"
#include "store/storepaths.h"

#include <QApplication>
#include <QDir>
#include <QTextBlock>
#include <QTemporaryDir>
#include <QtTest>

#include <benchmark/benchmark.h>

namespace {

// About 1 MB of recipe prose in paragraphs of some 60 words, one word in 30 misspelt.
QString description(qsizetype bytes)
{
    const QStringList words = QStringLiteral(
        "skræl kartoflerne og skær dem i tern kog dem møre i letsaltet vand hak løget fint og "
        "steg det gyldent i smør tilsæt fløde peber og persille lad saucen simre ti minutter "
        "rør jævnligt server med rødbeder agurkesalat og groft brød god fornøjelse")
                                  .split(u' ');
    const QStringList misspelt{QStringLiteral("kartofflr"), QStringLiteral("smørr"), QStringLiteral("persile")};
    QString text;
    int n = 0;
    while (text.size() < bytes) {
        text += (n % 30 == 29) ? misspelt[n % 3] : words[n % words.size()];
        text += (n % 60 == 59) ? u'\n' : u' ';
        ++n;
    }
    return text;
}

struct Editor {
    Editor()
    {
        edit.resize(700, 500);
        edit.setPlainText(description(1 << 20));
        edit.show();
        QCoreApplication::processEvents();
    }
    DescriptionEdit edit;
};

void BM_LoadDanishDictionary(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(SpellChecker::load(danishDictionaryBase()));
}

// The first switch: the dictionary is loaded and every paragraph checked.
void BM_SpellCheckingOnFirstTime_1MB(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<Editor>();
        state.ResumeTiming();
        editor->edit.startSpellChecking(danishDictionaryBase(), {});
        editor->edit.recheckSpelling();
        state.PauseTiming();
        editor.reset();
        state.ResumeTiming();
    }
}

// Later switches: the dictionary and the answers known so far are kept.
void BM_SpellCheckingOnAgain_1MB(benchmark::State &state)
{
    Editor editor;
    editor.edit.startSpellChecking(danishDictionaryBase(), {});
    for (auto _ : state) {
        state.PauseTiming();
        editor.edit.stopSpellChecking();
        state.ResumeTiming();
        editor.edit.startSpellChecking(danishDictionaryBase(), {});
        editor.edit.recheckSpelling();
    }
}

// One key press and release in the middle of the description, as a user types it.
void typeInto(benchmark::State &state, bool spellChecking)
{
    Editor editor;
    if (spellChecking) {
        editor.edit.startSpellChecking(danishDictionaryBase(), {});
        editor.edit.recheckSpelling();
    }
    editor.edit.setFocus();
    QTextCursor middle(editor.edit.document()->findBlockByNumber(editor.edit.document()->blockCount() / 2));
    middle.movePosition(QTextCursor::NextWord, QTextCursor::MoveAnchor, 20);
    editor.edit.setTextCursor(middle);
    bool erase = false;
    for (auto _ : state) {
        QTest::keyClick(&editor.edit, erase ? Qt::Key_Backspace : Qt::Key_E);
        erase = !erase;
    }
}

void BM_TypeOneCharacter_1MB_SpellCheckingOn(benchmark::State &state)
{
    typeInto(state, true);
}

void BM_TypeOneCharacter_1MB_SpellCheckingOff(benchmark::State &state)
{
    typeInto(state, false);
}

// Creating all windows on a data root, as the program does before its event loop.
void BM_StartUpWindows(benchmark::State &state)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("Program"));
    QDir(root.path()).mkpath(QStringLiteral("Brugere/Alle"));
    for (auto _ : state) {
        createWindows(store::StorePaths(root.path()));
        state.PauseTiming();
        destroyWindows();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_LoadDanishDictionary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpellCheckingOnFirstTime_1MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SpellCheckingOnAgain_1MB)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TypeOneCharacter_1MB_SpellCheckingOn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypeOneCharacter_1MB_SpellCheckingOff)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartUpWindows)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
