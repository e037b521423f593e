#include "editorfixture.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDesktopServices>
#include <QToolBar>
#include <QUrlQuery>

// Receives the addresses that would go to the browser.
class BrowserStandIn : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class TestWebSearch : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void searchText_data();
    void searchText();
    void services_data();
    void services();
    void toolBarButtons_inOrderAndSearchInReadMode();

private:
    BrowserStandIn m_browser;
};

static QString searched(const QUrl &url, const QString &key)
{
    return QUrlQuery(url).queryItemValue(key, QUrl::FullyDecoded);
}

void TestWebSearch::init()
{
    m_browser.opened.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_browser, "open");
}

void TestWebSearch::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestWebSearch::searchText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("anchor"); // -1: no selection, only the caret at position
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("expected");

    const QString missing = QStringLiteral("Der mangler et søgeord");
    const QString gule = QStringLiteral("kog gule-ærter i vand");
    for (int caret = 4; caret <= 14; caret += 2)
        QTest::addRow("caret at %d in gule-ærter", caret) << gule << -1 << caret << QStringLiteral("gule-ærter");
    QTest::newRow("è ends the word before the caret")
        << QStringLiteral("en crème brûlée") << -1 << 8 << QStringLiteral("me");
    QTest::newRow("caret at the start of 2 dl mælk") << QStringLiteral("2 dl mælk") << -1 << 0 << QStringLiteral("2");
    QTest::newRow("tab and full stop end a word") << QStringLiteral("\tsmør.") << -1 << 3 << QStringLiteral("smør");
    QTest::newRow("caret between two spaces") << QStringLiteral("salt  peber") << -1 << 5 << missing;
    QTest::newRow("caret in an empty line") << QStringLiteral("salt\n\npeber") << -1 << 5 << missing;
    QTest::newRow("words of the next line are not taken")
        << QStringLiteral("salt\npeber") << -1 << 4 << QStringLiteral("salt");
    QTest::newRow("selection of one space") << QStringLiteral("salt peber") << 4 << 5 << missing;
    QTest::newRow("double-click selection loses its space")
        << QStringLiteral("æbler og pærer") << 0 << 6 << QStringLiteral("æbler");
    QTest::newRow("only one trailing space is removed")
        << QStringLiteral("x  æbler  y") << 1 << 10 << QStringLiteral("  æbler ");
    QTest::newRow("two words with their space") << QStringLiteral("gule ærter") << 0 << 10 << QStringLiteral("gule ærter");
    QTest::newRow("selection made backwards") << QStringLiteral("gule ærter") << 10 << 5 << QStringLiteral("ærter");
    QTest::newRow("& and # stay in the query")
        << QStringLiteral("salt & peber #2 + 50%") << 0 << 21 << QStringLiteral("salt & peber #2 + 50%");
    QTest::newRow("selection over a line break")
        << QStringLiteral("2 dl mælk\n1 æg") << 2 << 14 << QStringLiteral("dl mælk\n1 æg");
}

// Ctrl+Shift+G with the text, selection or caret as given searches Google for the expected
// text, and the search leaves the editor's selection as it was.
void TestWebSearch::searchText()
{
    QFETCH(QString, text);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(QString, expected);

    EditorFixture f;
    f.w->Editor->setPlainText(text);
    if (anchor < 0)
        f.select(position, position);
    else
        f.select(anchor, position);
    const QTextCursor before = f.w->Editor->textCursor();

    QTest::keyClick(f.w->Editor, Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);

    QCOMPARE(m_browser.opened.size(), 1);
    const QUrl url = m_browser.opened.first();
    QCOMPARE(searched(url, QStringLiteral("q")), expected);
    // The whole text is one query value: nothing of it became another item or a fragment.
    QCOMPARE(QUrlQuery(url).queryItems().size(), 1);
    QVERIFY(!url.hasFragment());
    QCOMPARE(f.w->getTheWord(), expected);
    QCOMPARE(f.w->Editor->textCursor().anchor(), before.anchor());
    QCOMPARE(f.w->Editor->textCursor().position(), before.position());
}

void TestWebSearch::services_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("queryKey");

    QTest::newRow("Google") << QStringLiteral("googleUrl") << int(Qt::Key_G)
                            << QStringLiteral("www.google.com") << QStringLiteral("/search") << QStringLiteral("q");
    QTest::newRow("Bing") << QStringLiteral("bingUrl") << int(Qt::Key_B)
                          << QStringLiteral("www.bing.com") << QStringLiteral("/search") << QStringLiteral("q");
    QTest::newRow("YouTube") << QStringLiteral("tubeUrl") << int(Qt::Key_T) << QStringLiteral("www.youtube.com")
                             << QStringLiteral("/results") << QStringLiteral("search_query");
}

// Each shortcut opens its service's search for the word at the caret, and its action keeps
// that address.
void TestWebSearch::services()
{
    QFETCH(QString, action);
    QFETCH(int, key);
    QFETCH(QString, host);
    QFETCH(QString, path);
    QFETCH(QString, queryKey);

    EditorFixture f;
    f.w->Editor->setPlainText(QStringLiteral("bag pandekager i smør"));
    f.select(8, 8);
    QTest::keyClick(f.w->Editor, Qt::Key(key), Qt::ControlModifier | Qt::ShiftModifier);

    QCOMPARE(m_browser.opened.size(), 1);
    const QUrl url = m_browser.opened.first();
    QCOMPARE(url.scheme(), QStringLiteral("https"));
    QCOMPARE(url.host(), host);
    QCOMPARE(url.path(), path);
    QCOMPARE(url.query(QUrl::FullyEncoded), queryKey + QStringLiteral("=pandekager"));
    const auto *searchAction = f.w->findChild<QAction *>(action);
    QVERIFY(searchAction);
    QCOMPARE(searchAction->data().toUrl(), url);
}

void TestWebSearch::toolBarButtons_inOrderAndSearchInReadMode()
{
    EditorFixture f;
    f.w->modeGroup->button(0)->click(); // "Læs"
    f.w->Editor->setPlainText(QStringLiteral("risalamande"));
    f.select(3, 3);

    const QList<QAction *> all = f.w->toolPanel->actions();
    const qsizetype bing = all.indexOf(f.w->editorActions->bingUrl);
    QVERIFY(bing >= 0);
    QCOMPARE(all.mid(bing, 3), (QList<QAction *>{f.w->editorActions->bingUrl, f.w->editorActions->googleUrl,
                                                 f.w->editorActions->tubeUrl}));

    QWidget *button = f.w->toolPanel->widgetForAction(f.w->editorActions->tubeUrl);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(m_browser.opened.size(), 1);
    QCOMPARE(searched(m_browser.opened.first(), QStringLiteral("search_query")), QStringLiteral("risalamande"));

    // The word is found when the focus is elsewhere, too.
    f.w->hovedKatBox->setFocus();
    QTest::keyClick(f.w->hovedKatBox, Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_browser.opened.size(), 2);
    QCOMPARE(m_browser.opened.last().host(), QStringLiteral("www.bing.com"));
    QCOMPARE(searched(m_browser.opened.last(), QStringLiteral("q")), QStringLiteral("risalamande"));
}

QTEST_MAIN(TestWebSearch)
#include "tst_websearch.moc"
