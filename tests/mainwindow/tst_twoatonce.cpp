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
#include <QLabel>
#include <QTextEdit>
#include <QTimer>

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
    void lockHeldByOthers_windowAnswersWhileItWaits();
    void writeProtectedDescription_isReplacedOnlyWhenTheUserSays();
    void openRecipeRenamedByOthers_isFollowedWithTheTextUnsaved_data();
    void openRecipeRenamedByOthers_isFollowedWithTheTextUnsaved();
    void openRecipeDeletedByOthers_keepsTheTextAndSaveMakesItAnew_data();
    void openRecipeDeletedByOthers_keepsTheTextAndSaveMakesItAnew();

private:
    QString alle(const QString &relative) const { return m_root->file(u"Brugere/Alle/" + relative); }
    void otherSaves(const QString &text) const;
    // Typed into the open description, not saved; the editor's text afterwards.
    QString typeUnsaved() const
    {
        w->Editor->setFocus();
        QTest::keyClicks(w->Editor, QStringLiteral("usagt "));
        return w->Editor->toPlainText();
    }
    // A change the other user makes to the list of a level above the open recipe.
    store::ListChange othersChange(int level) const
    {
        const QString folders[] = {alle(QString()), alle(QStringLiteral("Kager/")), alle(QStringLiteral("Kager/Gærbag/"))};
        const QString &folder = folders[level - 1];
        const QString list = level == 1 ? store::StorePaths::mainCategoryFile(folder) : store::StorePaths::indexFile(folder);
        return store::ListChange(m_other, {level, list, folder});
    }

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

void TestTwoAtOnce::lockHeldByOthers_windowAnswersWhileItWaits()
{
    const int saved = store::AreaLock::timeoutMs;
    store::AreaLock::timeoutMs = 300;
    const store::AreaLock other = m_other.lock();
    QVERIFY(other.isHeld());
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(5);

    w->opskriftEdit->setText(QStringLiteral("Kringle"));
    MessageHook::queue(Answer::Ok);
    w->insertExecute(3);
    store::AreaLock::timeoutMs = saved;
    // The event loop ran while the change waited: the window was never frozen.
    QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
    QCOMPARE(MessageHook::takeShown(),
             QStringList{QStringLiteral("Information: Opskrifterne bliver ændret af en anden lige nu.\rPrøv igen om et øjeblik.")});
}

void TestTwoAtOnce::openRecipeRenamedByOthers_isFollowedWithTheTextUnsaved_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("newDescription");
    QTest::newRow("the recipe") << 3 << QStringLiteral("Boller") << QStringLiteral("Hveder") << QStringLiteral("Kager/Gærbag/Hveder.rtf");
    QTest::newRow("its subcategory") << 2 << QStringLiteral("Gærbag") << QStringLiteral("Gærdej") << QStringLiteral("Kager/Gærdej/Boller.rtf");
    QTest::newRow("its main category") << 1 << QStringLiteral("Kager") << QStringLiteral("Bagværk") << QStringLiteral("Bagværk/Gærbag/Boller.rtf");
}

void TestTwoAtOnce::openRecipeRenamedByOthers_isFollowedWithTheTextUnsaved()
{
    QFETCH(int, level);
    QFETCH(QString, oldName);
    QFETCH(QString, newName);
    QFETCH(QString, newDescription);
    const QString unsaved = typeUnsaved();
    const store::ListChange change = othersChange(level);
    QCOMPARE(change.rename(oldName, -1, newName).outcome, store::ChangeOutcome::Done);

    QTRY_COMPARE(w->filnavn, alle(newDescription));
    QCOMPARE(w->Editor->toPlainText(), unsaved);
    QVERIFY(w->Editor->document()->isModified());
    const ListBox *boxes[] = {w->hovedKatBox, w->underKatBox, w->opskriftBox};
    QCOMPARE(boxes[level - 1]->selectedText(), newName);
    QVERIFY(w->opskriftLabel->text().contains(newName));
    QVERIFY(MessageHook::shown().isEmpty());

    // Saving writes the new name's description, asking nothing.
    w->AgemBeskrivelse->trigger();
    QVERIFY(MessageHook::shown().isEmpty());
    QTextDocument saved;
    QVERIFY(rtf::loadFile(alle(newDescription), &saved));
    QCOMPARE(saved.toPlainText(), unsaved);
}

void TestTwoAtOnce::openRecipeDeletedByOthers_keepsTheTextAndSaveMakesItAnew_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("name");
    QTest::newRow("the recipe") << 3 << QStringLiteral("Boller");
    QTest::newRow("its subcategory") << 2 << QStringLiteral("Gærbag");
    QTest::newRow("its main category") << 1 << QStringLiteral("Kager");
}

void TestTwoAtOnce::openRecipeDeletedByOthers_keepsTheTextAndSaveMakesItAnew()
{
    QFETCH(int, level);
    QFETCH(QString, name);
    const QString unsaved = typeUnsaved();
    MessageHook::queue(Answer::Ok);
    QCOMPARE(othersChange(level).remove(name, -1).outcome,
             store::ChangeOutcome::Done);
    QTRY_COMPARE(MessageHook::shown(),
                 QStringList{QStringLiteral("Information: Opskriften er slettet af en anden.\rDin tekst er ikke gemt.")});
    MessageHook::takeShown();
    QCOMPARE(w->Editor->toPlainText(), unsaved);
    QVERIFY(w->Editor->document()->isModified());
    QVERIFY(!w->hovedKatBox->entries().contains(name) && !w->underKatBox->entries().contains(name)
            && !w->opskriftBox->entries().contains(name));

    QVERIFY(w->AgemBeskrivelse->isEnabled());
    w->AgemBeskrivelse->trigger();
    QVERIFY(MessageHook::shown().isEmpty());
    QVERIFY(!w->Editor->document()->isModified());
    QCOMPARE(m_root->readList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Index.txt")), QStringList{QStringLiteral("Boller")});
    QVERIFY(m_root->readList(QStringLiteral("Brugere/Alle/Hovedkategori.txt")).contains(QStringLiteral("Kager")));
    QCOMPARE(m_root->readList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Bollerliste.txt")), QStringList{QStringLiteral("500 g mel")});
    QTextDocument saved;
    QVERIFY(rtf::loadFile(alle(QStringLiteral("Kager/Gærbag/Boller.rtf")), &saved));
    QCOMPARE(saved.toPlainText(), unsaved);
    // The recipe is chosen again where it was.
    QCOMPARE(w->opskriftBox->selectedText(), QStringLiteral("Boller"));
    QCOMPARE(w->underKatBox->selectedText(), QStringLiteral("Gærbag"));
}

void TestTwoAtOnce::writeProtectedDescription_isReplacedOnlyWhenTheUserSays()
{
    const QString file = alle(QStringLiteral("Kager/Gærbag/Boller.rtf"));
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    w->Editor->setFocus();
    QTest::keyClicks(w->Editor, QStringLiteral("ny "));
    w->updateActions();
    const QString question = QStringLiteral("Question: Opskriften er skrivebeskyttet.\rVil du gemme alligevel?");

    MessageHook::queue(Answer::No);
    w->AgemBeskrivelse->trigger();
    QCOMPARE(MessageHook::takeShown(), QStringList{question});
    QTextDocument kept;
    QVERIFY(rtf::loadFile(file, &kept));
    QCOMPARE(kept.toPlainText().trimmed(), QStringLiteral("Min tekst"));
    QVERIFY(w->Editor->document()->isModified());

    MessageHook::queue(Answer::Yes);
    w->AgemBeskrivelse->trigger();
    QCOMPARE(MessageHook::takeShown(), QStringList{question});
    QVERIFY(!w->Editor->document()->isModified());
    QVERIFY(rtf::loadFile(file, &kept));
    QVERIFY(kept.toPlainText().contains(QStringLiteral("ny ")));
}

QTEST_MAIN(TestTwoAtOnce)
#include "tst_twoatonce.moc"
