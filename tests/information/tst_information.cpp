#include "helproot.h"
#include "information/tinfoform.h"
#include "mainwindowfixture.h"

#include <QDesktopServices>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

// Receives the addresses that would go to the browser.
class BrowserStandIn : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class TestInformation : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void settingsFile_data();
    void settingsFile();
    void firstToggle_showsShortcutsInExpandedTree_laterTogglesKeepTheTopic();
    void topics_showTheirPages_data();
    void topics_showTheirPages();
    void missingPage_keepsThePreviousPage();
    void unreadablePage_saysSo_data();
    void unreadablePage_saysSo();
    void foldButtons_foldAndUnfoldEveryNode();
    void links_betweenPagesStay_webLinksGoToTheBrowser();
    void settingsWriteFailure_isReported_windowStillCloses();
    void noPrivateFolder_usesDefaultsAndWritesNothing();

private:
    BrowserStandIn m_browser;
};

namespace {

QString shownPage()
{
    return QFileInfo(infoform->Web->source().toLocalFile()).fileName();
}

QStringList expandedNodes()
{
    QStringList names;
    for (QTreeWidgetItemIterator it(infoform->struktur); *it; ++it)
        if ((*it)->childCount() > 0 && (*it)->isExpanded())
            names.append((*it)->text(0));
    return names;
}

QTreeWidgetItem *node(const QString &text)
{
    const QList<QTreeWidgetItem *> found = infoform->struktur->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void clickNode(const QString &text)
{
    QTreeWidgetItem *item = node(text);
    QVERIFY2(item, qPrintable(text));
    QTreeWidget *tree = infoform->struktur;
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

// F1 as the user presses it, in whichever window of the program is active.
void pressF1()
{
    QWidget *target = QApplication::activeWindow() ? QApplication::activeWindow() : mainform;
    QTest::keyClick(target, Qt::Key_F1);
}

void openHelp(const MainWindowFixture &windows)
{
    QVERIFY(windows.showAndActivate());
    // Active again after any message of the start.
    mainform->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mainform));
    pressF1();
    QVERIFY(infoform->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(infoform));
    QTRY_VERIFY(!infoform->opstart);
}

// Clicks the link with that address in the page shown.
void clickLink(const QString &href)
{
    QTextBrowser *web = infoform->Web;
    for (QTextBlock block = web->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(web->document());
            cursor.setPosition(fragment.position() + 1);
            web->ensureCursorVisible();
            const QPoint at = web->cursorRect(cursor).center();
            QTest::mouseClick(web->viewport(), Qt::LeftButton, {}, at);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no link to %1 in %2").arg(href, shownPage())));
}

} // namespace

void TestInformation::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestInformation::settingsFile_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QPoint>("expected");

    QTest::newRow("missing file") << false << QStringList() << QPoint(30, 30);
    QTest::newRow("saved position") << true << QStringList{QStringLiteral("212"), QStringLiteral("145")} << QPoint(212, 145);
    // Off the screen is pulled onto it (a 1920 x 1200 screen, a 617 x 409 window).
    QTest::newRow("left of the screen") << true << QStringList{QStringLiteral("-5"), QStringLiteral("40")} << QPoint(0, 40);
    QTest::newRow("far right and down") << true << QStringList{QStringLiteral("5000"), QStringLiteral("5000")}
                                        << QPoint(1920 - 617, 1200 - 409);
    QTest::newRow("second line not a number") << true << QStringList{QStringLiteral("100"), QStringLiteral("høj")} << QPoint(30, 30);
    QTest::newRow("only one line") << true << QStringList{QStringLiteral("100")} << QPoint(30, 30);
    QTest::newRow("empty file") << true << QStringList() << QPoint(30, 30);
}

// The position is read at creation; the window opens there and writes it back when closed.
void TestInformation::settingsFile()
{
    QFETCH(bool, present);
    QFETCH(QStringList, lines);
    QFETCH(QPoint, expected);

    HelpRoot root;
    if (present)
        TestDataRoot::writeListAt(root.settingsFile(), lines);
    MainWindowFixture windows(root);
    QCOMPARE(infoform->pos(), expected);
    openHelp(windows);
    QCOMPARE(infoform->pos(), expected);

    pressF1();
    QVERIFY(!infoform->isVisible());
    QCOMPARE(root.readList(root.settingsFile().mid(root.path().size() + 1)),
             (QStringList{QString::number(expected.x()), QString::number(expected.y())}));
}

void TestInformation::firstToggle_showsShortcutsInExpandedTree_laterTogglesKeepTheTopic()
{
    HelpRoot root;
    MainWindowFixture windows(root);
    QVERIFY(!infoform->isVisible());
    QVERIFY(expandedNodes().isEmpty());
    QCOMPARE(infoform->struktur->currentItem(), nullptr);

    openHelp(windows);
    QCOMPARE(infoform->struktur->currentItem()->text(0), QStringLiteral("Genvejstaster"));
    QCOMPARE(shownPage(), QStringLiteral("Genvejstaster.html"));
    QCOMPARE(expandedNodes(), (QStringList{QStringLiteral("Retterum"), QStringLiteral("Funktioner")}));

    // F1 in the help window itself closes it and saves where it stood.
    infoform->move(140, 90);
    QCOMPARE(QApplication::activeWindow(), infoform.get());
    pressF1();
    QVERIFY(!infoform->isVisible());
    QCOMPARE(root.readList(root.settingsFile().mid(root.path().size() + 1)),
             (QStringList{QStringLiteral("140"), QStringLiteral("90")}));

    // Shown again: the topic and the tree as the user left them, no page loaded anew.
    infoform->struktur->collapseItem(node(QStringLiteral("Funktioner")));
    QSignalSpy loads(infoform->Web, &QTextBrowser::sourceChanged);
    mainform->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mainform));
    pressF1();
    QVERIFY(QTest::qWaitForWindowActive(infoform));
    QCOMPARE(infoform->struktur->currentItem()->text(0), QStringLiteral("Genvejstaster"));
    QCOMPARE(expandedNodes(), QStringList{QStringLiteral("Retterum")});
    QCOMPARE(loads.count(), 0);

    // The button in the main window toggles too.
    QTest::mouseClick(mainform->infButton, Qt::LeftButton);
    QVERIFY(!infoform->isVisible());
}

void TestInformation::topics_showTheirPages_data()
{
    QTest::addColumn<QString>("topic");
    for (const char *topic : {"Retterum", "Genvejstaster", "Egenskaber", "Funktioner", "Indfør", "Rediger", "Slet", "Søg"})
        QTest::newRow(topic) << QString::fromUtf8(topic);
}

// Every topic shows its own page: the file named after it, with its heading and some text.
void TestInformation::topics_showTheirPages()
{
    QFETCH(QString, topic);
    HelpRoot root;
    MainWindowFixture windows(root);
    openHelp(windows);

    clickNode(topic);
    QCOMPARE(infoform->struktur->currentItem()->text(0), topic);
    QCOMPARE(shownPage(), topic + QStringLiteral(".html"));
    QCOMPARE(infoform->Web->documentTitle(), topic);
    QVERIFY(infoform->Web->toPlainText().startsWith(topic));
    QVERIFY2(infoform->Web->toPlainText().size() > 300, qPrintable(infoform->Web->toPlainText()));
}

void TestInformation::missingPage_keepsThePreviousPage()
{
    HelpRoot root;
    QVERIFY(QFile::remove(root.informationDir() + QStringLiteral("/Slet.html")));
    MainWindowFixture windows(root);
    openHelp(windows);

    clickNode(QStringLiteral("Rediger"));
    const QString text = infoform->Web->toPlainText();
    clickNode(QStringLiteral("Slet"));
    QCOMPARE(infoform->struktur->currentItem()->text(0), QStringLiteral("Slet"));
    QCOMPARE(shownPage(), QStringLiteral("Rediger.html"));
    QCOMPARE(infoform->Web->toPlainText(), text);
    QVERIFY(MessageHook::shown().isEmpty());
}

void TestInformation::unreadablePage_saysSo_data()
{
    QTest::addColumn<bool>("closed");
    QTest::newRow("first page missing") << false;
    QTest::newRow("first page closed to its reader") << true;
}

// The page help opens with can't be read: the view says so instead of staying blank.
void TestInformation::unreadablePage_saysSo()
{
    QFETCH(bool, closed);
    HelpRoot root;
    QFile page(root.informationDir() + QStringLiteral("/Genvejstaster.html"));
    if (closed) {
        QVERIFY(page.setPermissions({}));
        if (page.open(QIODevice::ReadOnly))
            QSKIP("permission bits don't stop this user");
    } else {
        QVERIFY(page.remove());
    }
    MainWindowFixture windows(root);
    openHelp(windows);
    QCOMPARE(infoform->struktur->currentItem()->text(0), QStringLiteral("Genvejstaster"));
    QCOMPARE(infoform->Web->toPlainText(),
             QStringLiteral("Hjælpesiden \"Genvejstaster\" kan ikke læses.\n"
                            "Installer programmet igen for at få den tilbage."));
    // A readable page shows as before.
    clickNode(QStringLiteral("Rediger"));
    QCOMPARE(shownPage(), QStringLiteral("Rediger.html"));
    QVERIFY(infoform->Web->toPlainText().startsWith(QStringLiteral("Rediger")));
    QVERIFY(MessageHook::shown().isEmpty());
}

void TestInformation::foldButtons_foldAndUnfoldEveryNode()
{
    HelpRoot root;
    MainWindowFixture windows(root);
    openHelp(windows);
    clickNode(QStringLiteral("Funktioner"));

    QTest::mouseClick(infoform->sammenfoldButton, Qt::LeftButton);
    QVERIFY(expandedNodes().isEmpty());
    QTest::mouseClick(infoform->udfoldButton, Qt::LeftButton);
    QCOMPARE(expandedNodes(), (QStringList{QStringLiteral("Retterum"), QStringLiteral("Funktioner")}));
    QCOMPARE(shownPage(), QStringLiteral("Funktioner.html"));
    QCOMPARE(infoform->udfoldButton->statusTip(), QStringLiteral("Udfold hele strukturen"));
    QCOMPARE(infoform->sammenfoldButton->statusTip(), QStringLiteral("Sammenfold hele strukturen"));
}

// A link to another page shows it here and chooses its topic; a link to the web goes to the
// browser and the page stays.
void TestInformation::links_betweenPagesStay_webLinksGoToTheBrowser()
{
    HelpRoot root;
    root.writeBytes(QStringLiteral("Program/Information/Egenskaber.html"),
                    QByteArrayLiteral("<html><body><p>Se <a href=\"https://www.example.org/side?a=1\">nettet</a>.</p>"
                                      "<p>Eller <a href=\"Indf\xc3\xb8r.html\">Indf\xc3\xb8r</a>.</p></body></html>"));
    BrowserStandIn &browser = m_browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    MainWindowFixture windows(root);
    openHelp(windows);

    clickNode(QStringLiteral("Egenskaber"));
    clickLink(QStringLiteral("https://www.example.org/side?a=1"));
    QCOMPARE(browser.opened, QList<QUrl>{QUrl(QStringLiteral("https://www.example.org/side?a=1"))});
    QCOMPARE(shownPage(), QStringLiteral("Egenskaber.html"));

    clickLink(QStringLiteral("Indfør.html"));
    QCOMPARE(shownPage(), QStringLiteral("Indfør.html"));
    QCOMPARE(infoform->struktur->currentItem()->text(0), QStringLiteral("Indfør"));
    QCOMPARE(browser.opened.size(), 1);
}

void TestInformation::settingsWriteFailure_isReported_windowStillCloses()
{
    HelpRoot root;
    MainWindowFixture windows(root);
    // A folder where the file should be: the write fails for root too.
    QVERIFY(QDir().mkpath(root.settingsFile()));
    openHelp(windows);

    MessageHook::queue(MessageHook::Answer::Ok);
    pressF1();
    QVERIFY(!infoform->isVisible());
    const QStringList shown = MessageHook::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().startsWith(QStringLiteral("Error: ")) && shown.first().contains(QStringLiteral("information.txt")),
             qPrintable(shown.first()));
    QVERIFY(QFileInfo(root.settingsFile()).isDir());
}

// A private folder that is not the user's own gives no settings folder: the help still opens
// at its default place and nothing is written anywhere.
void TestInformation::noPrivateFolder_usesDefaultsAndWritesNothing()
{
    HelpRoot root;
    QTemporaryDir elsewhere;
    const QString userFolder = root.paths().userFolder(Tmainform::GetUserFromWindows());
    QVERIFY(QFile::link(elsewhere.path(), userFolder));
    MainWindowFixture windows(root);
    QVERIFY(infoform->optFilnavn.isEmpty());

    MessageHook::queue(MessageHook::Answer::Ok); // why the private folder is not used
    openHelp(windows);
    QVERIFY(MessageHook::takeShown().size() == 1);
    QCOMPARE(infoform->pos(), QPoint(30, 30));
    pressF1();
    QVERIFY(!infoform->isVisible());
    QVERIFY(QDir(elsewhere.path()).isEmpty());
    QVERIFY(MessageHook::shown().isEmpty());
}

QTEST_MAIN(TestInformation)
#include "tst_information.moc"
