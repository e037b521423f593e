#include "dialogfixture.h"

#include "dialogs/messagehook.h"
#include "dialogs/messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

using Answer = MessageHook::Answer;
Q_DECLARE_METATYPE(MessageHook::Answer::Type)

class TestMessages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { MessageHook::install(); }
    void init() { m_fixture = std::make_unique<DialogFixture>(); }
    void cleanup();
    void cleanupTestCase() { MessageHook::uninstall(); }

    void hook_givesEachAnswerToTheRealDialog_data();
    void hook_givesEachAnswerToTheRealDialog();
    void hook_answersNoLikeAMouseClick();
    void hook_withoutAnswer_closesAndReports();
    void hook_answerThatDoesNotFit_closesAndReports();
    void hook_reportsUnusedAnswersAndOpenModalWindows();
    void rename_offersCurrentTextAndEmptyField();
    void error_addsFullStop_data();
    void error_addsFullStop();
    void error_showsCriticalBoxWithLineBreaks();

private:
    std::unique_ptr<DialogFixture> m_fixture;
};

void TestMessages::cleanup()
{
    const QString leftovers = MessageHook::verifyClean();
    m_fixture.reset();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

// Runs one call of Messages and describes its outcome.
static QString call(const QString &kind, const QString &text)
{
    if (kind == u"information"_s) {
        Messages::information(text);
        return u"-"_s;
    }
    if (kind == u"question"_s)
        return Messages::question(text) ? u"Ja"_s : u"Nej"_s;
    if (kind == u"error"_s) {
        Messages::error(text);
        return u"-"_s;
    }
    const std::optional<QString> newText = Messages::rename(text);
    return newText ? u"new: "_s + *newText : u"none"_s;
}

void TestMessages::hook_givesEachAnswerToTheRealDialog_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Answer::Type>("answer");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<int>("modalResult");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("shown");

    const QString fejl = u"Der opstod en ukendt fejl.\rMåske er mappen i brug."_s;
    QTest::newRow("information, OK") << u"information"_s << fejl << Answer::Ok << QString() << 1 << u"-"_s << u"Information: "_s + fejl;
    QTest::newRow("information, close box") << u"information"_s << fejl << Answer::Close << QString() << 2 << u"-"_s << u"Information: "_s + fejl;
    QTest::newRow("question, Ja") << u"question"_s << u"Vil du slette Kager?"_s << Answer::Yes << QString() << 1 << u"Ja"_s << u"Question: Vil du slette Kager?"_s;
    QTest::newRow("question, Nej") << u"question"_s << u"Vil du slette Kager?"_s << Answer::No << QString() << 2 << u"Nej"_s << u"Question: Vil du slette Kager?"_s;
    QTest::newRow("question, close box") << u"question"_s << u"Vil du slette Kager?"_s << Answer::Close << QString() << 2 << u"Nej"_s << u"Question: Vil du slette Kager?"_s;
    QTest::newRow("rename, Indfør") << u"rename"_s << u"Kager"_s << Answer::Rename << u"Småkager"_s << 1 << u"new: Småkager"_s << u"Rename: Kager"_s;
    QTest::newRow("rename, Indfør empty") << u"rename"_s << u"Kager"_s << Answer::Rename << QString() << 1 << u"new: "_s << u"Rename: Kager"_s;
    QTest::newRow("rename, Annuller") << u"rename"_s << u"Kager"_s << Answer::Cancel << QString() << 2 << u"none"_s << u"Rename: Kager"_s;
    QTest::newRow("rename, close box") << u"rename"_s << u"Kager"_s << Answer::Close << QString() << 2 << u"none"_s << u"Rename: Kager"_s;
    QTest::newRow("error, OK") << u"error"_s << u"Filen kunne ikke gemmes"_s << Answer::Ok << QString() << int(QMessageBox::Ok) << u"-"_s << u"Error: Filen kunne ikke gemmes."_s;
}

void TestMessages::hook_givesEachAnswerToTheRealDialog()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(Answer::Type, answer);
    QFETCH(QString, newText);
    QFETCH(int, modalResult);
    QFETCH(QString, outcome);
    QFETCH(QString, shown);

    // The dialog that really ran reports how it ended.
    std::optional<int> finished;
    const auto watch = [&](QDialog *dialog) {
        return connect(dialog, &QDialog::finished, this, [&](int result) { finished = result; });
    };
    const QList<QMetaObject::Connection> connections{watch(infform), watch(spform), watch(redigeringsform)};
    std::optional<QRect> placed;
    QTimer::singleShot(0, this, [&] {
        if (QWidget *modal = QApplication::activeModalWidget())
            placed = modal->frameGeometry();
    });

    MessageHook::queue(answer == Answer::Rename ? Answer::rename(newText) : Answer(answer));
    QCOMPARE(MessageHook::pending(), 1);
    QCOMPARE(call(kind, text), outcome);
    for (const auto &connection : connections)
        disconnect(connection);

    QCOMPARE(MessageHook::pending(), 0);
    QCOMPARE(MessageHook::takeShown(), QStringList{shown});
    QVERIFY(MessageHook::shown().isEmpty());
    QCOMPARE(MessageHook::unexpected(), 0);
    if (kind != u"error"_s)
        QCOMPARE(finished, std::optional<int>(modalResult));
    // It was shown, sized and placed as in real use, and emptied on closing.
    QVERIFY(placed.has_value());
    if (kind == u"information"_s || kind == u"question"_s)
        QCOMPARE(placed->width(), 339);
    QCOMPARE(infform->tekst(), QString());
    QCOMPARE(spform->tekst(), QString());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMessages::hook_answersNoLikeAMouseClick()
{
    MessageHook::queue(Answer::No);
    QVERIFY(!Messages::question(u"Slet?"_s));
    QCOMPARE(MessageHook::takeShown(), QStringList{u"Question: Slet?"_s});
    // A clicked button takes the focus, so Enter at the next question answers "Nej".
    MessageHook::uninstall();
    const int next = execWith(spform, [] { QTest::keyClick(spform->focusWidget(), Qt::Key_Return); });
    MessageHook::install();
    QCOMPARE(next, int(mrCancel));
}

void TestMessages::hook_withoutAnswer_closesAndReports()
{
    QVERIFY(!Messages::question(u"Slet opskriften?"_s));
    Messages::information(u"Hej"_s);
    QCOMPARE(MessageHook::unexpected(), 2);
    QCOMPARE(MessageHook::shown(), (QStringList{u"Question: Slet opskriften?"_s, u"Information: Hej"_s}));
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY(leftovers.contains(u"no answer queued for Question: Slet opskriften?"_s));
    QVERIFY(leftovers.contains(u"no answer queued for Information: Hej"_s));
    QCOMPARE(MessageHook::unexpected(), 0);
    QVERIFY(MessageHook::shown().isEmpty());
}

void TestMessages::hook_answerThatDoesNotFit_closesAndReports()
{
    MessageHook::queue(Answer::Yes);
    QCOMPARE(Messages::rename(u"Kager"_s), std::nullopt);
    QCOMPARE(MessageHook::unexpected(), 1);
    QCOMPARE(MessageHook::verifyClean(), u"answer Yes does not fit Rename: Kager"_s);
}

void TestMessages::hook_reportsUnusedAnswersAndOpenModalWindows()
{
    MessageHook::queue(Answer::No);
    MessageHook::queue(Answer::rename(u"Boller"_s));
    QCOMPARE(MessageHook::pending(), 2);
    QDialog other(m_fixture->mainWindow.get());
    other.setWindowTitle(u"Udskrift"_s);
    other.setModal(true);
    other.show();
    const QString leftovers = MessageHook::verifyClean();
    QCOMPARE(leftovers.split(u'\n'),
             (QStringList{u"unused answer No"_s, u"unused answer Rename(Boller)"_s,
                          u"modal window left open: Udskrift"_s}));
    QVERIFY(!other.isVisible());
    QCOMPARE(MessageHook::pending(), 0);
    QCOMPARE(MessageHook::verifyClean(), QString());
}

void TestMessages::rename_offersCurrentTextAndEmptyField()
{
    redigeringsform->newEdit()->setText(u"fra sidst"_s);
    MessageHook::uninstall(); // answered by hand here, to look at the fields
    std::optional<QString> result;
    QTimer::singleShot(0, this, [&] {
        QCOMPARE(redigeringsform->oldEdit()->text(), u"Kager"_s);
        QCOMPARE(redigeringsform->newEdit()->text(), QString());
        QCOMPARE(redigeringsform->focusWidget(), redigeringsform->newEdit());
        QTest::keyClicks(redigeringsform->newEdit(), u"Tærter"_s);
        QTest::mouseClick(redigeringsform->findChild<QPushButton *>(u"Button2"_s), Qt::LeftButton);
        if (redigeringsform->isVisible())
            redigeringsform->done(mrCancel);
    });
    result = Messages::rename(u"Kager"_s);
    MessageHook::install();
    QCOMPARE(result, std::optional<QString>(u"Tærter"_s));
}

void TestMessages::error_addsFullStop_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("none") << u"Disken er fuld"_s << u"Error: Disken er fuld."_s;
    QTest::newRow("full stop") << u"Disken er fuld."_s << u"Error: Disken er fuld."_s;
    QTest::newRow("exclamation") << u"Disken er fuld!"_s << u"Error: Disken er fuld!."_s;
    QTest::newRow("question") << u"Er disken fuld?"_s << u"Error: Er disken fuld?."_s;
    QTest::newRow("two lines") << u"Fejl\rDisken er fuld"_s << u"Error: Fejl\rDisken er fuld."_s;
    QTest::newRow("colon") << u"Kan ikke skrive:"_s << u"Error: Kan ikke skrive:."_s;
}

void TestMessages::error_addsFullStop()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    MessageHook::queue(Answer::Ok);
    Messages::error(text);
    QCOMPARE(MessageHook::takeShown(), QStringList{shown});
}

void TestMessages::error_showsCriticalBoxWithLineBreaks()
{
    MessageHook::queue(Answer::Ok);
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            text = box->text();
            icon = box->icon();
            title = box->windowTitle();
            buttons = box->standardButtons();
        }
    });
    Messages::error(u"Filen findes ikke\rPrøv igen"_s);
    QCOMPARE(text, u"Filen findes ikke\nPrøv igen."_s);
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(title, u"Retterum"_s);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(MessageHook::takeShown(), QStringList{u"Error: Filen findes ikke\rPrøv igen."_s});
}

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
