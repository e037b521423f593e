// The book exported as a folder of pages: read back by our importer, rewritten only where it
// changed, other people's files left alone, and the old site kept whenever an export fails.
#include "../common/testdataroot.h"

#include "bookexport/bookcontents.h"
#include "rtf/rtffile.h"
#include "sharing/sharepage.h"
#include "site/siteexport.h"
#include "webimport/pagereader.h"

#include <QDirIterator>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

#include <sys/stat.h>

class TestSiteExport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void exampleBook_readsBackTheSame();
    void secondExport_changesNothing_othersFilesKept();
    void refusals_leaveTheFolderAsItWas_data();
    void refusals_leaveTheFolderAsItWas();
    void cancelled_leavesTheOldSite();
    void unreadableRecipe_getsAPage();

private:
    site::SiteRequest request(const QString &folder) const;
    QString site() const { return m_work->path() + QStringLiteral("/side"); }

    std::unique_ptr<TestDataRoot> m_root;
    std::unique_ptr<QTemporaryDir> m_work;
};

namespace {

void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + path.mid(from.size());
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QVERIFY(QFile::copy(path, target));
    }
}

// Every file below folder with its inode and modification time: what a sync tool looks at.
QMap<QString, QString> stamps(const QString &folder)
{
    QMap<QString, QString> result;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        result.insert(path.mid(folder.size()), QStringLiteral("%1 %2.%3").arg(st.st_ino).arg(st.st_mtim.tv_sec).arg(st.st_mtim.tv_nsec));
    }
    return result;
}

QStringList entriesBeside(const QString &folder)
{
    return QDir(QFileInfo(folder).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestSiteExport::init()
{
    m_root = std::make_unique<TestDataRoot>();
    m_work = std::make_unique<QTemporaryDir>();
    QDir(m_root->file(QStringLiteral("Brugere/Alle"))).removeRecursively();
    copyFolder(QStringLiteral(RETTERUM_EXAMPLE_BOOK), m_root->file(QStringLiteral("Brugere/Alle")));
}

site::SiteRequest TestSiteExport::request(const QString &folder) const
{
    const store::StorePaths paths = m_root->paths();
    return {paths.areaTree(false, {}), paths.areaFolder(false, {}), {}, QStringLiteral("For alle"), folder};
}

void TestSiteExport::exampleBook_readsBackTheSame()
{
    const site::SiteResult result = site::exportSite(request(site()));
    QVERIFY2(result.outcome == site::SiteResult::Outcome::Written, qPrintable(result.error));
    QVERIFY(result.unreadable.isEmpty());

    // What the book holds, read through the store as the window reads it.
    const site::SiteRequest r = request(site());
    const bookexport::BookContents contents = bookexport::readContents(r.area, r.areaFolder, {});
    QMap<QString, std::pair<QStringList, QStringList>> expected;
    for (const bookexport::BookSection &section : contents.sections) {
        for (const QString &name : section.recipes) {
            store::ListText list;
            QVERIFY(store::readListFile(r.area, store::StorePaths::ingredientFile(r.area, section.folder, name), &list));
            QTextDocument doc;
            QVERIFY(rtf::loadFile(r.area, store::StorePaths::descriptionFile(r.area, section.folder, name), &doc));
            QStringList steps;
            for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
                if (const QString text = sharing::plainText(block.text()); !text.isEmpty())
                    steps.append(text);
            // A heading that repeats the recipe's name is no step: the importer passes over it.
            if (!steps.isEmpty() && steps.first() == name)
                steps.removeFirst();
            expected.insert(name, {list.entries, steps});
        }
    }
    QCOMPARE(expected.size(), 9);
    QCOMPARE(result.recipes, 9);

    const QStringList pages = QDir(site() + u'/' + site::kRecipeFolder).entryList({QStringLiteral("*.html")});
    QCOMPARE(pages.size(), 9);
    QSet<QString> seen;
    for (const QString &page : pages) {
        const QString path = site() + u'/' + site::kRecipeFolder + u'/' + page;
        const webimport::ReadResult read = webimport::readRecipe(readAll(path), QStringLiteral("text/html"),
                                                                 QUrl::fromLocalFile(path).toString());
        QVERIFY2(read.ok, qPrintable(page + u": " + read.error));
        QVERIFY2(expected.contains(read.recipe.name), qPrintable(read.recipe.name));
        QCOMPARE(read.recipe.ingredients, expected.value(read.recipe.name).first);
        QStringList steps;
        for (const webimport::Step &step : read.recipe.steps) {
            // A short paragraph before the steps is read back as the name of their section.
            if (!step.section.isEmpty())
                steps.append(step.section);
            steps.append(step.text);
        }
        QCOMPARE(steps, expected.value(read.recipe.name).second);
        seen.insert(read.recipe.name);
        // The front page links to it.
        QVERIFY(readAll(site() + QStringLiteral("/index.html")).contains(QByteArray(QByteArray("href=\"opskrifter/") + page.toUtf8() + '"')));
    }
    QCOMPARE(seen.size(), 9);
    QVERIFY(readAll(site() + QStringLiteral("/indeks.js")).contains("\"rugbrød\":"));
}

void TestSiteExport::secondExport_changesNothing_othersFilesKept()
{
    QVERIFY(site::exportSite(request(site())).outcome == site::SiteResult::Outcome::Written);
    const auto before = stamps(site());
    const site::SiteResult again = site::exportSite(request(site()));
    QVERIFY2(again.outcome == site::SiteResult::Outcome::Written, qPrintable(again.error));
    QCOMPARE(again.written, 0);
    QCOMPARE(again.unchanged, before.size());
    QCOMPARE(stamps(site()), before);
    QCOMPARE(entriesBeside(site()), QStringList{QStringLiteral("side")});

    // Others' files beside ours, and a recipe taken out of the book.
    QFile::copy(site() + QStringLiteral("/index.html"), site() + QStringLiteral("/opskrifter/egen.html"));
    QFile notes(site() + QStringLiteral("/noter.txt"));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();
    TestDataRoot::writeListAt(m_root->file(QStringLiteral("Brugere/Alle/Bagværk/Kager/Index.txt")), {QStringLiteral("Brunsviger")});
    const site::SiteResult third = site::exportSite(request(site()));
    QVERIFY2(third.outcome == site::SiteResult::Outcome::Written, qPrintable(third.error));
    QCOMPARE(third.recipes, 8);
    QCOMPARE(third.removed, 1);
    QVERIFY(!QFile::exists(site() + QStringLiteral("/opskrifter/aeblekage.html")));
    QVERIFY(QFile::exists(site() + QStringLiteral("/opskrifter/egen.html")));
    QVERIFY(QFile::exists(site() + QStringLiteral("/noter.txt")));
    QVERIFY(!readAll(site() + QStringLiteral("/index.html")).contains("aeblekage"));
    // Only the front page, the index and our list changed.
    QCOMPARE(third.written, 3);
}

void TestSiteExport::refusals_leaveTheFolderAsItWas_data()
{
    QTest::addColumn<bool>("earlierExport");
    QTest::addColumn<QString>("foreignFile");
    QTest::addColumn<QString>("message");
    QTest::newRow("en andens mappe") << false << QStringLiteral("index.html")
                                      << QStringLiteral("er hverken tom eller en hjemmeside, Retterum har lavet før");
    QTest::newRow("en andens fil på vores navn") << true << QStringLiteral("opskrifter/kyllingesalat.html")
                                                 << QStringLiteral("Filen \"opskrifter/kyllingesalat.html\" i mappen er ikke lavet af Retterum");
}

void TestSiteExport::refusals_leaveTheFolderAsItWas()
{
    QFETCH(bool, earlierExport);
    QFETCH(QString, foreignFile);
    QFETCH(QString, message);
    if (earlierExport)
        QVERIFY(site::exportSite(request(site())).outcome == site::SiteResult::Outcome::Written);
    QDir().mkpath(site() + QStringLiteral("/opskrifter"));
    QFile foreign(site() + u'/' + foreignFile);
    QVERIFY(foreign.open(QIODevice::WriteOnly));
    foreign.write("mit eget");
    foreign.close();
    // A new recipe, so the export has something to bring in.
    const QString kager = m_root->file(QStringLiteral("Brugere/Alle/Bagværk/Kager/"));
    TestDataRoot::writeListAt(kager + QStringLiteral("Index.txt"),
                              {QStringLiteral("Æblekage"), QStringLiteral("Brunsviger"), QStringLiteral("Kyllingesalat")});
    const auto before = stamps(site());

    const site::SiteResult result = site::exportSite(request(site()));
    QVERIFY(result.outcome == site::SiteResult::Outcome::Failed);
    QVERIFY2(result.error.contains(message), qPrintable(result.error));
    QCOMPARE(stamps(site()), before);
    QCOMPARE(readAll(site() + u'/' + foreignFile), QByteArray("mit eget"));
    QCOMPARE(entriesBeside(site()), QStringList{QStringLiteral("side")});
}

void TestSiteExport::cancelled_leavesTheOldSite()
{
    QVERIFY(site::exportSite(request(site())).outcome == site::SiteResult::Outcome::Written);
    const auto before = stamps(site());
    TestDataRoot::writeListAt(m_root->file(QStringLiteral("Brugere/Alle/Bagværk/Kager/Index.txt")), {QStringLiteral("Brunsviger")});
    int progress = 0;
    site::SiteWatcher watcher;
    watcher.progress = [&](int done, int) { progress = done; };
    watcher.stop = [&] { return progress >= 3; };
    QVERIFY(site::exportSite(request(site()), watcher).outcome == site::SiteResult::Outcome::Cancelled);
    QCOMPARE(progress, 3);
    QCOMPARE(stamps(site()), before);
    QCOMPARE(entriesBeside(site()), QStringList{QStringLiteral("side")});

    // Into a new folder: nothing at all.
    const QString fresh = m_work->path() + QStringLiteral("/ny");
    progress = 0;
    QVERIFY(site::exportSite(request(fresh), watcher).outcome == site::SiteResult::Outcome::Cancelled);
    QVERIFY(!QFileInfo::exists(fresh));
    QCOMPARE(entriesBeside(site()), QStringList{QStringLiteral("side")});
}

void TestSiteExport::unreadableRecipe_getsAPage()
{
    // A folder stands where the description should be.
    const QString rtfFile = m_root->file(QStringLiteral("Brugere/Alle/Bagværk/Kager/Brunsviger.rtf"));
    QVERIFY(QFile::remove(rtfFile));
    QVERIFY(QDir().mkpath(rtfFile));
    QVERIFY(QDir().mkpath(site())); // an empty folder chosen for the site
    const site::SiteResult result = site::exportSite(request(site()));
    QVERIFY2(result.outcome == site::SiteResult::Outcome::Written, qPrintable(result.error));
    QCOMPARE(result.recipes, 9);
    QCOMPARE(result.unreadable.size(), 1);
    QVERIFY2(result.unreadable.first().startsWith(QStringLiteral("Bagværk / Kager / Brunsviger: ")),
             qPrintable(result.unreadable.first()));
    const QString page = QString::fromUtf8(readAll(site() + QStringLiteral("/opskrifter/brunsviger.html")));
    QVERIFY(page.contains(QStringLiteral("<h1>Brunsviger</h1>")));
    QVERIFY(page.contains(QStringLiteral("Opskriften kan ikke læses: ")));
}

QTEST_MAIN(TestSiteExport)
#include "tst_siteexport.moc"
