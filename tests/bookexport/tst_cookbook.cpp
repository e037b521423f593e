#include "bookexport/cookbook.h"
#include "bookfixture.h"
#include "pdftools.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using bookexport::CookbookResult;

namespace {

const QStringList kMains{u"Bagværk"_qs, u"Desserter"_qs};
const QStringList kSubs{u"Brød"_qs, u"Kager"_qs, u"Småkager"_qs, u"Is"_qs};

// Pages of the text, from 0.
QStringList pagesOf(const QString &pdf)
{
    QStringList pages = pdftools::run(QStringLiteral("pdftotext"),
                                      {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                                       QStringLiteral("-")})
                            .split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QString firstLine(const QString &page)
{
    for (const QString &line : page.split(u'\n'))
        if (!line.trimmed().isEmpty())
            return line.trimmed();
    return {};
}

struct Mark {
    int depth;
    int page; // from 1
    QString title;
};

// The outline as poppler reads it: each item with its depth and target page.
QList<Mark> outlineOf(const QString &pdf)
{
    const QString xml = pdftools::run(QStringLiteral("pdftohtml"),
                                      {QStringLiteral("-xml"), QStringLiteral("-i"), QStringLiteral("-stdout"), pdf});
    const int start = int(xml.indexOf(QLatin1String("<outline>")));
    const QRegularExpression token(QStringLiteral("<outline>|</outline>|<item page=\"(\\d+)\">([^<]*)</item>"));
    QList<Mark> marks;
    int depth = -1;
    for (auto it = token.globalMatch(xml, qMax(start, 0)); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0) == QLatin1String("<outline>"))
            ++depth;
        else if (m.captured(0) == QLatin1String("</outline>"))
            --depth;
        else
            marks.append({depth, m.captured(1).toInt(), m.captured(2)});
    }
    return marks;
}

} // namespace

// Cookbooks of a small book read back with poppler: what each page holds, the contents list's
// page numbers, the outline, the fonts; a recipe that can't be read; cancelling and failing.
class TestCookbook : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void wholeArea_everyRecipeOnceInBookOrder_contentsAndOutlineRight();
    void scope_givesItsRecipesAndTitle_data();
    void scope_givesItsRecipesAndTitle();
    void unknownCategory_isNamedAndNothingWritten();
    void cancel_leavesTheOldFileAndNoTemporary();
    void unwritableTarget_isReported();

private:
    CookbookResult write(const QString &hovedKat = {}, const QString &underKat = {},
                         const bookexport::CookbookWatcher &watcher = {});

    std::unique_ptr<BookFixture> m_book;
    std::unique_ptr<QTemporaryDir> m_out;
    QString m_pdf;
};

void TestCookbook::init()
{
    m_book = std::make_unique<BookFixture>();
    m_out = std::make_unique<QTemporaryDir>();
    m_pdf = m_out->filePath(QStringLiteral("bog.pdf"));
}

void TestCookbook::cleanup()
{
    m_book.reset();
    m_out.reset();
}

CookbookResult TestCookbook::write(const QString &hovedKat, const QString &underKat,
                                   const bookexport::CookbookWatcher &watcher)
{
    bookexport::CookbookRequest request;
    request.area = m_book->area();
    request.areaFolder = m_book->areaFolder();
    request.scope = {hovedKat, underKat};
    request.title = underKat.isEmpty() ? (hovedKat.isEmpty() ? QStringLiteral("For alle") : hovedKat) : underKat;
    request.date = QDate(2026, 12, 24);
    request.file = m_pdf;
    return bookexport::writeCookbook(request, watcher);
}

void TestCookbook::wholeArea_everyRecipeOnceInBookOrder_contentsAndOutlineRight()
{
    int lastDone = 0;
    int lastTotal = 0;
    const CookbookResult result = write({}, {}, {[&](int done, int total) {
                                                     QCOMPARE(done, lastDone + 1);
                                                     lastDone = done;
                                                     lastTotal = total;
                                                 },
                                                 {}});
    QCOMPARE(result.outcome, CookbookResult::Outcome::Written);
    const QList<BookRecipe> recipes = m_book->recipes;
    QCOMPARE(result.recipes, int(recipes.size()));
    QCOMPARE(lastDone, lastTotal);
    QCOMPARE(result.unreadable.size(), 1);
    QVERIFY2(result.unreadable.first().startsWith(QStringLiteral("Bagværk / Kager / Ulæselig: ")),
             qPrintable(result.unreadable.first()));
    QCOMPARE(pdftools::pages(m_pdf), result.pages);

    const QStringList pages = pagesOf(m_pdf);
    QCOMPARE(pages.size(), result.pages);
    QVERIFY(pages.at(0).contains(QStringLiteral("For alle")));
    QVERIFY(pages.at(0).contains(QStringLiteral("24. december 2026")));

    // The contents list: one line per category and recipe with a page number, over two pages.
    QMap<QString, int> listed;
    QStringList listedOrder;
    int page = 1;
    const QRegularExpression entry(QStringLiteral("^\\s*(\\S.*?)\\s{2,}(\\d+)\\s*$"));
    QCOMPARE(firstLine(pages.at(1)), QStringLiteral("Indhold"));
    for (;; ++page) {
        QVERIFY(page < 5);
        for (const QString &line : pages.at(page).split(u'\n')) {
            const QRegularExpressionMatch m = entry.match(line);
            if (m.hasMatch() && !listed.contains(m.captured(1))) {
                listed.insert(m.captured(1), m.captured(2).toInt());
                listedOrder << m.captured(1);
            }
        }
        if (listedOrder.contains(recipes.last().name))
            break;
    }
    QCOMPARE(page, 2); // the 60 cakes take the list onto a second page
    QVERIFY(!listed.contains(QStringLiteral("Tom")));
    QStringList recipeOrder;
    for (const QString &name : listedOrder)
        if (!kMains.contains(name) && !kSubs.contains(name))
            recipeOrder << name;
    QStringList expectedOrder;
    for (const BookRecipe &r : recipes)
        expectedOrder << (r.text.isEmpty() ? r.name + QStringLiteral(" (kan ikke læses)") : r.name);
    QCOMPARE(recipeOrder, expectedOrder);

    // Each recipe begins the page the contents name, with its lines; the text is in the book once.
    const QString body = pages.mid(page + 1).join(u'\f');
    qsizetype at = 0;
    for (const BookRecipe &r : recipes) {
        const QString listedName = r.text.isEmpty() ? r.name + QStringLiteral(" (kan ikke læses)") : r.name;
        const int start = listed.value(listedName);
        QVERIFY2(start > page + 1 && start <= pages.size(), qPrintable(r.name));
        QCOMPARE(firstLine(pages.at(start - 1)), r.name);
        for (const QString &line : r.text.isEmpty() ? QStringList() : r.ingredients) {
            QCOMPARE(body.count(line), 1);
            QVERIFY(pages.at(start - 1).contains(line));
        }
        const QString text = r.text.isEmpty() ? QStringLiteral("Opskriften kan ikke læses") : r.text;
        QVERIFY2(pages.at(start - 1).contains(text), qPrintable(r.name));
        const qsizetype found = body.indexOf(text, at);
        QVERIFY2(found > at || (at == 0 && found >= 0), qPrintable(r.name));
        at = found;
        if (!r.text.isEmpty())
            QCOMPARE(body.count(r.text), 1);
    }
    // The long rye bread takes two pages, both numbered in the footer.
    const int rye = listed.value(QStringLiteral("Rugbrød"));
    QCOMPARE(listed.value(QStringLiteral("Æblekage")), rye + 2);
    QCOMPARE(listed.value(QStringLiteral("Kager")), rye + 2);
    QVERIFY(pages.at(rye).trimmed().endsWith(QString::number(rye + 1)));

    // The outline: contents, then categories and recipes, each pointing where the contents do.
    const QList<Mark> marks = outlineOf(m_pdf);
    QVERIFY(!marks.isEmpty());
    QCOMPARE(marks.first().title, QStringLiteral("Indhold"));
    QCOMPARE(marks.first().page, 2);
    QStringList titles;
    for (const Mark &mark : marks.mid(1)) {
        titles << mark.title;
        const QString name = listed.contains(mark.title) ? mark.title : mark.title + QStringLiteral(" (kan ikke læses)");
        QCOMPARE(mark.page, listed.value(name));
        QCOMPARE(mark.depth, kMains.contains(mark.title) ? 0 : kSubs.contains(mark.title) ? 1 : 2);
    }
    QCOMPARE(titles.size(), listedOrder.size());
    QCOMPARE(titles.first(), QStringLiteral("Bagværk"));
    QCOMPARE(titles.mid(1, 3), (QStringList{u"Brød"_qs, u"Boller"_qs, u"Rugbrød"_qs}));

    // Every face embedded, Danish letters and all.
    const QStringList fonts = pdftools::run(QStringLiteral("pdffonts"), {m_pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    QVERIFY(!fonts.isEmpty());
    for (const QString &font : fonts)
        QVERIFY2(font.contains(QStringLiteral(" yes ")), qPrintable(font));
    QVERIFY(QDir(m_out->path()).entryList(QDir::Files) == QStringList{u"bog.pdf"_qs});
}

void TestCookbook::scope_givesItsRecipesAndTitle_data()
{
    QTest::addColumn<QString>("hovedKat");
    QTest::addColumn<QString>("underKat");
    QTest::addColumn<QString>("listedAs");
    QTest::newRow("main category") << u"Desserter"_qs << QString() << u"Desserter"_qs;
    QTest::newRow("subcategory") << u"Bagværk"_qs << u"Brød"_qs << u"Brød"_qs;
    QTest::newRow("letter case of the command line") << u"bagværk"_qs << u"BRØD"_qs << u"Brød"_qs;
}

void TestCookbook::scope_givesItsRecipesAndTitle()
{
    QFETCH(QString, hovedKat);
    QFETCH(QString, underKat);
    QFETCH(QString, listedAs);
    const CookbookResult result = write(hovedKat, underKat);
    QCOMPARE(result.outcome, CookbookResult::Outcome::Written);
    const QList<BookRecipe> expected = m_book->inScope(listedAs == u"Brød"_qs ? u"Bagværk"_qs : listedAs,
                                                       listedAs == u"Brød"_qs ? listedAs : QString());
    QCOMPARE(result.recipes, int(expected.size()));
    QStringList names;
    for (const BookRecipe &r : expected)
        names << r.name;
    const QString text = pdftools::text(m_pdf);
    for (const BookRecipe &r : m_book->recipes)
        QCOMPARE(text.contains(r.ingredients.first()), names.contains(r.name) && !r.text.isEmpty());
    const QList<Mark> marks = outlineOf(m_pdf);
    QCOMPARE(marks.value(1).title, underKat.isEmpty() ? QStringLiteral("Småkager") : QStringLiteral("Boller"));
    QCOMPARE(marks.value(1).depth, 0);
}

void TestCookbook::unknownCategory_isNamedAndNothingWritten()
{
    const CookbookResult result = write(u"Supper"_qs);
    QCOMPARE(result.outcome, CookbookResult::Outcome::Failed);
    QCOMPARE(result.error, QStringLiteral("Hovedkategorien \"Supper\" findes ikke."));
    QVERIFY(QDir(m_out->path()).isEmpty());
}

void TestCookbook::cancel_leavesTheOldFileAndNoTemporary()
{
    {
        QFile old(m_pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("den gamle bog");
    }
    int calls = 0;
    const CookbookResult result = write({}, {}, {[&](int, int) { ++calls; }, [&] { return calls >= 70; }});
    QCOMPARE(result.outcome, CookbookResult::Outcome::Cancelled);
    QCOMPARE(calls, 70); // it stops at once, in the second round too
    QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList{u"bog.pdf"_qs});
    QFile old(m_pdf);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("den gamle bog"));
}

void TestCookbook::unwritableTarget_isReported()
{
    m_pdf = m_out->filePath(QStringLiteral("mangler/bog.pdf"));
    const CookbookResult result = write(u"Desserter"_qs, u"Is"_qs);
    QCOMPARE(result.outcome, CookbookResult::Outcome::Failed);
    QCOMPARE(result.error, QStringLiteral("Filen \"%1\" kan ikke gemmes. Mappen \"%2\" findes ikke.")
                               .arg(m_pdf, m_out->filePath(QStringLiteral("mangler"))));
    QVERIFY(QDir(m_out->path()).isEmpty());
}

QTEST_MAIN(TestCookbook)
#include "tst_cookbook.moc"
