// The search window on the real main window: typing finds, Enter opens the recipe in its area
// as the user's clicks would, and the program's own changes and others' are found next time.
#include "fixturebook.h"
#include "mainwindow/tfindform.h"
#include "search/recipeindex.h"
#include "mainwindowfixture.h"

#include <QAbstractButton>
#include <QHelpEvent>
#include <QToolTip>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

QStringList shownRecipes(const Tfindform *f)
{
    QStringList names;
    for (int i = 0; i < f->resultatListe->topLevelItemCount(); ++i)
        names.append(f->resultatListe->topLevelItem(i)->text(3));
    return names;
}

} // namespace

class TestFindWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typeAndEnter_opensTheRecipeInItsAreaWithTheWordMarked();
    void doubleClick_opensARecipeOfTheOtherArea();
    void ownSaveRenameDelete_andOthersChanges_areFoundNextTime();
    void sizeAndPlace_areKeptInTheSettingsFolder();
    void excerptTooltip_showsTheWholeExcerpt();
    void descriptionsPastTheBudget_areToldOf();

private:
    Tfindform *openFind();
    void search(const QString &typed);

    std::unique_ptr<TestDataRoot> m_root;
    std::unique_ptr<FixtureBook> m_book;
    std::unique_ptr<MainWindowFixture> m_fixture;
    Tmainform *w = nullptr;
};

void TestFindWindow::init()
{
    m_root = std::make_unique<TestDataRoot>();
    m_book = std::make_unique<FixtureBook>(*m_root, Tmainform::GetUserFromWindows());
    m_book->writeAll();
    m_fixture = std::make_unique<MainWindowFixture>(*m_root);
    w = m_fixture->window();
    QVERIFY(m_fixture->showAndActivate());
}

void TestFindWindow::cleanup()
{
    search::RecipeIndex::heldTextBudget = search::RecipeIndex::kMaxHeldText;
    m_fixture.reset();
    m_book.reset();
    m_root.reset();
    w = nullptr;
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

Tfindform *TestFindWindow::openFind()
{
    QTest::keyClick(w, Qt::Key_F, Qt::ControlModifier);
    return w->findform;
}

// Types the words, waits for their answer.
void TestFindWindow::search(const QString &typed)
{
    Tfindform *f = w->findform;
    f->soegEdit->clear();
    QTest::keyClicks(f->soegEdit, typed);
    QTRY_COMPARE(f->answeredText(), typed);
}

void TestFindWindow::typeAndEnter_opensTheRecipeInItsAreaWithTheWordMarked()
{
    QCOMPARE(w->brugerOpstart, 1);
    Tfindform *f = openFind();
    QVERIFY(f);
    QTRY_VERIFY(f->isVisible());

    // Enter straight after the letters, before the pause: the first result of those words opens.
    QTest::keyClicks(f->soegEdit, QStringLiteral("Kammerjunk"));
    QTest::keyClick(f->soegEdit, Qt::Key_Return);
    QTRY_COMPARE(w->opskriftBox->selectedText(), QStringLiteral("Koldskål"));
    QCOMPARE(w->brugerOpstart, 0);
    QVERIFY(w->opstartGroup->button(0)->isChecked());
    QCOMPARE(w->windowTitle(), QStringLiteral("Retterum for alle"));
    QCOMPARE(w->hovedKatBox->selectedText(), QStringLiteral("Supper"));
    QCOMPARE(w->underKatBox->selectedText(), QStringLiteral("Kolde"));
    QCOMPARE(w->opskriftLabel->text(), QStringLiteral("Supper | Kolde | Koldskål"));
    QCOMPARE(w->ingrediensBox->entries(), (QStringList{QStringLiteral("1 l kærnemælk"), QStringLiteral("2 æggeblommer")}));
    QCOMPARE(w->Editor->textCursor().selectedText(), QStringLiteral("kammerjunk"));

    // The result row says where the word was and shows it marked.
    QCOMPARE(f->resultatListe->topLevelItemCount(), 1);
    const QTreeWidgetItem *row = f->resultatListe->topLevelItem(0);
    QCOMPARE(row->text(0), QStringLiteral("For alle"));
    QCOMPARE(row->text(4), QStringLiteral("Beskrivelse"));
    QCOMPARE(row->text(5), QStringLiteral("Server med <b>kammerjunk</b>ere."));
    QCOMPARE(f->statusLabel->text(), QStringLiteral("1 opskrift fundet."));

    search(QStringLiteral("chokolade"));
    QCOMPARE(f->statusLabel->text(), QStringLiteral("Ingen opskrifter fundet."));
    QCOMPARE(f->resultatListe->topLevelItemCount(), 0);
    QVERIFY(!f->aabnButton->isEnabled());
}

void TestFindWindow::excerptTooltip_showsTheWholeExcerpt()
{
    Tfindform *f = openFind();
    QVERIFY(f);
    QTRY_VERIFY(f->isVisible());
    search(QStringLiteral("kammerjunk"));
    QCOMPARE(f->resultatListe->topLevelItemCount(), 1);
    QTreeWidget *list = f->resultatListe;
    const QRect cell = list->visualRect(list->model()->index(0, 5));
    QVERIFY(cell.isValid());
    QHelpEvent help(QEvent::ToolTip, cell.center(), list->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(list->viewport(), &help);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Server med kammerjunkere."));
    QToolTip::hideText();
}

void TestFindWindow::doubleClick_opensARecipeOfTheOtherArea()
{
    w->opstartGroup->button(0)->click();
    QCOMPARE(w->brugerOpstart, 0);
    Tfindform *f = openFind();
    search(QStringLiteral("Æggeblommer"));
    QCOMPARE(shownRecipes(f), (QStringList{QStringLiteral("Crème brûlée"), QStringLiteral("Koldskål")}));
    search(QStringLiteral("ovn dild"));
    QCOMPARE(shownRecipes(f), QStringList{QStringLiteral("Laks i ovn")});
    QTreeWidgetItem *row = f->resultatListe->topLevelItem(0);
    const QRect rect = f->resultatListe->visualItemRect(row);
    // A double click as the system delivers it: press, release, double click, release.
    QTest::mouseClick(f->resultatListe->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(f->resultatListe->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseRelease(f->resultatListe->viewport(), Qt::LeftButton, {}, rect.center());
    QTRY_COMPARE(w->opskriftBox->selectedText(), QStringLiteral("Laks i ovn"));
    QCOMPARE(w->brugerOpstart, 1);
    QCOMPARE(w->hovedKatBox->selectedText(), QStringLiteral("Hverdag"));
    // "ovn" is only in the name: the word marked is the one the description holds.
    QCOMPARE(w->Editor->textCursor().selectedText(), QStringLiteral("dild"));
}

void TestFindWindow::ownSaveRenameDelete_andOthersChanges_areFoundNextTime()
{
    w->modeGroup->button(1)->click();
    Tfindform *f = openFind();
    search(QStringLiteral("rejer"));
    QCOMPARE(f->resultatListe->topLevelItemCount(), 0);

    // Saved here: the open search shows it without typing again.
    chooseEntry(w->hovedKatBox, QStringLiteral("Hverdag"));
    chooseEntry(w->underKatBox, QStringLiteral("Fisk"));
    chooseEntry(w->opskriftBox, QStringLiteral("Laks i ovn"));
    w->Editor->moveCursor(QTextCursor::End);
    w->Editor->insertPlainText(QStringLiteral(" Med rejer."));
    w->updateActions();
    w->AgemBeskrivelse->trigger();
    QTRY_COMPARE(shownRecipes(f), QStringList{QStringLiteral("Laks i ovn")});

    // Renamed here.
    chooseEntry(w->opskriftBox, QStringLiteral("Laks i ovn"));
    MessageHook::queue(MessageHook::Answer::rename(QStringLiteral("Laksefilet")));
    w->updateActions();
    w->AredigerOpskrift->trigger();
    search(QStringLiteral("rejer"));
    QTRY_COMPARE(shownRecipes(f), QStringList{QStringLiteral("Laksefilet")});

    // Deleted here.
    chooseEntry(w->opskriftBox, QStringLiteral("Laksefilet"));
    MessageHook::queue(MessageHook::Answer::Yes);
    w->updateActions();
    w->AsletOpskrift->trigger();
    search(QStringLiteral("citron"));
    QTRY_COMPARE(shownRecipes(f), QStringList{});
    MessageHook::takeShown();

    // Written by someone else while the program runs.
    m_book->writeDescription(m_book->privat() + QStringLiteral("Hverdag/Brød/Grovboller.rtf"),
                             QStringLiteral("Drys med kanel."));
    search(QStringLiteral("kanel"));
    QTRY_COMPARE(shownRecipes(f), QStringList{QStringLiteral("Grovboller")});
}

void TestFindWindow::sizeAndPlace_areKeptInTheSettingsFolder()
{
    Tfindform *f = openFind();
    QTRY_VERIFY(f->isVisible());
    f->move(140, 120);
    f->resize(700, 380);
    const QRect kept(f->pos(), f->size());
    f->close();
    QCOMPARE(m_root->readList(QStringLiteral("Brugere/%1/Indstillinger/findopskrift.txt")
                                  .arg(Tmainform::GetUserFromWindows())),
             (QStringList{QString::number(kept.left()), QString::number(kept.top()), QStringLiteral("700"),
                          QStringLiteral("380")}));
    Tfindform again(w, w->optDir, {});
    QCOMPARE(QRect(again.pos(), again.size()), kept);
}

// No room for any description: what is found by name and ingredients is shown, with a word on
// how many descriptions were not searched.
void TestFindWindow::descriptionsPastTheBudget_areToldOf()
{
    search::RecipeIndex::heldTextBudget = 0;
    Tfindform *f = openFind();
    QVERIFY(f);
    QTRY_VERIFY(f->isVisible());
    search(QStringLiteral("kammerjunk"));
    QCOMPARE(f->statusLabel->text(),
             QStringLiteral("Ingen opskrifter fundet. Der var ikke hukommelse nok til at søge i 6 beskrivelser."));
    search(QStringLiteral("æggeblommer"));
    QCOMPARE(shownRecipes(f), (QStringList{QStringLiteral("Crème brûlée"), QStringLiteral("Koldskål")}));
    QCOMPARE(f->statusLabel->text(),
             QStringLiteral("2 opskrifter fundet. Der var ikke hukommelse nok til at søge i 4 beskrivelser."));
    search(QStringLiteral("laks"));
    QCOMPARE(f->statusLabel->text(),
             QStringLiteral("1 opskrift fundet. Der var ikke hukommelse nok til at søge i 5 beskrivelser."));
}

QTEST_MAIN(TestFindWindow)
#include "tst_findwindow.moc"
