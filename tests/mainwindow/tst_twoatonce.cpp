// The window while someone else changes the same store: the test plays the other user, through
// the same store code a second window would use.
#include "mainwindowfixture.h"
#include "rtf/rtffile.h"
#include "store/listchange.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>

using Answer = MessageHook::Answer;

class TestTwoAtOnce : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void otherUsersInsert_showsAndKeepsTheChoiceAndText();
    void chosenEntryRemovedByOthers_clearsTheLevelsBelow();
    void descriptionSavedByOthers_isNotOverwrittenWithoutAQuestion();
    void unchangedDescription_followsTheOthersVersion();
    void areaBusy_isToldAndChangesNothing();

private:
    QString alle(const QString &relative) const { return m_root->file(u"Brugere/Alle/" + relative); }
    void otherSaves(const QString &text) const;

    std::unique_ptr<TestDataRoot> m_root;
    std::unique_ptr<MainWindowFixture> m_fixture;
    Tmainform *w = nullptr;
    store::Tree m_other;
};

void TestTwoAtOnce::init()
{
    m_root = std::make_unique<TestDataRoot>();
    m_root->writeList(QStringLiteral("Brugere/Alle/Hovedkategori.txt"), {QStringLiteral("Kager"), QStringLiteral("Supper")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Index.txt"), {QStringLiteral("Gærbag")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Index.txt"), {QStringLiteral("Boller")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Bollerliste.txt"), {QStringLiteral("500 g mel")});
    m_root->writeBytes(QStringLiteral("Brugere/Alle/Kager/Gærbag/Boller.rtf"), "{\\rtf1\\ansi Min tekst\\par}");
    QDir().mkpath(alle(QStringLiteral("Supper")));
    m_other = store::Tree(alle(QString()), true);

    m_fixture = std::make_unique<MainWindowFixture>(*m_root);
    w = m_fixture->window();
    QVERIFY(m_fixture->showAndActivate());
    w->modeGroup->button(1)->click();
    w->opstartGroup->button(0)->click();
    chooseEntry(w->hovedKatBox, QStringLiteral("Kager"));
    chooseEntry(w->underKatBox, QStringLiteral("Gærbag"));
    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
    w->updateActions(); // starts watching the open folders, as after any input
}

void TestTwoAtOnce::cleanup()
{
    m_fixture.reset();
    m_root.reset();
    w = nullptr;
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestTwoAtOnce::otherSaves(const QString &text) const
{
    QTextDocument doc;
    doc.setPlainText(text);
    QVERIFY(rtf::saveFile(&doc, alle(QStringLiteral("Kager/Gærbag/Boller.rtf"))));
}

void TestTwoAtOnce::otherUsersInsert_showsAndKeepsTheChoiceAndText()
{
    w->Editor->setFocus();
    QTest::keyClicks(w->Editor, QStringLiteral("usagt "));
    const QString unsaved = w->Editor->toPlainText();

    const store::ListChange mains(m_other, {1, alle(QStringLiteral("Hovedkategori.txt")), alle(QString())});
    QCOMPARE(mains.insert(QStringLiteral("Brød")).outcome, store::ChangeOutcome::Done);
    const store::ListChange ingredients(m_other, {4, alle(QStringLiteral("Kager/Gærbag/Bollerliste.txt")), QString()});
    QCOMPARE(ingredients.insert(QStringLiteral("2 æg")).outcome, store::ChangeOutcome::Done);

    QTRY_COMPARE(w->hovedKatBox->entries(), (QStringList{QStringLiteral("Brød"), QStringLiteral("Kager"), QStringLiteral("Supper")}));
    QTRY_COMPARE(w->ingrediensBox->entries(), (QStringList{QStringLiteral("500 g mel"), QStringLiteral("2 æg")}));
    // Kager moved down one place and is still the chosen entry; nothing below was reset.
    QCOMPARE(w->hovedIndex, 1);
    QCOMPARE(w->hovedKatBox->selectedIndex(), 1);
    QCOMPARE(w->opskriftIndex, 0);
    QCOMPARE(w->Editor->toPlainText(), unsaved);
    QVERIFY(w->Editor->document()->isModified());
}

void TestTwoAtOnce::chosenEntryRemovedByOthers_clearsTheLevelsBelow()
{
    const store::ListChange subs(m_other, {2, alle(QStringLiteral("Kager/Index.txt")), alle(QStringLiteral("Kager/"))});
    QCOMPARE(subs.remove(QStringLiteral("Gærbag"), 0).outcome, store::ChangeOutcome::Done);
    QTRY_COMPARE(w->underKatBox->count(), 0);
    QCOMPARE(w->underIndex, -1);
    QCOMPARE(w->opskriftBox->count(), 0);
    QVERIFY(w->filnavn.isEmpty());
    QCOMPARE(w->hovedIndex, 0);
}

void TestTwoAtOnce::descriptionSavedByOthers_isNotOverwrittenWithoutAQuestion()
{
    w->Editor->setFocus();
    QTest::keyClicks(w->Editor, QStringLiteral("mit "));
    otherSaves(QStringLiteral("Den andens tekst"));

    MessageHook::queue(Answer::No);
    QTRY_VERIFY(w->AgemBeskrivelse->isEnabled());
    w->AgemBeskrivelse->trigger();
    QCOMPARE(MessageHook::takeShown(),
             QStringList{QStringLiteral("Question: Opskriften er ændret af en anden, siden du åbnede den.\rVil du overskrive den?")});
    QVERIFY(w->Editor->toPlainText().contains(QStringLiteral("mit ")));
    QVERIFY(w->Editor->document()->isModified());

    w->Areload->trigger();
    QCOMPARE(w->Editor->toPlainText(), QStringLiteral("Den andens tekst"));
    QVERIFY(!w->Editor->document()->isModified());
    // Now the other's version is the one loaded: saving asks nothing.
    QTest::keyClicks(w->Editor, QStringLiteral("og min "));
    QTRY_VERIFY(w->AgemBeskrivelse->isEnabled());
    w->AgemBeskrivelse->trigger();
    QVERIFY(MessageHook::shown().isEmpty());
    QVERIFY(!w->Editor->document()->isModified());
}

void TestTwoAtOnce::unchangedDescription_followsTheOthersVersion()
{
    otherSaves(QStringLiteral("Ny udgave"));
    QTRY_COMPARE(w->Editor->toPlainText(), QStringLiteral("Ny udgave"));
    QVERIFY(!w->Editor->document()->isModified());
}

void TestTwoAtOnce::areaBusy_isToldAndChangesNothing()
{
    const int saved = store::AreaLock::timeoutMs;
    store::AreaLock::timeoutMs = 50;
    const store::AreaLock other = m_other.lock();
    QVERIFY(other.isHeld());

    MessageHook::queue(Answer::Yes);
    MessageHook::queue(Answer::Ok);
    w->AsletOpskrift->trigger();
    store::AreaLock::timeoutMs = saved;
    const QStringList shown = MessageHook::takeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.last(), QStringLiteral("Information: Opskrifterne bliver ændret af en anden lige nu.\rPrøv igen om et øjeblik."));
    QCOMPARE(m_root->readList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Index.txt")), QStringList{QStringLiteral("Boller")});
    QVERIFY(QFileInfo::exists(alle(QStringLiteral("Kager/Gærbag/Boller.rtf"))));
    QCOMPARE(w->opskriftIndex, 0);
}

QTEST_MAIN(TestTwoAtOnce)
#include "tst_twoatonce.moc"
