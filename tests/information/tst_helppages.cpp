#include "mainwindowfixture.h"

#include <QAction>
#include <QDir>
#include <QRegularExpression>

// The help pages as they are installed: they must tell the truth about the program.
class TestHelpPages : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void shortcutPage_namesExactlyTheProgramsShortcuts();
    void pages_linksAndPicturesResolve();
};

namespace {

const QDir pages(QStringLiteral(RETTERUM_HELP_PAGES));

QString pageText(const QString &name)
{
    QFile file(pages.filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString keyText(const QKeySequence &key)
{
    return key.toString(QKeySequence::PortableText);
}

} // namespace

void TestHelpPages::cleanup()
{
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

// Every key on the page belongs to an action of the main window with that shortcut, and every
// shortcut of the program is on the page.
void TestHelpPages::shortcutPage_namesExactlyTheProgramsShortcuts()
{
    const QString page = pageText(QStringLiteral("Genvejstaster.html"));
    QVERIFY(!page.isEmpty());
    QStringList onPage;
    static const QRegularExpression kbd(QStringLiteral("<kbd>([^<]+)</kbd>"));
    for (auto it = kbd.globalMatch(page); it.hasNext();) {
        QString name = it.next().captured(1);
        // The key as it is printed on a keyboard; the toolkit calls it "Del".
        name.replace(QStringLiteral("Delete"), QStringLiteral("Del"));
        const QKeySequence key = QKeySequence::fromString(name, QKeySequence::PortableText);
        QVERIFY2(!key.isEmpty() && key.count() == 1, qPrintable(name));
        onPage.append(keyText(key));
    }
    QVERIFY(onPage.size() >= 10);

    TestDataRoot root;
    MainWindowFixture windows(root);
    QStringList ofActions;
    const QList<QAction *> actions = mainform->findChildren<QAction *>();
    for (const QAction *action : actions) {
        if (action->objectName().isEmpty() || action->shortcut().isEmpty())
            continue;
        QVERIFY2(action->associatedObjects().contains(mainform), qPrintable(action->objectName()));
        for (const QKeySequence &key : action->shortcuts())
            ofActions.append(keyText(key));
    }

    onPage.sort();
    ofActions.sort();
    QCOMPARE(onPage, ofActions);
}

// Links between the pages, and their pictures and style sheet, point to files that are there.
void TestHelpPages::pages_linksAndPicturesResolve()
{
    static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
    const QStringList html = pages.entryList({QStringLiteral("*.html")}, QDir::Files);
    QCOMPARE(html.size(), 8);
    int checked = 0;
    for (const QString &name : html) {
        const QString text = pageText(name);
        QVERIFY2(text.contains(QStringLiteral("<title>%1</title>").arg(name.chopped(5))), qPrintable(name));
        for (auto it = reference.globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1);
            if (target.contains(QStringLiteral("://")))
                continue;
            QVERIFY2(QFileInfo(pages.filePath(target)).isFile(), qPrintable(name + QStringLiteral(": ") + target));
            ++checked;
        }
    }
    QVERIFY(checked > 20);
}

QTEST_MAIN(TestHelpPages)
#include "tst_helppages.moc"
