// How long the window stops answering during each thing a user does on a big book: the real main
// window on a generated book of 10,000 recipes, a subcategory of 20,000 and a description of
// 1 MB. A 5 ms timer ticks all the while; the longest gap between two ticks during an action is
// its stall, and the time until the action's work is wholly done is its total. Typing also
// gives the time from a key press to the paint that shows it.
// Usage: responsiveness_bench   (under any platform; bench/responsiveness/run runs it offscreen
// and under Xvfb with openbox)
#include "bench.h"

#include "app/retterumapplication.h"
#include "app/windowcreation.h"
#include "dialogs/messagehook.h"
#include "editor/descriptionedit.h"
#include "editor/editoractions.h"
#include "editor/fontpanel.h"
#include "mainwindow/listbox.h"
#include "mainwindow/tfindform.h"
#include "mainwindow/tmainform.h"
#include "store/listchange.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QTextEdit>
#include <QtTest>

#include <atomic>
#include <cstdio>
#include <thread>

void Bench::run()
{
    startUp();
    w = mainform;
    inTheBook();
    outOfTheBook();
    print();
}

void Bench::inTheBook()
{
    measure(QStringLiteral("choosing a main category"), [this] { click(w->hovedKatBox, GeneratedBook::mainName(3)); },
            [this] { return w->underKatBox->count() == GeneratedBook::kSubs; });
    measure(QStringLiteral("choosing another main category"), [this] { click(w->hovedKatBox, BigBook::kBig); },
            [this] { return w->underKatBox->count() == 2; });
    measure(QStringLiteral("a subcategory of 20,000 recipes"), [this] { click(w->underKatBox, BigBook::kMany); },
            [this] { return w->opskriftBox->count() == BigBook::kManyRecipes; });
    click(w->underKatBox, BigBook::kLarge);
    settle();
    measure(QStringLiteral("a recipe with a 1 MB description"), [this] { click(w->opskriftBox, BigBook::kLargeRecipe); },
            [this] { return w->Editor->document()->characterCount() > 500000 && idleEditor(); });
    measure(QStringLiteral("write mode"), [this] { w->modeGroup->button(1)->click(); },
            [this] { return w->fontPanel.existing() && w->fontPanel.existing()->isVisible(); });
    measure(QStringLiteral("spell checking on (1 MB)"), [this] { w->editorActions->EditStavekontrol->trigger(); },
            [this] { return edit()->isSpellChecking() && idleEditor(); });
    typing(QStringLiteral("typing into the 1 MB text"));
    measure(QStringLiteral("spell checking off (1 MB)"), [this] { w->editorActions->EditStavekontrol->trigger(); },
            [this] { return !edit()->isSpellChecking() && idleEditor(); });
    measure(QStringLiteral("saving the 1 MB description"), [this] { w->AgemBeskrivelseExecute(); },
            [this] { return !w->Editor->document()->isModified(); });
    w->Editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(w->Editor, QStringLiteral("x"));
    measure(QStringLiteral("reloading it"), [this] { w->AreloadExecute(); },
            [this] { return !w->Editor->document()->isModified() && idleEditor(); });
    // Opening the long recipe again while spell checking is on: the screenful is marked at once,
    // the rest beside the window.
    w->editorActions->EditStavekontrol->trigger();
    runUntil([this] { return idleEditor(); });
    click(w->underKatBox, BigBook::kMany);
    settle();
    click(w->underKatBox, BigBook::kLarge);
    settle();
    measure(QStringLiteral("the 1 MB recipe opened with spell checking on"),
            [this] { click(w->opskriftBox, BigBook::kLargeRecipe); },
            [this] { return w->Editor->document()->characterCount() > 500000 && idleEditor(); });
    w->editorActions->EditStavekontrol->trigger();
    runUntil([this] { return idleEditor(); });
    measure(QStringLiteral("the first search"), [this] { search(QStringLiteral("kardemomme")); },
            [this] { return w->findform && w->findform->answeredText() == u"kardemomme"; });
    measure(QStringLiteral("a keystroke in the find window"), [this] { search(QStringLiteral("kardemomme k")); },
            [this] { return w->findform->answeredText() == u"kardemomme k"; });
    w->findform->close();
    othersWrite(1000);
}

DescriptionEdit *Bench::edit() const
{
    return static_cast<DescriptionEdit *>(w->Editor);
}

bool Bench::idleEditor() const
{
    return !edit()->isSpellCheckingBehind() && !w->isLoadingDescription();
}

void Bench::click(ListBox *box, const QString &entry)
{
    const QList<QListWidgetItem *> found = box->findItems(entry, Qt::MatchExactly);
    if (found.isEmpty())
        qFatal("no entry %s", qPrintable(entry));
    box->scrollToItem(found.first());
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(found.first()).center());
}

void Bench::search(const QString &words)
{
    if (!w->findform || !w->findform->isVisible())
        w->aFind->trigger();
    w->findform->soegEdit->setText(words);
    emit w->findform->soegEdit->textEdited(words);
}

void Bench::settle()
{
    runUntil([] { return false; }, 200);
}

void Bench::startUp()
{
    QElapsedTimer clock;
    clock.start();
    m_meter.begin();
    createWindows(m_book.paths);
    mainform->show();
    const bool shown = runUntil([] { return mainform->firstFrameOut(); });
    m_rows.append({QStringLiteral("start-up until the first frame"), m_meter.endMs(), double(clock.nsecsElapsed()) / 1e6, -1, shown, {}});
    settle();
}

void Bench::measure(const QString &action, const std::function<void()> &act, const std::function<bool()> &done)
{
    settle();
    QElapsedTimer clock;
    m_meter.begin();
    clock.start();
    QTimer::singleShot(0, act);
    const bool finished = runUntil(done);
    const double total = double(clock.nsecsElapsed()) / 1e6;
    settle(); // what the action leaves for the event loop counts too
    // A message nobody expected is answered by the hook and told here.
    const QString note = MessageHook::takeShown().join(u' ');
    m_rows.append({action, m_meter.endMs(), total, -1, finished && note.isEmpty(), note});
}

void Bench::measureCommand(const QString &action, const std::function<void()> &act, const QString &expected,
                           const std::function<bool()> &done)
{
    settle();
    MessageHook::queue(MessageHook::Answer::Ok);
    bool returned = false;
    QElapsedTimer clock;
    m_meter.begin();
    clock.start();
    QTimer::singleShot(0, [&] {
        act();
        returned = true;
    });
    const bool finished = runUntil([&] { return returned && (!done || done()); });
    const double total = double(clock.nsecsElapsed()) / 1e6;
    settle();
    const QStringList shown = MessageHook::takeShown();
    const bool asExpected = shown.size() == 1 && shown.first().startsWith(QStringLiteral("Information: ") + expected);
    m_rows.append({action, m_meter.endMs(), total, -1, finished && asExpected, asExpected ? QString() : shown.join(u' ')});
    MessageHook::verifyClean();
}

// Key presses into the middle of the 1 MB text; the worst time from a press to its paint.
void Bench::typing(const QString &action)
{
    settle();
    w->Editor->setFocus();
    QTextCursor middle(w->Editor->document());
    middle.setPosition(w->Editor->document()->characterCount() / 2);
    w->Editor->setTextCursor(middle);
    w->Editor->ensureCursorVisible();
    settle();
    QElapsedTimer clock;
    m_meter.begin();
    clock.start();
    double worstInput = 0;
    for (const QChar c : QStringLiteral("kardemomme og vanilje")) {
        PaintWatch watch(w->Editor->viewport());
        QElapsedTimer pressed;
        pressed.start();
        QCoreApplication::postEvent(w->Editor, new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, QString(c)));
        QCoreApplication::postEvent(w->Editor, new QKeyEvent(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c)));
        runUntil([&watch] { return watch.painted; }, 5000);
        worstInput = std::max(worstInput, double(pressed.nsecsElapsed()) / 1e6);
        runUntil([] { return false; }, 30); // a quick typist
    }
    const double total = double(clock.nsecsElapsed()) / 1e6;
    settle();
    m_rows.append({action, m_meter.endMs(), total, worstInput, true, {}});
}

// Another user inserts recipes, each with its description, into the open subcategory.
void Bench::othersWrite(int count)
{
    settle();
    const QString folder = m_book.paths.sharedArea() + BigBook::kBig + u'/' + BigBook::kLarge + u'/';
    const store::Tree area = m_book.paths.areaTree(false, {});
    const int before = w->opskriftBox->count();
    std::atomic<bool> written{false};
    QElapsedTimer clock;
    m_meter.begin();
    clock.start();
    std::thread other([&] {
        const store::ListChange change(area, {3, folder + QStringLiteral("Index.txt"), folder});
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral("Andens opskrift %1").arg(i);
            (void)change.insert(name);
            (void)area.writeFile(folder + name + QStringLiteral(".rtf"), "{\\rtf1 x}");
        }
        written = true;
    });
    const bool finished = runUntil([&] { return written && w->opskriftBox->count() == before + count; });
    other.join();
    const double total = double(clock.nsecsElapsed()) / 1e6;
    settle();
    m_rows.append({QStringLiteral("another user writes %1 recipes").arg(count), m_meter.endMs(), total, -1, finished, {}});
}

void Bench::print() const
{
    std::printf("%-44s %12s %12s %14s\n", "action", "stall (ms)", "total (ms)", "key→paint (ms)");
    for (const Row &row : m_rows) {
        std::printf("%-44s %12.1f %12.1f %14s%s%s\n", qPrintable(row.action), row.stallMs, row.totalMs,
                    row.inputMs < 0 ? "" : qPrintable(QString::number(row.inputMs, 'f', 1)),
                    row.finished ? "" : "   (did not finish) ", qPrintable(row.note));
    }
    std::fflush(stdout);
}

int main(int argc, char **argv)
{
    RetterumApplication app(argc, argv);
    app.useWindowFace();
    MessageHook::install();
    std::fprintf(stderr, "Making the book ...\n");
    const BigBook book;
    Bench bench(book);
    bench.run();
    destroyWindows();
    return 0;
}
