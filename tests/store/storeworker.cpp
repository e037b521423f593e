// Another user of the same store: makes random changes through the same store code as the
// window, so that several of these at once show whether changes are lost.
// Usage: storeworker <area folder> <seed> <changes> [own]
// With "own" the worker inserts names of its own (P<seed>-<i>) as main categories and as
// subcategories of "Fælles" and, a few in one change, as recipes of "Fælles/Opskrifter", then
// deletes the main categories and recipes with an even i: what should be left is known
// exactly, so a lost change shows.
#include "store/listchange.h"
#include "store/storepaths.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    const store::Tree area(args.at(1), true);
    QRandomGenerator random(args.at(2).toUInt());
    const int changes = args.at(3).toInt();
    // A loaded test machine may keep another worker's change waiting longer than a user would.
    store::AreaLock::timeoutMs = 60000;

    if (args.size() == 5 && args.at(4) == u"own") {
        const QString mainFile = store::StorePaths::mainCategoryFile(area.root());
        const store::ListChange mains(area, {1, mainFile, area.root()});
        const QString shared = area.folder(area.root(), QStringLiteral("Fælles"));
        const store::ListChange subs(area, {2, store::StorePaths::indexFile(shared), shared});
        const auto name = [&args](int i) { return QStringLiteral("P%1-%2").arg(args.at(2)).arg(i); };
        // Recipes go in a few at a time, as a restore puts them in, and the even ones go again.
        const QString opskrifter = area.folder(shared, QStringLiteral("Opskrifter"));
        const store::ListChange recipes(area, {3, store::StorePaths::indexFile(opskrifter), opskrifter});
        int failures = 0;
        QStringList batch;
        for (int i = 0; i < changes; ++i) {
            failures += mains.insert(name(i)).outcome != store::ChangeOutcome::Done;
            failures += subs.insert(name(i)).outcome != store::ChangeOutcome::Done;
            batch.append(name(i));
            if (batch.size() == 3 || i + 1 == changes) {
                QStringList used;
                failures += recipes.insertNumbered(batch, &used).outcome != store::ChangeOutcome::Done || used != batch;
                batch.clear();
            }
        }
        QStringList even;
        for (int i = 0; i < changes; i += 2) {
            failures += mains.remove(name(i), -1).outcome != store::ChangeOutcome::Done;
            even.append(name(i));
        }
        failures += recipes.removeAll(even).outcome != store::ChangeOutcome::Done;
        return failures == 0 ? 0 : 1;
    }

    const QStringList mains{QStringLiteral("Kager"), QStringLiteral("Supper"), QStringLiteral("Brød"), QStringLiteral("Is")};
    const QStringList subs{QStringLiteral("Gær"), QStringLiteral("Kolde"), QStringLiteral("Varme")};
    const QStringList recipes{QStringLiteral("Boller"), QStringLiteral("Kringle")};
    const auto pick = [&random](const QStringList &from) { return from.at(int(random.bounded(from.size()))); };

    for (int i = 0; i < changes; ++i) {
        const int level = int(random.bounded(4)) + 1;
        const QString main = pick(mains);
        const QString underDir = area.folder(area.root(), main);
        const QString sub = pick(subs);
        const QString opskriftDir = area.folder(underDir, sub);
        store::ListPlace place;
        QStringList names;
        switch (level) {
        case 1:
            place = {1, store::StorePaths::mainCategoryFile(area.root()), area.root()};
            names = mains;
            break;
        case 2:
            place = {2, store::StorePaths::indexFile(underDir), underDir};
            names = subs;
            break;
        case 3:
            place = {3, store::StorePaths::indexFile(opskriftDir), opskriftDir};
            names = recipes;
            break;
        default:
            place = {4, store::StorePaths::ingredientFile(area, opskriftDir, pick(recipes)), QString()};
            names = {QStringLiteral("mel"), QStringLiteral("gær"), QStringLiteral("mælk")};
            break;
        }
        const store::ListChange change(area, place);
        switch (random.bounded(3)) {
        case 0:
            change.insert(pick(names));
            break;
        case 1:
            change.remove(pick(names), -1);
            break;
        default:
            change.rename(pick(names), -1, pick(names));
            break;
        }
    }
    return 0;
}
