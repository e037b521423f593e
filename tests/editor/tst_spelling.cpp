#include "editor/personalwordlist.h"
#include "editor/spellchecker.h"
#include "editorfixture.h"
#include "rtf/rtffile.h"
#include "mainwindow/listbox.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolBar>
#include <QToolButton>

using Answer = MessageHook::Answer;

namespace {

// The words of the paragraph that carry the spelling mark.
QStringList markedWords(const QTextBlock &block)
{
    QStringList words;
    const QList<QTextLayout::FormatRange> ranges = block.layout()->formats();
    for (const QTextLayout::FormatRange &r : ranges) {
        if (r.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
            words << block.text().mid(r.start, r.length);
    }
    return words;
}

QPoint pointInWord(QTextEdit *edit, int position)
{
    QTextCursor c(edit->document());
    c.setPosition(position);
    return edit->cursorRect(c).center() + QPoint(2, 0);
}

} // namespace

class TestSpelling : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void unknownWordsAreMarked_andMendedFromTheMenu();
    void addedWord_passesAfterARestart();
    void switchingTwice_keepsTextFormatsSelectionAndMark();
    void savedFile_holdsNoMarks();
    void missingDictionary_saysSoAndStaysInFunctions();
    void longText_isMarkedFromTheScreenDownInSlices();
    void longDescription_laidOutOnItsOwn();
    void longDescription_readBesideTheWindow_isWholeAndChecked();
};

void TestSpelling::initTestCase()
{
    if (!SpellChecker::load(danishDictionaryBase()))
        QFAIL("the Danish dictionary (hunspell-da) is not installed");
}

void TestSpelling::cleanup()
{
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestSpelling::unknownWordsAreMarked_andMendedFromTheMenu()
{
    EditorFixture f;
    QAction *toggle = f.w->editorActions->EditStavekontrol;
    // The dictionary offers "kartofler" for "kartoflr" (not for "kartofflr", which it marks too).
    f.type(QStringLiteral("Skræl kartofler og kartoflr."));
    toggle->trigger();
    QCOMPARE(toggle->text(), QStringLiteral("Funktioner"));
    QCOMPARE(toggle->statusTip(), QStringLiteral("Skift popup-menu til \"Funktioner\""));
    QCOMPARE(f.w->descriptionEdit()->popupMenu(), nullptr);

    const QTextBlock block = f.w->Editor->document()->firstBlock();
    QTRY_COMPARE(markedWords(block), QStringList{QStringLiteral("kartoflr")});
    // Typing goes on being checked, paragraph by paragraph.
    QTest::keyClicks(f.w->Editor, QStringLiteral(" smørr"));
    QTRY_COMPARE(markedWords(block), (QStringList{QStringLiteral("kartoflr"), QStringLiteral("smørr")}));

    std::unique_ptr<QMenu> menu(f.w->descriptionEdit()->createSpellMenu(pointInWord(f.w->Editor, 22)));
    const QList<QAction *> items = menu->actions();
    QVERIFY(!items.isEmpty());
    QAction *mend = nullptr;
    for (QAction *a : items) {
        if (a->text() == QStringLiteral("kartofler"))
            mend = a;
    }
    QVERIFY2(mend, "no suggestion \"kartofler\"");
    QVERIFY(items.indexOf(mend) < items.indexOf(menu->findChild<QAction *>(QStringLiteral("tilfoejTilOrdbog"))));
    QVERIFY(items.contains(f.w->editorActions->EditCopy1));

    mend->trigger();
    QCOMPARE(f.w->Editor->toPlainText(), QStringLiteral("Skræl kartofler og kartofler. smørr"));
    QTRY_COMPARE(markedWords(block), QStringList{QStringLiteral("smørr")});
    f.w->Editor->undo(); // one step takes the whole word back
    QCOMPARE(f.w->Editor->toPlainText(), QStringLiteral("Skræl kartofler og kartoflr. smørr"));

    // A correct word offers no suggestions; the drop-down button still has the edit menu.
    std::unique_ptr<QMenu> plain(f.w->descriptionEdit()->createSpellMenu(pointInWord(f.w->Editor, 8)));
    QVERIFY(!plain->findChild<QAction *>(QStringLiteral("tilfoejTilOrdbog")));
    auto *dropDown = f.w->toolPanel->findChild<QToolButton *>(QStringLiteral("menuButton"));
    QCOMPARE(dropDown->menu(), f.w->editorActions->EditorPU);
}

void TestSpelling::addedWord_passesAfterARestart()
{
    TestDataRoot root;
    {
        EditorFixture f(QStringLiteral("DejaVu Sans"), 10, QStringLiteral("DejaVu Serif"), &root);
        f.type(QStringLiteral("Rørt æblegrødø"));
        f.w->editorActions->EditStavekontrol->trigger();
        const QTextBlock block = f.w->Editor->document()->firstBlock();
        QTRY_COMPARE(markedWords(block), QStringList{QStringLiteral("æblegrødø")});
        std::unique_ptr<QMenu> menu(f.w->descriptionEdit()->createSpellMenu(pointInWord(f.w->Editor, 8)));
        menu->findChild<QAction *>(QStringLiteral("tilfoejTilOrdbog"))->trigger();
        QTRY_COMPARE(markedWords(block), QStringList());
        QCOMPARE(personalwordlist::read(f.w->personalWordListPath()), QStringList{QStringLiteral("æblegrødø")});
    }
    EditorFixture again(QStringLiteral("DejaVu Sans"), 10, QStringLiteral("DejaVu Serif"), &root);
    again.type(QStringLiteral("æblegrødø og kartofflr"));
    again.w->editorActions->EditStavekontrol->trigger();
    QTRY_COMPARE(markedWords(again.w->Editor->document()->firstBlock()), QStringList{QStringLiteral("kartofflr")});
}

void TestSpelling::switchingTwice_keepsTextFormatsSelectionAndMark()
{
    EditorFixture f;
    QAction *toggle = f.w->editorActions->EditStavekontrol;
    f.type(QStringLiteral("Hvedemel og gærr"));
    f.select(0, 8);
    QTest::keyClick(f.w->Editor, Qt::Key_B, Qt::ControlModifier);
    f.w->Editor->document()->setModified(false);
    f.select(3, 12);

    for (bool on : {true, false}) {
        toggle->trigger();
        QTRY_COMPARE(markedWords(f.w->Editor->document()->firstBlock()).isEmpty(), !on);
        QCOMPARE(f.w->Editor->toPlainText(), QStringLiteral("Hvedemel og gærr"));
        QCOMPARE(f.formatAt(2).fontWeight(), int(QFont::Bold));
        QCOMPARE(f.formatAt(10).fontWeight(), int(QFont::Normal));
        QCOMPARE(f.w->Editor->textCursor().selectionStart(), 3);
        QCOMPARE(f.w->Editor->textCursor().selectionEnd(), 12);
        QVERIFY(!f.w->Editor->document()->isModified());
    }
    QCOMPARE(toggle->text(), QStringLiteral("Stavekontrol"));
    QCOMPARE(toggle->statusTip(), QStringLiteral("Skift popup-menu til \"Stavekontrol\""));
    QCOMPARE(f.w->descriptionEdit()->popupMenu(), f.w->editorActions->EditorPU);
}

void TestSpelling::savedFile_holdsNoMarks()
{
    EditorFixture f;
    chooseEntry(f.w->hovedKatBox, QStringLiteral("Kager"));
    chooseEntry(f.w->underKatBox, QStringLiteral("Gærbag"));
    chooseEntry(f.w->opskriftBox, QStringLiteral("Boller"));
    f.w->editorActions->EditStavekontrol->trigger();
    f.type(QStringLiteral("Boller med kardemommme"));
    QTRY_COMPARE(markedWords(f.w->Editor->document()->firstBlock()), QStringList{QStringLiteral("kardemommme")});
    QTRY_VERIFY(f.w->AgemBeskrivelse->isEnabled());
    QTest::keyClick(f.w->Editor, Qt::Key_G, Qt::ControlModifier);

    QFile saved(f.root().file(QStringLiteral("Brugere/Alle/Kager/Gærbag/Boller.rtf")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QVERIFY(bytes.contains("kardemommme"));
    QVERIFY2(!bytes.contains("\\ul") && !bytes.contains("\\cf1"), bytes.constData());
}

void TestSpelling::missingDictionary_saysSoAndStaysInFunctions()
{
    EditorFixture f;
    f.w->stavekontrolOrdbog = f.root().file(QStringLiteral("ingen/da_DK"));
    f.type(QStringLiteral("kartofflr"));
    MessageHook::queue(Answer::Ok);
    f.w->editorActions->EditStavekontrol->trigger();
    QCOMPARE(MessageHook::takeShown(),
             QStringList{QStringLiteral("Information: Stavekontrollen kan ikke startes, fordi den danske "
                                        "ordbog mangler.\rInstaller pakken \"hunspell-da\".")});
    QCOMPARE(f.w->editorActions->EditStavekontrol->text(), QStringLiteral("Stavekontrol"));
    QCOMPARE(f.w->descriptionEdit()->popupMenu(), f.w->editorActions->EditorPU);
    QVERIFY(!f.w->descriptionEdit()->isSpellChecking());
    QCOMPARE(f.w->Editor->toPlainText(), QStringLiteral("kartofflr"));
}

void TestSpelling::longText_isMarkedFromTheScreenDownInSlices()
{
    EditorFixture f;
    QStringList paragraphs(2000, QStringLiteral("Rør smørr og sukker."));
    f.w->Editor->setPlainText(paragraphs.join(u'\n'));
    QTextDocument *doc = f.w->Editor->document();
    QAction *toggle = f.w->editorActions->EditStavekontrol;
    DescriptionEdit *edit = f.w->descriptionEdit();
    toggle->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!edit->isSpellCheckingBehind(), 60000);
    QCOMPARE(markedWords(doc->lastBlock()), QStringList{QStringLiteral("smørr")});

    // Off and on again: the screen changes at once, the last paragraph only after the window
    // has had its turn.
    for (bool on : {false, true}) {
        toggle->trigger();
        QCOMPARE(markedWords(doc->firstBlock()).isEmpty(), !on);
        QVERIFY(edit->isSpellCheckingBehind());
        QCOMPARE(markedWords(doc->lastBlock()).isEmpty(), on);
        QTRY_VERIFY_WITH_TIMEOUT(!edit->isSpellCheckingBehind(), 60000);
        QCOMPARE(markedWords(doc->lastBlock()).isEmpty(), !on);
    }
}

namespace {

// A description long enough to be read beside the window, saved as "Boller".
void saveLongDescription(EditorFixture &f, QTextDocument *long_)
{
    QString text;
    for (int i = 0; text.size() < 400 * 1024; ++i)
        text += QStringLiteral("Afsnit %1: pisk æggehvider stive med sukkerr.\n").arg(i);
    long_->setPlainText(text);
    QVERIFY(rtf::saveFile(long_, f.root().file(QStringLiteral("Brugere/Alle/Kager/Gærbag/Boller.rtf"))));
}

} // namespace

void TestSpelling::longDescription_laidOutOnItsOwn()
{
    EditorFixture f;
    QTextDocument long_;
    saveLongDescription(f, &long_);
    chooseEntry(f.w->hovedKatBox, QStringLiteral("Kager"));
    chooseEntry(f.w->underKatBox, QStringLiteral("Gærbag"));
    chooseEntry(f.w->opskriftBox, QStringLiteral("Boller"));
    // Laid out to the end with nobody asking, a slice at a time, and the scroll bar knows the
    // whole height.
    QTextDocument *doc = f.w->Editor->document();
    QTRY_VERIFY(doc->lastBlock().layout()->lineCount() > 0);
    const qreal bottom = doc->documentLayout()->blockBoundingRect(doc->lastBlock()).bottom();
    QTRY_VERIFY(f.w->Editor->verticalScrollBar()->maximum() >= bottom - f.w->Editor->viewport()->height() - 50);
}

void TestSpelling::longDescription_readBesideTheWindow_isWholeAndChecked()
{
    EditorFixture f;
    QTextDocument long_;
    saveLongDescription(f, &long_);

    f.w->editorActions->EditStavekontrol->trigger();
    QTRY_VERIFY(!f.w->descriptionEdit()->isSpellCheckingBehind());
    chooseEntry(f.w->hovedKatBox, QStringLiteral("Kager"));
    chooseEntry(f.w->underKatBox, QStringLiteral("Gærbag"));
    chooseEntry(f.w->opskriftBox, QStringLiteral("Boller"));
    QCOMPARE(f.w->Editor->toPlainText(), long_.toPlainText());
    QVERIFY(!f.w->Editor->document()->isModified());
    QCOMPARE(f.w->Editor->document()->defaultFont(), QFont(QStringLiteral("DejaVu Sans"), 10));
    QTRY_COMPARE(markedWords(f.w->Editor->document()->firstBlock()), QStringList{QStringLiteral("sukkerr")});

    // Typed, saved and read again: the same path both ways, and the checking follows.
    f.w->Editor->moveCursor(QTextCursor::End);
    f.type(QStringLiteral("Slut"));
    f.w->updateActions();
    f.w->AgemBeskrivelse->trigger();
    QVERIFY(!f.w->Editor->document()->isModified());
    f.type(QStringLiteral("x"));
    f.w->AreloadExecute();
    QVERIFY(f.w->Editor->toPlainText().endsWith(QStringLiteral("Slut")));
    QTRY_COMPARE(markedWords(f.w->Editor->document()->firstBlock()), QStringList{QStringLiteral("sukkerr")});
    f.w->Editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(f.w->Editor, QStringLiteral(" kagee"));
    QTRY_VERIFY(markedWords(f.w->Editor->textCursor().block()).contains(QStringLiteral("kagee")));
}

QTEST_MAIN(TestSpelling)
#include "tst_spelling.moc"
