// retterum-liste indkøb: recipes of a real data root, found through the lists, merged into one
// list, scaled by a factor or to a number of servings; a Danish message and exit code 1 for a
// recipe that can't be had.
#include "store/privatefolder.h"
#include "testdataroot.h"
#include "tools/listecommand.h"

#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int code = -1;
    QString out;
    QString err;
};

const QString kSoup = u"Alle/Aftensmad/Supper/Løgsuppe"_s;
const QString kStew = u"Alle/Aftensmad/Supper/Gryde"_s;
const QString kNoServings = u"Alle/Aftensmad/Supper/Uden antal"_s;

} // namespace

class TestIndkoeb : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void indkoeb_printsTheMergedList_data();
    void indkoeb_printsTheMergedList();
    void indkoeb_refusesWhatCantBeHad_data();
    void indkoeb_refusesWhatCantBeHad();
    void indkoeb_leavesAPrivateFolderOfAnotherUserAlone();

private:
    Run liste(const QStringList &arguments) const;

    TestDataRoot m_root;
};

Run TestIndkoeb::liste(const QStringList &arguments) const
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = runListe(QStringList{u"--rod"_s, m_root.path()} + arguments, out, err);
    out.flush();
    err.flush();
    return run;
}

void TestIndkoeb::initTestCase()
{
    QVERIFY(m_root.isValid());
    const QString sub = u"Brugere/Alle/Aftensmad/Supper/"_s;
    m_root.writeList(u"Brugere/Alle/Hovedkategori.txt"_s, {u"Aftensmad"_s});
    m_root.writeList(u"Brugere/Alle/Aftensmad/Index.txt"_s, {u"Supper"_s});
    m_root.writeList(sub + u"Index.txt"_s, {u"Løgsuppe"_s, u"Gryde"_s, u"Uden antal"_s, u"Ødelagt"_s, u"Tom"_s});
    m_root.writeList(sub + u"Løgsuppeliste.txt"_s,
                     {u"Suppe:"_s, u"1 kg løg"_s, u"2 spsk smør"_s, u"1 l bouillon"_s, u"salt og peber"_s});
    m_root.writeBytes(sub + u"Løgsuppe.rtf"_s, "{\\rtf1\\ansi Antal: 4 personer\\par Steg l\\'f8gene.\\par}");
    m_root.writeList(sub + u"Gryde"_s + u"liste.txt"_s,
                     {u"500 g løg, hakket"_s, u"2-3 gulerødder"_s, u"½ tsk salt"_s, u"2,5 dl fløde"_s, u"100 g sukker"_s,
                      u"1½ dl sukker"_s},
                     store::ListEncoding::Utf8Bom);
    m_root.writeList(sub + u"Uden antalliste.txt"_s, {u"1 citron"_s});
    // A folder where the recipe's lines should be: they can't be read.
    QVERIFY(QDir().mkpath(m_root.file(sub + u"Ødelagtliste.txt"_s)));
    // "Tom" has no files yet, as a recipe just made.
    const QString login = store::loginName();
    QVERIFY(!login.isEmpty());
    m_root.writeList(u"Brugere/"_s + login + u"/Hovedkategori.txt"_s, {u"Mine"_s});
    m_root.writeList(u"Brugere/"_s + login + u"/Mine/Index.txt"_s, {u"Kager"_s});
    m_root.writeList(u"Brugere/"_s + login + u"/Mine/Kager/Index.txt"_s, {u"Kage"_s});
    m_root.writeList(u"Brugere/"_s + login + u"/Mine/Kager/Kageliste.txt"_s, {u"200 g smør"_s});
    QVERIFY(QFile::setPermissions(m_root.file(u"Brugere/"_s + login), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestIndkoeb::indkoeb_printsTheMergedList_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("out");
    const QString json = u"--json"_s;
    const QString indkoeb = u"indkøb"_s;
    QTest::newRow("two recipes as JSON")
        << QStringList{indkoeb, json, kSoup, kStew}
        << u"[\n"
           "{\"name\":\"løg\",\"quantity\":1.5,\"unit\":\"kg\",\"lines\":[\"1 kg løg\",\"500 g løg, hakket\"],"
           "\"recipes\":[\"Løgsuppe\",\"Gryde\"]},\n"
           "{\"name\":\"smør\",\"quantity\":2,\"unit\":\"spsk\",\"lines\":[\"2 spsk smør\"],\"recipes\":[\"Løgsuppe\"]},\n"
           "{\"name\":\"bouillon\",\"quantity\":1,\"unit\":\"l\",\"lines\":[\"1 l bouillon\"],\"recipes\":[\"Løgsuppe\"]},\n"
           "{\"name\":\"salt og peber\",\"quantity\":null,\"unit\":null,\"lines\":[\"salt og peber\"],\"recipes\":[\"Løgsuppe\"]},\n"
           "{\"name\":\"gulerødder\",\"quantity\":[2,3],\"unit\":null,\"lines\":[\"2-3 gulerødder\"],\"recipes\":[\"Gryde\"]},\n"
           "{\"name\":\"salt\",\"quantity\":0.5,\"unit\":\"tsk\",\"lines\":[\"½ tsk salt\"],\"recipes\":[\"Gryde\"]},\n"
           "{\"name\":\"fløde\",\"quantity\":2.5,\"unit\":\"dl\",\"lines\":[\"2,5 dl fløde\"],\"recipes\":[\"Gryde\"]},\n"
           "{\"name\":\"sukker\",\"quantity\":100,\"unit\":\"g\",\"lines\":[\"100 g sukker\"],\"recipes\":[\"Gryde\"]},\n"
           "{\"name\":\"sukker\",\"quantity\":1.5,\"unit\":\"dl\",\"lines\":[\"1½ dl sukker\"],\"recipes\":[\"Gryde\"]}\n"
           "]\n"_s;
    // Four servings to six; the stew by one and a half with a decimal comma or point.
    QTest::newRow("servings and factors")
        << QStringList{indkoeb, json, kSoup + u"=6"_s, u"Alle/Aftensmad/Supper/Uden antal*1,5"_s}
        << u"[\n"
           "{\"name\":\"løg\",\"quantity\":1.5,\"unit\":\"kg\",\"lines\":[\"1 kg løg\"],\"recipes\":[\"Løgsuppe\"]},\n"
           "{\"name\":\"smør\",\"quantity\":3,\"unit\":\"spsk\",\"lines\":[\"2 spsk smør\"],\"recipes\":[\"Løgsuppe\"]},\n"
           "{\"name\":\"bouillon\",\"quantity\":1.5,\"unit\":\"l\",\"lines\":[\"1 l bouillon\"],\"recipes\":[\"Løgsuppe\"]},\n"
           "{\"name\":\"salt og peber\",\"quantity\":null,\"unit\":null,\"lines\":[\"salt og peber\"],\"recipes\":[\"Løgsuppe\"]},\n"
           "{\"name\":\"citron\",\"quantity\":1.5,\"unit\":null,\"lines\":[\"1 citron\"],\"recipes\":[\"Uden antal\"]}\n"
           "]\n"_s;
    QTest::newRow("factor with a point, private area, a recipe without files")
        << QStringList{indkoeb, json, store::loginName() + u"/Mine/Kager/Kage*2.5"_s, u"Alle/Aftensmad/Supper/Tom"_s}
        << u"[\n{\"name\":\"smør\",\"quantity\":500,\"unit\":\"g\",\"lines\":[\"200 g smør\"],\"recipes\":[\"Kage\"]}\n]\n"_s;
    QTest::newRow("grouped text") << QStringList{indkoeb, kStew, kSoup}
                                  << u"frugt og grønt:\n  1,5 kg løg\n  2-3 gulerødder\n"
                                     "mejeri:\n  2,5 dl fløde\n  2 spsk smør\n"
                                     "kolonial:\n  ½ tsk salt\n  100 g sukker\n  1,5 dl sukker\n  1 l bouillon\n"
                                     "  salt og peber\n"_s;
}

void TestIndkoeb::indkoeb_printsTheMergedList()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    const Run run = liste(arguments);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.out, out);
    QCOMPARE(run.code, 0);
}

void TestIndkoeb::indkoeb_refusesWhatCantBeHad_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("err");
    const QString indkoeb = u"indkøb"_s;
    QTest::newRow("no recipe") << QStringList{indkoeb, u"--json"_s} << u"Angiv mindst én opskrift.\n"_s;
    QTest::newRow("missing recipe") << QStringList{indkoeb, kSoup, u"Alle/Aftensmad/Supper/Suppe"_s}
                                    << u"Alle/Aftensmad/Supper/Suppe: Opskriften \"Suppe\" findes ikke.\n"_s;
    QTest::newRow("missing category") << QStringList{indkoeb, u"Alle/Frokost/Supper/Løgsuppe"_s}
                                      << u"Alle/Frokost/Supper/Løgsuppe: Kategorien \"Frokost\" findes ikke.\n"_s;
    QTest::newRow("a subcategory only") << QStringList{indkoeb, u"Alle/Aftensmad/Supper"_s}
                                        << u"Alle/Aftensmad/Supper: Opskriften skal skrives som "
                                           "\"Alle/Hovedkategori/Underkategori/Navn\".\n"_s;
    QTest::newRow("no way out of the area") << QStringList{indkoeb, u"Alle/../Alle/Aftensmad"_s}
                                            << u"Alle/../Alle/Aftensmad: Kategorien \"..\" findes ikke.\n"_s;
    QTest::newRow("another user's area") << QStringList{indkoeb, u"nogen/Mine/Kager/Kage"_s}
                                         << u"nogen/Mine/Kager/Kage: Kun \"Alle\" eller dit eget brugernavn kan "
                                            "bruges som område.\n"_s;
    QTest::newRow("lines can't be read")
        << QStringList{indkoeb, u"Alle/Aftensmad/Supper/Ødelagt"_s}
        << u"Alle/Aftensmad/Supper/Ødelagt: Opskriften \"Ødelagt\" kan ikke læses: Filen \"%1\" kan ikke læses.\n"_s.arg(
               m_root.file(u"Brugere/Alle/Aftensmad/Supper/Ødelagtliste.txt"_s));
    QTest::newRow("servings not named") << QStringList{indkoeb, kNoServings + u"=6"_s}
                                        << u"Alle/Aftensmad/Supper/Uden antal: Opskriften siger ikke, hvor mange "
                                           "portioner den er til; brug *FAKTOR i stedet.\n"_s;
    QTest::newRow("factor zero") << QStringList{indkoeb, kSoup + u"*0"_s}
                                 << u"\"0\" er ikke et tal, der kan bruges, i \"%1*0\".\n"_s.arg(kSoup);
    QTest::newRow("factor too large") << QStringList{indkoeb, kSoup + u"*5000"_s}
                                      << u"\"5000\" er ikke et tal, der kan bruges, i \"%1*5000\".\n"_s.arg(kSoup);
}

void TestIndkoeb::indkoeb_refusesWhatCantBeHad()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, err);
    const Run run = liste(arguments);
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.startsWith(err), qPrintable(run.err));
    QCOMPARE(run.code, 1);
}

void TestIndkoeb::indkoeb_leavesAPrivateFolderOfAnotherUserAlone()
{
    // Someone else made the folder under the user's name first: its recipes are not read.
    if (geteuid() != 0)
        QSKIP("Only root can give a folder to another user");
    TestDataRoot root;
    const QString login = store::loginName();
    const QString folder = u"Brugere/"_s + login;
    root.writeList(folder + u"/Hovedkategori.txt"_s, {u"Mine"_s});
    root.writeList(folder + u"/Mine/Index.txt"_s, {u"Kager"_s});
    root.writeList(folder + u"/Mine/Kager/Index.txt"_s, {u"Kage"_s});
    root.writeList(folder + u"/Mine/Kager/Kageliste.txt"_s, {u"200 g smør"_s});
    QCOMPARE(::chown(QFile::encodeName(root.file(folder)).constData(), 65534, 65534), 0);
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = runListe({u"--rod"_s, root.path(), u"indkøb"_s, login + u"/Mine/Kager/Kage"_s}, out, err);
    err.flush();
    QCOMPARE(run.code, 1);
    QCOMPARE(run.err, login + u"/Mine/Kager/Kage: Dit private område kan ikke bruges.\n"_s);
    QCOMPARE(run.out, QString());
}

QTEST_GUILESS_MAIN(TestIndkoeb)
#include "tst_indkoeb.moc"
