// Leaving a changed description asks nothing and loses nothing: the text is kept as a draft and
// offered back when the recipe is opened again.
#include "mainwindowfixture.h"
#include "mainwindow/drafts.h"
#include "rtf/rtffile.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>

using Answer = MessageHook::Answer;

class TestDrafts : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void leavingChangedText_keepsADraftThatIsOfferedBack_data();
    void leavingChangedText_keepsADraftThatIsOfferedBack();
    void declinedDraft_isGoneAndTheSavedTextShows();
    void savedRecipe_hasNoDraft();
    void draft_followsARenameAndOutlivesADeleteOnce();
    void withoutSettingsFolder_draftsLiveForTheSession();

private:
    QString alle(const QString &relative) const { return m_root->file(u"Brugere/Alle/" + relative); }
    void openBoller();
    void save() const
    {
        w->updateActions();
        QVERIFY(w->AgemBeskrivelse->isEnabled());
        w->AgemBeskrivelse->trigger();
    }
    void typeAndLeave(const QString &how);
    QString offer() const;

    std::unique_ptr<TestDataRoot> m_root;
    std::unique_ptr<MainWindowFixture> m_fixture;
    Tmainform *w = nullptr;
};

void TestDrafts::init()
{
    m_root = std::make_unique<TestDataRoot>();
    m_root->writeList(QStringLiteral("Brugere/Alle/Hovedkategori.txt"), {QStringLiteral("Kager"), QStringLiteral("Supper")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Index.txt"), {QStringLiteral("Gærbag"), QStringLiteral("Småkager")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Index.txt"), {QStringLiteral("Boller"), QStringLiteral("Kringle")});
    m_root->writeBytes(QStringLiteral("Brugere/Alle/Kager/Gærbag/Boller.rtf"), "{\\rtf1\\ansi Gemt tekst\\par}");
    QDir().mkpath(alle(QStringLiteral("Kager/Småkager")));
    QDir().mkpath(alle(QStringLiteral("Supper")));
    m_fixture = std::make_unique<MainWindowFixture>(*m_root);
    w = m_fixture->window();
    QVERIFY(m_fixture->showAndActivate());
    w->modeGroup->button(1)->click();
    w->opstartGroup->button(0)->click();
}

void TestDrafts::cleanup()
{
    m_fixture.reset();
    m_root.reset();
    w = nullptr;
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestDrafts::openBoller()
{
    chooseEntry(w->hovedKatBox, QStringLiteral("Kager"));
    chooseEntry(w->underKatBox, QStringLiteral("Gærbag"));
    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
}

void TestDrafts::typeAndLeave(const QString &how)
{
    openBoller();
    w->Editor->setFocus();
    w->Editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(w->Editor, QStringLiteral(" og mere"));
    QVERIFY(w->Editor->document()->isModified());
    if (how == u"recipe")
        chooseEntry(w->opskriftBox, QStringLiteral("Kringle"));
    else if (how == u"subcategory")
        chooseEntry(w->underKatBox, QStringLiteral("Småkager"));
    else if (how == u"main category")
        chooseEntry(w->hovedKatBox, QStringLiteral("Supper"));
    else if (how == u"area")
        w->opstartGroup->button(1)->click();
    else if (how == u"window") {
        QVERIFY(w->close());
        m_fixture.reset(); // the program ends; a new one starts
        m_fixture = std::make_unique<MainWindowFixture>(*m_root);
        w = m_fixture->window();
        QVERIFY(m_fixture->showAndActivate());
        w->modeGroup->button(1)->click();
        w->opstartGroup->button(0)->click();
    }
    // Nothing was asked on the way out, and the saved description is as it was.
    QVERIFY(MessageHook::shown().isEmpty());
    QTextDocument saved;
    QVERIFY(rtf::loadFile(alle(QStringLiteral("Kager/Gærbag/Boller.rtf")), &saved));
    QCOMPARE(saved.toPlainText().trimmed(), QStringLiteral("Gemt tekst"));
}

QString TestDrafts::offer() const
{
    const QStringList shown = MessageHook::takeShown();
    return shown.size() == 1 ? shown.first() : shown.join(QStringLiteral(" | "));
}

void TestDrafts::leavingChangedText_keepsADraftThatIsOfferedBack_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("another recipe") << QStringLiteral("recipe");
    QTest::newRow("another subcategory") << QStringLiteral("subcategory");
    QTest::newRow("another main category") << QStringLiteral("main category");
    QTest::newRow("the other area") << QStringLiteral("area");
    QTest::newRow("closing the window") << QStringLiteral("window");
}

void TestDrafts::leavingChangedText_keepsADraftThatIsOfferedBack()
{
    QFETCH(QString, how);
    typeAndLeave(how);
    if (how == u"area")
        w->opstartGroup->button(0)->click();

    MessageHook::queue(Answer::Yes);
    openBoller();
    const QString asked = offer();
    QVERIFY2(asked.startsWith(QStringLiteral("Question: Der findes en ikke-gemt udgave af opskriften fra ")), qPrintable(asked));
    QVERIFY2(asked.endsWith(QStringLiteral(".\rVil du hente den?")), qPrintable(asked));
    QVERIFY(asked.contains(QStringLiteral(" kl. ")));
    QCOMPARE(w->Editor->toPlainText().trimmed(), QStringLiteral("Gemt tekst og mere"));
    QVERIFY(w->Editor->document()->isModified());
    w->updateActions();
    QVERIFY(w->AgemBeskrivelse->isEnabled());

    // Offered once: saving now makes it the recipe's text, and no draft is left.
    save();
    chooseEntry(w->opskriftBox, QStringLiteral("Kringle"));
    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
    QVERIFY(MessageHook::shown().isEmpty());
    QCOMPARE(w->Editor->toPlainText().trimmed(), QStringLiteral("Gemt tekst og mere"));
}

void TestDrafts::declinedDraft_isGoneAndTheSavedTextShows()
{
    typeAndLeave(QStringLiteral("recipe"));
    MessageHook::queue(Answer::No);
    openBoller();
    QVERIFY(offer().startsWith(QStringLiteral("Question: Der findes en ikke-gemt")));
    QCOMPARE(w->Editor->toPlainText().trimmed(), QStringLiteral("Gemt tekst"));
    QVERIFY(!w->Editor->document()->isModified());
    chooseEntry(w->opskriftBox, QStringLiteral("Kringle"));
    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
    QVERIFY(MessageHook::shown().isEmpty());
}

void TestDrafts::savedRecipe_hasNoDraft()
{
    openBoller();
    QTest::keyClicks(w->Editor, QStringLiteral("ny "));
    save();
    chooseEntry(w->opskriftBox, QStringLiteral("Kringle"));
    openBoller();
    QVERIFY(MessageHook::shown().isEmpty());
    // Typed, left, then saved after all: the draft goes with the save.
    QTest::keyClicks(w->Editor, QStringLiteral("igen "));
    chooseEntry(w->opskriftBox, QStringLiteral("Kringle"));
    MessageHook::queue(Answer::Yes);
    openBoller();
    QVERIFY(offer().startsWith(QStringLiteral("Question: Der findes en ikke-gemt")));
    save();
    QTest::keyClicks(w->Editor, QStringLiteral("x"));
    save();
    chooseEntry(w->opskriftBox, QStringLiteral("Kringle"));
    openBoller();
    QVERIFY(MessageHook::shown().isEmpty());
}

void TestDrafts::draft_followsARenameAndOutlivesADeleteOnce()
{
    typeAndLeave(QStringLiteral("recipe"));
    // The subcategory is renamed in this window: the draft goes with it.
    chooseEntry(w->underKatBox, QStringLiteral("Gærbag"));
    MessageHook::queue(Answer::rename(QStringLiteral("Gærdej")));
    w->updateActions();
    w->AredigerUnderKat->trigger();
    MessageHook::takeShown();
    chooseEntry(w->underKatBox, QStringLiteral("Gærdej"));
    MessageHook::queue(Answer::No);
    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
    QVERIFY(offer().startsWith(QStringLiteral("Question: Der findes en ikke-gemt")));

    // Typed again, then the recipe is deleted: made anew, it offers the draft once more.
    QTest::keyClicks(w->Editor, QStringLiteral("sidste "));
    MessageHook::queue(Answer::Yes);
    w->updateActions();
    w->AsletOpskrift->trigger();
    MessageHook::takeShown();
    w->opskriftEdit->setText(QStringLiteral("Boller"));
    w->insertExecute(3);
    MessageHook::queue(Answer::Yes);
    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
    QVERIFY(offer().startsWith(QStringLiteral("Question: Der findes en ikke-gemt")));
    QVERIFY(w->Editor->toPlainText().contains(QStringLiteral("sidste")));
    w->Editor->document()->setModified(false);
    chooseEntry(w->opskriftBox, QStringLiteral("Kringle"));
    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
    QVERIFY(MessageHook::shown().isEmpty());
}

void TestDrafts::withoutSettingsFolder_draftsLiveForTheSession()
{
    Drafts drafts;
    drafts.setSettingsFolder(QString());
    drafts.keep(QStringLiteral("Alle/Kager/Gærbag/Boller"), "{\\rtf1 a}");
    drafts.keep(QStringLiteral("Alle/Kager/Gærbag/Kringle"), "{\\rtf1 b}");
    drafts.keep(QStringLiteral("Alle/Kagerne/X/Y"), "{\\rtf1 c}");
    drafts.rename(QStringLiteral("Alle/Kager"), QStringLiteral("Alle/Bagværk"));
    QVERIFY(!drafts.find(QStringLiteral("Alle/Kager/Gærbag/Boller")));
    QCOMPARE(drafts.find(QStringLiteral("Alle/Bagværk/Gærbag/Boller"))->rtf, QByteArray("{\\rtf1 a}"));
    QCOMPARE(drafts.find(QStringLiteral("Alle/Bagværk/Gærbag/Kringle"))->rtf, QByteArray("{\\rtf1 b}"));
    QVERIFY(drafts.find(QStringLiteral("Alle/Kagerne/X/Y"))); // a name that only begins the same
    drafts.drop(QStringLiteral("Alle/Bagværk/Gærbag/Boller"));
    QVERIFY(!drafts.find(QStringLiteral("Alle/Bagværk/Gærbag/Boller")));
}

QTEST_MAIN(TestDrafts)
#include "tst_drafts.moc"
