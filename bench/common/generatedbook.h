#pragma once

#include "store/storepaths.h"

#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>

// A book of 10,000 recipes in the shared area of a temporary data root: 20 main categories of 25
// subcategories of 20 recipes, each with 10 to 20 ingredient lines and a description of 2 to 5 KB
// of Danish recipe words in RTF, made the same way on every run.
struct GeneratedBook {
    static constexpr int kMains = 20;
    static constexpr int kSubs = 25;
    static constexpr int kRecipes = 20; // per subcategory

    GeneratedBook();

    QTemporaryDir dir;
    store::StorePaths paths{dir.path()};
    qint64 rtfBytes = 0;

    static QString mainName(int m) { return QStringLiteral("Hovedkategori %1").arg(m); }
    static QString subName(int s) { return QStringLiteral("Underkategori %1").arg(s); }
    static QString recipeName(int m, int s, int r) { return QStringLiteral("Opskrift %1-%2-%3").arg(m).arg(s).arg(r); }

    // A description of at least targetBytes, as the generator writes them.
    static QByteArray description(QRandomGenerator &random, int targetBytes);
    static QStringList ingredients(QRandomGenerator &random);
};

// Writes the file whole or stops the benchmark.
void writeBenchFile(const QString &path, const QByteArray &bytes);
void writeBenchList(const QString &path, const QStringList &entries);
// The running user's settings below dataRoot: the window at its usual size, read mode, the
// shared area at start.
void writeBenchSettings(const QString &dataRoot);
