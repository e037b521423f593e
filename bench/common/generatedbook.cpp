#include "generatedbook.h"

#include "store/listfile.h"

#include <QDir>
#include <QFile>

#include <iterator>

#include <pwd.h>
#include <unistd.h>

namespace {

const char *const kWords[] = {
    "mel", "sukker", "sm\\'f8r", "\\'e6g", "m\\'e6lk", "k\\'e6rnem\\'e6lk", "fl\\'f8de", "g\\'e6r",
    "salt", "peber", "l\\'f8g", "hvidl\\'f8g", "gulerod", "kartofler", "persille", "dild",
    "citron", "vanilje", "kanel", "kardemomme", "r\\'f8r", "pisk", "bag", "kog", "steg",
    "ovnen", "gryden", "panden", "minutter", "grader", "lunt", "koldt", "godt", "rundt",
    "cr\\'e8me", "br\\'fbl\\'e9e", "\\'e5l", "laks", "torsk", "kylling", "svinem\\'f8rbrad",
    "og", "med", "i", "til", "en", "et", "den", "det", "af", "p\\'e5", "under", "over"};
const char *const kPlain[] = {"mel", "sukker", "smør", "æg", "mælk", "kærnemælk", "fløde", "gær",
                              "salt", "peber", "løg", "hvidløg", "gulerod", "kartofler", "persille",
                              "dild", "citron", "vanilje", "kanel", "kardemomme", "laks", "torsk"};

} // namespace

QByteArray GeneratedBook::description(QRandomGenerator &random, int targetBytes)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
                     "{\\f1\\fnil Courier New;}}{\\colortbl ;\\red255\\green0\\blue0;}"
                     "\\viewkind4\\uc1\\pard\\cf1\\b\\f0\\fs28 Fremgangsm\\'e5de\\cf0\\b0\\par\\f1\\fs20 ";
    while (rtf.size() < targetBytes) {
        for (int i = 0; i < 12; ++i) {
            rtf += kWords[random.bounded(int(std::size(kWords)))];
            rtf += ' ';
        }
        rtf += random.bounded(4) == 0 ? "\\par\n" : ". ";
    }
    return rtf + "\\par}";
}

QStringList GeneratedBook::ingredients(QRandomGenerator &random)
{
    QStringList lines;
    const int count = 10 + int(random.bounded(11));
    for (int i = 0; i < count; ++i)
        lines.append(QString::number(1 + random.bounded(500)) + QStringLiteral(" g ")
                     + QString::fromUtf8(kPlain[random.bounded(int(std::size(kPlain)))]));
    return lines;
}

void writeBenchFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void writeBenchList(const QString &path, const QStringList &entries)
{
    if (!store::writeListFile(path, entries))
        qFatal("cannot write %s", qPrintable(path));
}

GeneratedBook::GeneratedBook()
{
    QRandomGenerator random(15);
    const QString area = paths.sharedArea();
    QStringList mains;
    for (int m = 0; m < kMains; ++m) {
        mains.append(mainName(m));
        QStringList subs;
        for (int s = 0; s < kSubs; ++s) {
            subs.append(subName(s));
            const QString folder = area + mainName(m) + u'/' + subName(s) + u'/';
            QDir().mkpath(folder);
            QStringList recipes;
            for (int r = 0; r < kRecipes; ++r) {
                const QString name = recipeName(m, s, r);
                recipes.append(name);
                writeBenchList(folder + name + QStringLiteral("liste.txt"), ingredients(random));
                const QByteArray rtf = description(random, 2048 + int(random.bounded(3 * 1024)));
                rtfBytes += rtf.size();
                writeBenchFile(folder + name + QStringLiteral(".rtf"), rtf);
            }
            writeBenchList(folder + QStringLiteral("Index.txt"), recipes);
        }
        writeBenchList(area + mainName(m) + QStringLiteral("/Index.txt"), subs);
    }
    writeBenchList(area + QStringLiteral("Hovedkategori.txt"), mains);
}

void writeBenchSettings(const QString &dataRoot)
{
    const passwd *entry = getpwuid(geteuid());
    const QString settings = dataRoot + QStringLiteral("/Brugere/")
        + QString::fromLocal8Bit(entry ? entry->pw_name : "") + QStringLiteral("/Indstillinger");
    QDir().mkpath(settings);
    writeBenchList(settings + QStringLiteral("/indstillinger.txt"),
                   {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1057"), QStringLiteral("678"),
                    QStringLiteral("233"), QStringLiteral("200"), QStringLiteral("300"), QStringLiteral("300"),
                    QStringLiteral("Courier New"), QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("0"),
                    QStringLiteral("Courier New"), QStringLiteral("Windows")});
}
