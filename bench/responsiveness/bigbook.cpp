#include "bigbook.h"

#include "backup/backupwriter.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>

BigBook::BigBook()
{
    const QString area = paths.sharedArea();
    const QString main = area + kBig + u'/';
    QDir().mkpath(main + kMany);
    QDir().mkpath(main + kLarge);
    QStringList names;
    for (int i = 0; i < kManyRecipes; ++i)
        names.append(QStringLiteral("Æblekage med flødeskum og ristede mandler nr. %1").arg(i + 1));
    writeBenchList(main + kMany + QStringLiteral("/Index.txt"), names);
    QRandomGenerator random(7);
    writeBenchFile(main + kLarge + u'/' + kLargeRecipe + QStringLiteral(".rtf"), description(random, 1024 * 1024));
    writeBenchList(main + kLarge + u'/' + kLargeRecipe + QStringLiteral("liste.txt"), ingredients(random));
    writeBenchList(main + kLarge + QStringLiteral("/Index.txt"), {kLargeRecipe});
    writeBenchList(main + QStringLiteral("Index.txt"), {kLarge, kMany});
    QStringList mains;
    for (int m = 0; m < kMains; ++m)
        mains.append(mainName(m));
    mains.append(kBig);
    writeBenchList(area + QStringLiteral("Hovedkategori.txt"), mains);

    writeBenchSettings(dir.path());
    makeBackup();
    makeRecipeFolders();
}

QByteArray BigBook::picture()
{
    QImage image(1600, 1200, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient light(0, 0, 1600, 1200);
    light.setColorAt(0, QColor(230, 190, 120));
    light.setColorAt(1, QColor(120, 60, 20));
    painter.fillRect(image.rect(), light);
    QRandomGenerator random(11);
    for (int i = 0; i < 400; ++i) {
        painter.setBrush(QColor::fromRgb(random.generate() | 0xff000000));
        painter.drawEllipse(QPoint(random.bounded(1600), random.bounded(1200)), 30, 20);
    }
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 85);
    return bytes;
}

// Another household's book of 10 subcategories of 20 recipes, backed up as the program does.
void BigBook::makeBackup() const
{
    QTemporaryDir other;
    const store::StorePaths otherPaths(other.path());
    const QString area = otherPaths.sharedArea();
    const QString main = QStringLiteral("Fra kopien");
    QRandomGenerator random(13);
    QStringList subs;
    for (int s = 0; s < kBackupRecipes / kRecipes; ++s) {
        const QString sub = area + main + u'/' + subName(s) + u'/';
        QDir().mkpath(sub);
        QStringList recipes;
        for (int r = 0; r < kRecipes; ++r) {
            const QString name = QStringLiteral("Kopieret opskrift %1-%2").arg(s).arg(r);
            writeBenchFile(sub + name + QStringLiteral(".rtf"), description(random, 2048 + int(random.bounded(3072))));
            writeBenchList(sub + name + QStringLiteral("liste.txt"), ingredients(random));
            recipes.append(name);
        }
        writeBenchList(sub + QStringLiteral("Index.txt"), recipes);
        subs.append(subName(s));
    }
    writeBenchList(area + main + QStringLiteral("/Index.txt"), subs);
    writeBenchList(area + QStringLiteral("Hovedkategori.txt"), {main});
    const backup::BackupResult made =
        backup::writeBackup(otherPaths.areaTree(false, {}), QStringLiteral("Alle"), backupZip(), [](int, int) { return true; });
    if (!made.ok || made.recipes != kBackupRecipes)
        qFatal("the backup to restore was not made: %s", qPrintable(made.error));
}

// Recipe folders as self-hosted cookbook programs keep them: recipe.json and a full.jpg.
void BigBook::makeRecipeFolders() const
{
    const QByteArray photo = picture();
    for (int i = 0; i < kFolderRecipes; ++i) {
        const QString folder = recipeFolders() + QStringLiteral("/Opskrift %1/").arg(i);
        QDir().mkpath(folder);
        const QByteArray json = "{\"@context\":\"https://schema.org\",\"@type\":\"Recipe\",\"name\":\"Mappeopskrift "
            + QByteArray::number(i)
            + "\",\"recipeYield\":\"4\",\"totalTime\":\"PT45M\",\"recipeIngredient\":[\"500 g kartofler\","
              "\"2 l\\u00f8g\",\"1 dl fl\\u00f8de\",\"salt og peber\"],\"recipeInstructions\":["
              "{\"@type\":\"HowToStep\",\"text\":\"Skræl kartoflerne og skær dem i skiver.\"},"
              "{\"@type\":\"HowToStep\",\"text\":\"Læg dem i et fad med løg og fløde.\"},"
              "{\"@type\":\"HowToStep\",\"text\":\"Bag ved 200 grader i 40 minutter.\"}]}";
        writeBenchFile(folder + QStringLiteral("recipe.json"), json);
        writeBenchFile(folder + QStringLiteral("full.jpg"), photo);
    }
}
