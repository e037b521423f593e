// The window's commands out of the book and back: a backup of the open area, restoring it, and
// sharing the chosen recipe; the options dialog's buttons run the first two.
#include "../backup/bookmaker.h"
#include "../backup/zipmaker.h"
#include "../common/mainwindowfixture.h"

#include "mainwindow/filechooser.h"
#include "options/toptform.h"

#include <QButtonGroup>
#include <QToolButton>
#include <QtTest>

using Answer = MessageHook::Answer;

class TestBackupCommands : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void backupRestoreAndShare_fromTheWindow();
};

void TestBackupCommands::cleanup()
{
    QVERIFY(filechooser::queuedAnswers.isEmpty());
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestBackupCommands::backupRestoreAndShare_fromTheWindow()
{
    TestDataRoot root;
    BookMaker(root.paths().areaTree(false, {}))
        .recipe(QStringLiteral("Kager"), QStringLiteral("Småkager"), QStringLiteral("Brunkager"),
                BookMaker::rtf(QStringLiteral("Rør smør og sukker.")), {QStringLiteral("250 g smør")});
    MainWindowFixture fixture(root);
    Tmainform *w = fixture.window();
    QVERIFY(fixture.showAndActivate());
    w->opstartGroup->button(0)->click();

    // The options dialog's buttons are the commands themselves.
    QCOMPARE(optform->sikkerhedskopiButton->defaultAction(), w->Asikkerhedskopi);
    QCOMPARE(optform->indlaesButton->defaultAction(), w->AindlaesSikkerhedskopi);

    const QString zip = root.file(QStringLiteral("kopi.zip"));
    filechooser::queuedAnswers = {zip};
    MessageHook::queue(Answer::Ok);
    optform->sikkerhedskopiButton->click();
    QCOMPARE(MessageHook::takeShown(),
             QStringList{QStringLiteral("Information: Sikkerhedskopien er gemt i \"%1\": 1 hovedkategori, "
                                        "1 underkategori, 1 opskrift.").arg(zip)});
    QVERIFY(QFileInfo(zip).isFile());

    chooseEntry(w->hovedKatBox, QStringLiteral("Kager"));
    chooseEntry(w->underKatBox, QStringLiteral("Småkager"));
    filechooser::queuedAnswers = {zip};
    MessageHook::queue(Answer::Ok);
    w->AindlaesSikkerhedskopi->trigger();
    QCOMPARE(MessageHook::takeShown(),
             QStringList{QStringLiteral("Information: 1 opskrift er indlæst.\n1 fik et nyt navn, fordi navnet var taget:\n"
                                        "  Kager/Småkager/Brunkager → Brunkager (2)")});
    // The open list follows what the restore added.
    QTRY_COMPARE(w->opskriftBox->entries(), (QStringList{QStringLiteral("Brunkager"), QStringLiteral("Brunkager (2)")}));

    // A damaged archive says so, whatever could be read from it.
    const QString damaged = root.file(QStringLiteral("beskadiget.zip"));
    QFile copy(damaged);
    QFile original(zip);
    QVERIFY(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly));
    copy.write(withDirectoryOutside(original.readAll()));
    copy.close();
    filechooser::queuedAnswers = {damaged};
    MessageHook::queue(Answer::Ok);
    w->AindlaesSikkerhedskopi->trigger();
    const QStringList told = MessageHook::takeShown();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first().startsWith(QStringLiteral("Information: Sikkerhedskopien er beskadiget")), qPrintable(told.first()));
    QTRY_COMPARE(w->opskriftBox->entries().size(), 3);

    QVERIFY(!w->AdelOpskrift->isEnabled());
    chooseEntry(w->opskriftBox, QStringLiteral("Brunkager (2)"));
    QTRY_VERIFY(w->AdelOpskrift->isEnabled());
    QVERIFY(w->opskriftBox->actions().contains(w->AdelOpskrift));
    const QString html = root.file(QStringLiteral("brunkager.html"));
    filechooser::queuedAnswers = {html};
    MessageHook::queue(Answer::Ok);
    w->AdelOpskrift->trigger();
    QCOMPARE(MessageHook::takeShown(), QStringList{QStringLiteral("Information: Opskriften er gemt som \"%1\".").arg(html)});
    QFile page(html);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    QVERIFY(text.contains(QStringLiteral("<h1>Brunkager (2)</h1>")));
    QVERIFY(text.contains(QStringLiteral("<li>250 g smør</li>")));
    QVERIFY(text.contains(QStringLiteral("<p>Rør smør og sukker.</p>")));
}

QTEST_MAIN(TestBackupCommands)
#include "tst_backupcommands.moc"
