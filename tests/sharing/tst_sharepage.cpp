// "Del opskrift": a stored recipe as an HTML page that "Hent opskrift" reads back the same.
#include "../common/testdataroot.h"

#include "rtf/rtffile.h"
#include "sharing/sharepage.h"
#include "webimport/pagereader.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QtTest>

class TestSharePage : public QObject {
    Q_OBJECT

private slots:
    void sharedRecipe_readsBackTheSame_data();
    void sharedRecipe_readsBackTheSame();
};

void TestSharePage::sharedRecipe_readsBackTheSame_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("ingredients");
    QTest::addColumn<QStringList>("paragraphs");
    QTest::addColumn<QStringList>("listItems"); // a numbered list after the paragraphs
    QTest::newRow("afsnit") << QStringLiteral("Æblekage med flødeskum")
                            << QStringList{QStringLiteral("1 kg æbler"), QStringLiteral("2 dl fløde")}
                            << QStringList{QStringLiteral("Skræl æblerne og kog dem til mos."), QStringLiteral("Pisk fløden.")}
                            << QStringList{};
    QTest::newRow("liste") << QStringLiteral("Boller")
                           << QStringList{QStringLiteral("500 g mel"), QStringLiteral("25 g gær")}
                           << QStringList{QStringLiteral("Sådan gør du:")}
                           << QStringList{QStringLiteral("Rør gæren ud."), QStringLiteral("Ælt dejen."), QStringLiteral("Bag i 12 minutter.")};
    QTest::newRow("markup i teksten")
        << QStringLiteral("</script><script>alert(1)</script> & \"Mors\" <b>kage</b>")
        << QStringList{QStringLiteral("<img src=x onerror=alert(2)> 100 g smør"), QStringLiteral("3 æg & 1 <i>knivspids</i> salt")}
        << QStringList{QStringLiteral("Bag ved 180 <200 grader> i </p><h1>40</h1> minutter.")}
        << QStringList{QStringLiteral("<!-- ikke en kommentar --> Server")};
}

void TestSharePage::sharedRecipe_readsBackTheSame()
{
    QFETCH(QString, name);
    QFETCH(QStringList, ingredients);
    QFETCH(QStringList, paragraphs);
    QFETCH(QStringList, listItems);

    // The description as the editor saves it, bold in it.
    QTextDocument doc;
    QTextCursor cursor(&doc);
    for (int i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        QTextCharFormat bold;
        bold.setFontWeight(i == 0 ? QFont::Bold : QFont::Normal);
        cursor.insertText(paragraphs.at(i), bold);
    }
    for (int i = 0; i < listItems.size(); ++i) {
        cursor.insertBlock();
        if (i == 0)
            cursor.createList(QTextListFormat::ListDecimal);
        cursor.insertText(listItems.at(i), QTextCharFormat());
    }
    TestDataRoot root;
    const store::Tree area = root.paths().areaTree(false, {});
    const QString rtfFile = root.file(QStringLiteral("Brugere/Alle/opskrift.rtf"));
    QVERIFY(rtf::saveFile(&doc, area, rtfFile));

    const QString html = root.file(QStringLiteral("delt.html"));
    QVERIFY(sharing::shareRecipe(area, rtfFile, name, ingredients, html));
    QFile file(html);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray page = file.readAll();

    const webimport::ReadResult read = webimport::readRecipe(page, QStringLiteral("text/html"),
                                                             QUrl::fromLocalFile(html).toString());
    QVERIFY2(read.ok, qPrintable(read.error));
    QCOMPARE(read.recipe.name, name);
    QCOMPARE(read.recipe.ingredients, ingredients);
    QStringList steps;
    for (const webimport::Step &step : read.recipe.steps) {
        // A short paragraph ending in a colon before the steps comes back as their section's name.
        if (!step.section.isEmpty())
            steps.append(step.section + u':');
        steps.append(step.text);
    }
    QCOMPARE(steps, paragraphs + listItems);

    // The page a browser shows: the texts escaped, the only script our JSON-LD, the bold kept.
    QCOMPARE(page.count("<script"), 1);
    QCOMPARE(page.count("</script>"), 1);
    for (const char *markup : {"<b>", "<i>", "<img", "<h1>40", "<!--", "</p><h1>"})
        QVERIFY2(!page.contains(markup), markup);
    const QString text = QString::fromUtf8(page);
    QVERIFY(text.contains(u"<h1>" + name.toHtmlEscaped() + u"</h1>"));
    QVERIFY(text.contains(u"<p><strong>" + paragraphs.first().toHtmlEscaped() + u"</strong></p>"));
    QCOMPARE(page.contains("<ol>\n<li>"), !listItems.isEmpty());
}

QTEST_MAIN(TestSharePage)
#include "tst_sharepage.moc"
