// How long the window stops answering during each thing a user does on a big book: the real main
// window on a generated book of 10,000 recipes, a subcategory of 20,000 and a description of
// 1 MB. A 5 ms timer ticks all the while; the longest gap between two ticks during an action is
// its stall, and the time until the action's work is wholly done is its total. Typing also
// gives the time from a key press to the paint that shows it.
// Usage: responsiveness_bench   (under any platform; bench/responsiveness/run runs it offscreen
// and under Xvfb with openbox)
#include "app/retterumapplication.h"
#include "app/windowcreation.h"
#include "common/generatedbook.h"
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
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString kBig = QStringLiteral("Store opskrifter");
const QString kMany = QStringLiteral("Mange");
const QString kLarge = QStringLiteral("Stor");
const QString kLargeRecipe = QStringLiteral("Lang beskrivelse");
constexpr int kManyRecipes = 20000;

// The generated book, a subcategory of 20,000 names and a recipe with a 1 MB description; the
// shared area opens at start.
struct BigBook : GeneratedBook {
    BigBook()
    {
        const QString area = paths.sharedArea();
        const QString main = area + kBig + u'/';
        QDir().mkpath(main + kMany);
        QDir().mkpath(main + kLarge);
        QStringList names;
        for (int i = 0; i < kManyRecipes; ++i)
            names.append(QStringLiteral("Æblekage med flødeskum og ristede mandler nr. %1").arg(i + 1));
        writeBenchList(main + kMany + QStringLiteral("/Index.txt"), names);
        QRandomGenerator random(7);
        writeBenchFile(main + kLarge + u'/' + kLargeRecipe + QStringLiteral(".rtf"),
                       description(random, 1024 * 1024));
        writeBenchList(main + kLarge + u'/' + kLargeRecipe + QStringLiteral("liste.txt"), ingredients(random));
        writeBenchList(main + kLarge + QStringLiteral("/Index.txt"), {kLargeRecipe});
        writeBenchList(main + QStringLiteral("Index.txt"), {kLarge, kMany});
        QStringList mains;
        for (int m = 0; m < kMains; ++m)
            mains.append(mainName(m));
        mains.append(kBig);
        writeBenchList(area + QStringLiteral("Hovedkategori.txt"), mains);

        const passwd *entry = getpwuid(geteuid());
        const QString settings = dir.path() + QStringLiteral("/Brugere/")
            + QString::fromLocal8Bit(entry ? entry->pw_name : "") + QStringLiteral("/Indstillinger");
        QDir().mkpath(settings);
        writeBenchList(settings + QStringLiteral("/indstillinger.txt"),
                       {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1057"), QStringLiteral("678"),
                        QStringLiteral("233"), QStringLiteral("200"), QStringLiteral("300"), QStringLiteral("300"),
                        QStringLiteral("Courier New"), QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("0"),
                        QStringLiteral("Courier New"), QStringLiteral("Windows")});
    }
};

// Ticks every 5 ms and remembers the longest gap while it measures.
class StallMeter : public QObject {
public:
    StallMeter()
    {
        m_clock.start();
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start();
    }
    void begin()
    {
        m_worst = 0;
        m_last = m_clock.nsecsElapsed();
    }
    double endMs()
    {
        tick();
        return double(m_worst) / 1e6;
    }

private:
    void tick()
    {
        const qint64 now = m_clock.nsecsElapsed();
        m_worst = std::max(m_worst, now - m_last);
        m_last = now;
    }

    QElapsedTimer m_clock;
    QTimer m_timer;
    qint64 m_last = 0;
    qint64 m_worst = 0;
};

// Runs the event loop until done() holds, looking every millisecond; false after timeoutMs.
bool runUntil(const std::function<bool()> &done, int timeoutMs = 120000)
{
    QEventLoop loop;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QElapsedTimer clock;
    clock.start();
    bool ok = false;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        // A message box would wait for an answer for ever: it is answered and counted.
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
        if (done()) {
            ok = true;
            loop.quit();
        } else if (clock.elapsed() > timeoutMs) {
            loop.quit();
        }
    });
    poll.start(1);
    loop.exec();
    return ok;
}

struct Row {
    QString action;
    double stallMs = 0;
    double totalMs = 0;
    double inputMs = -1; // key press to paint, where the action is typing
    bool finished = true;
};

class Bench {
public:
    explicit Bench(const BigBook &book)
        : m_book(book)
    {
    }

    void run()
    {
        startUp();
        w = mainform;
        measure(QStringLiteral("choosing a main category"), [this] { click(w->hovedKatBox, GeneratedBook::mainName(3)); },
                [this] { return w->underKatBox->count() == GeneratedBook::kSubs; });
        measure(QStringLiteral("choosing another main category"), [this] { click(w->hovedKatBox, kBig); },
                [this] { return w->underKatBox->count() == 2; });
        measure(QStringLiteral("a subcategory of 20,000 recipes"), [this] { click(w->underKatBox, kMany); },
                [this] { return w->opskriftBox->count() == kManyRecipes; });
        click(w->underKatBox, kLarge);
        settle();
        measure(QStringLiteral("a recipe with a 1 MB description"), [this] { click(w->opskriftBox, kLargeRecipe); },
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
        measure(QStringLiteral("the first search"), [this] { search(QStringLiteral("kardemomme")); },
                [this] { return w->findform && w->findform->answeredText() == u"kardemomme"; });
        measure(QStringLiteral("a keystroke in the find window"), [this] { search(QStringLiteral("kardemomme k")); },
                [this] { return w->findform->answeredText() == u"kardemomme k"; });
        w->findform->close();
        othersWrite(1000);
        if (!QPrinterInfo::defaultPrinter().isNull())
            measure(QStringLiteral("printing the 1 MB recipe"), [this] { w->AudskrivBeggeExecute(); }, [] { return true; });
        print();
    }

private:
    DescriptionEdit *edit() const { return static_cast<DescriptionEdit *>(w->Editor); }
    bool idleEditor() const { return !edit()->isSpellCheckingBehind() && !w->isLoadingDescription(); }

    static void click(ListBox *box, const QString &entry)
    {
        const QList<QListWidgetItem *> found = box->findItems(entry, Qt::MatchExactly);
        if (found.isEmpty())
            qFatal("no entry %s", qPrintable(entry));
        box->scrollToItem(found.first());
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(found.first()).center());
    }

    void search(const QString &words)
    {
        if (!w->findform || !w->findform->isVisible())
            w->aFind->trigger();
        w->findform->soegEdit->setText(words);
        emit w->findform->soegEdit->textEdited(words);
    }

    void settle() { runUntil([] { return false; }, 200); }

    void startUp()
    {
        QElapsedTimer clock;
        clock.start();
        m_meter.begin();
        createWindows(m_book.paths);
        mainform->show();
        const bool shown = runUntil([] { return mainform->firstFrameOut(); });
        m_rows.append({QStringLiteral("start-up until the first frame"), m_meter.endMs(), double(clock.nsecsElapsed()) / 1e6, -1, shown});
        settle();
    }

    void measure(const QString &action, const std::function<void()> &act, const std::function<bool()> &done)
    {
        settle();
        QElapsedTimer clock;
        m_meter.begin();
        clock.start();
        QTimer::singleShot(0, act);
        const bool finished = runUntil(done);
        const double total = double(clock.nsecsElapsed()) / 1e6;
        settle(); // what the action leaves for the event loop counts too
        m_rows.append({action, m_meter.endMs(), total, -1, finished});
    }

    // Key presses into the middle of the 1 MB text; the worst time from a press to its paint.
    void typing(const QString &action)
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
        m_rows.append({action, m_meter.endMs(), total, worstInput, true});
    }

    // Another user inserts recipes, each with its description, into the open subcategory.
    void othersWrite(int count)
    {
        settle();
        const QString folder = m_book.paths.sharedArea() + kBig + u'/' + kLarge + u'/';
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
        m_rows.append({QStringLiteral("another user writes %1 recipes").arg(count), m_meter.endMs(), total, -1, finished});
    }

    struct PaintWatch : QObject {
        explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); }
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                painted = true;
            return false;
        }
        bool painted = false;
    };

    void print() const
    {
        std::printf("%-40s %12s %12s %14s\n", "action", "stall (ms)", "total (ms)", "key→paint (ms)");
        for (const Row &row : m_rows) {
            std::printf("%-40s %12.1f %12.1f %14s%s\n", qPrintable(row.action), row.stallMs, row.totalMs,
                        row.inputMs < 0 ? "" : qPrintable(QString::number(row.inputMs, 'f', 1)),
                        row.finished ? "" : "   (did not finish)");
        }
        std::fflush(stdout);
    }

    const BigBook &m_book;
    StallMeter m_meter;
    Tmainform *w = nullptr;
    QList<Row> m_rows;
};

} // namespace

int main(int argc, char **argv)
{
    RetterumApplication app(argc, argv);
    app.useWindowFace();
    std::fprintf(stderr, "Making the book ...\n");
    const BigBook book;
    Bench bench(book);
    bench.run();
    destroyWindows();
    return 0;
}
