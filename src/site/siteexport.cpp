#include "site/siteexport.h"

#include "rtf/rtffile.h"
#include "site/filenames.h"
#include "site/indexpage.h"
#include "site/recipehtml.h"
#include "site/searchindex.h"
#include "store/exclusivefile.h"
#include "store/listfile.h"
#include "store/storepaths.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cstdio>

#include <sys/stat.h>

namespace site {

namespace {

struct Recipe {
    const bookexport::BookSection *section;
    QString name;
    QString stem;
};

QString recipePlace(const Recipe &recipe)
{
    return recipe.section->hovedKat + QStringLiteral(" / ") + recipe.section->underKat + QStringLiteral(" / ")
           + recipe.name;
}

// A recipe read through the store's gate, as the book shows it: a missing file is an empty part.
store::FileResult readRecipe(const store::Tree &area, const QString &folder, const QString &name,
                             QStringList *lines, QTextDocument *doc)
{
    const QString description = store::StorePaths::descriptionFile(area, folder, name);
    const QString ingredients = store::StorePaths::ingredientFile(area, folder, name);
    if (description.isEmpty() || ingredients.isEmpty())
        return {false, QStringLiteral("Navnet kan ikke bruges som mappe- eller filnavn!")};
    if (area.exists(ingredients)) {
        store::ListText list;
        const store::FileResult read = store::readListFile(area, ingredients, &list);
        if (!read)
            return read;
        *lines = list.entries;
    }
    if (area.exists(description))
        return rtf::loadFile(area, description, doc);
    return store::FileResult::success();
}

// The names our export writes; a line of an old list that isn't one of them is never removed.
bool isOurName(const QString &relative)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(index\\.html|indeks\\.js|soeg\\.js|retterum-hjemmeside\\.txt|opskrifter/[a-z0-9-]+\\.(html|png))$"));
    return pattern.match(relative).hasMatch();
}

QStringList readManifest(const QString &folder)
{
    QFile file(folder + u'/' + kManifest);
    QStringList names;
    // Our own list is a plain file; a link in its place names nothing of ours.
    if (QFileInfo(file.fileName()).isSymLink() || !file.open(QIODevice::ReadOnly))
        return names;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QString name = QString::fromUtf8(line).trimmed();
        if (isOurName(name))
            names.append(name);
    }
    return names;
}

bool sameBytes(const QString &a, const QString &b)
{
    const QFileInfo ia(a), ib(b);
    if (ib.isSymLink() || !ib.isFile() || ia.size() != ib.size())
        return false;
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    while (!fa.atEnd()) {
        if (fa.read(1 << 16) != fb.read(1 << 16))
            return false;
    }
    return fb.atEnd();
}

dev_t deviceOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_dev : 0;
}

bool isEmptyFolder(const QString &path)
{
    return QDir(path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Builds the site in a folder of its own; every write checked.
class Builder {
public:
    Builder(const QString &root, SiteResult *result)
        : m_root(root)
        , m_result(result)
    {
    }

    bool write(const QString &relative, const QByteArray &bytes)
    {
        // Never through a link, even in the private building folder: the one writer for files
        // outside the store.
        store::ExclusiveFile file(m_root + u'/' + relative);
        if (!file.open() || file.device()->write(bytes) != bytes.size() || !file.commit()) {
            m_result->error = QStringLiteral("Filen \"%1\" kunne ikke skrives (er disken fuld?).").arg(relative);
            return false;
        }
        m_files.append(relative);
        return true;
    }

    const QStringList &files() const { return m_files; }

private:
    QString m_root;
    SiteResult *m_result;
    QStringList m_files;
};

QString cannotPlace(const QString &folder)
{
    return QStringLiteral("Hjemmesiden kunne ikke lægges i mappen \"%1\".").arg(folder);
}

// The finished site into a folder that holds an earlier export (and perhaps files of others).
bool bringIn(const QString &staging, const QString &target, const QStringList &files, SiteResult *result)
{
    const QStringList earlier = readManifest(target);
    const QSet<QString> ours(earlier.begin(), earlier.end());
    // First every obstacle, so that a refusal leaves the folder as it was.
    for (const QString &relative : files) {
        const QString there = target + u'/' + relative;
        const QFileInfo info(there);
        if (!info.exists() && !info.isSymLink())
            continue;
        if (info.isDir() && !info.isSymLink()) {
            result->error = QStringLiteral("I mappen står en mappe \"%1\", hvor hjemmesiden skal have en fil.").arg(relative);
            return false;
        }
        if (!ours.contains(relative) && !sameBytes(staging + u'/' + relative, there)) {
            result->error = QStringLiteral("Filen \"%1\" i mappen er ikke lavet af Retterum og bliver ikke overskrevet.")
                                .arg(relative);
            return false;
        }
    }
    const QFileInfo recipeFolder(target + u'/' + kRecipeFolder);
    if ((recipeFolder.exists() || recipeFolder.isSymLink()) && (!recipeFolder.isDir() || recipeFolder.isSymLink())) {
        result->error = QStringLiteral("\"%1\" i mappen er ikke en mappe.").arg(kRecipeFolder);
        return false;
    }
    if (!recipeFolder.exists() && !QDir(target).mkdir(kRecipeFolder)) {
        result->error = cannotPlace(target);
        return false;
    }
    // The list of our files comes last: until it is in, the old one still names what was ours.
    QStringList order = files;
    order.removeAll(kManifest);
    order.append(kManifest);
    for (const QString &relative : order) {
        const QString from = staging + u'/' + relative;
        const QString to = target + u'/' + relative;
        if (sameBytes(from, to)) {
            ++result->unchanged;
            continue;
        }
        if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
            result->error = cannotPlace(target);
            return false;
        }
        ++result->written;
    }
    const QSet<QString> now(files.begin(), files.end());
    for (const QString &relative : ours) {
        if (now.contains(relative))
            continue;
        const QFileInfo info(target + u'/' + relative);
        if ((info.isFile() || info.isSymLink()) && QFile::remove(info.filePath()))
            ++result->removed;
    }
    return true;
}

} // namespace

SiteResult exportSite(const SiteRequest &request, const SiteWatcher &watcher)
{
    SiteResult result;
    const bookexport::BookContents contents = bookexport::readContents(request.area, request.areaFolder, request.scope);
    result.problems = contents.problems;
    if (!contents.error.isEmpty()) {
        result.error = contents.error;
        return result;
    }

    const QString target = QDir::cleanPath(QFileInfo(request.folder).absoluteFilePath());
    const QFileInfo targetInfo(target);
    const bool exists = targetInfo.exists() || targetInfo.isSymLink();
    if (exists && (!targetInfo.isDir() || targetInfo.isSymLink())) {
        result.error = QStringLiteral("\"%1\" er ikke en mappe.").arg(request.folder);
        return result;
    }
    const bool fresh = !exists || isEmptyFolder(target);
    const QFileInfo earlierList(target + u'/' + kManifest);
    if (!fresh && (!earlierList.isFile() || earlierList.isSymLink())) {
        result.error = QStringLiteral("Mappen \"%1\" er hverken tom eller en hjemmeside, Retterum har lavet før. "
                                      "Vælg en tom mappe.")
                           .arg(request.folder);
        return result;
    }
    const QString parent = QFileInfo(target).path();
    if (!QFileInfo(parent).isDir()) {
        result.error = QStringLiteral("Mappen \"%1\" findes ikke.").arg(parent);
        return result;
    }
    // Files come in by rename, so the site is built on the folder's own file system: beside it,
    // or inside it where the folder is a disk of its own (the top folder of a USB stick).
    const bool ownDisk = exists && deviceOf(target) != deviceOf(parent);
    QTemporaryDir staging(ownDisk ? QString(target + QStringLiteral("/.retterum-ny-XXXXXX"))
                                  : QString(parent + u"/." + QFileInfo(target).fileName() + u"-ny-XXXXXX"));
    if (!staging.isValid() || !QDir(staging.path()).mkdir(kRecipeFolder)) {
        result.error = cannotPlace(request.folder);
        return result;
    }
    QFile::setPermissions(staging.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                              | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);

    QList<Recipe> recipes;
    QStringList names, keys;
    for (const bookexport::BookSection &section : contents.sections) {
        for (const QString &name : section.recipes) {
            recipes.append({&section, name, {}});
            names.append(name);
            keys.append(section.hovedKat + u'\n' + section.underKat + u'\n' + name);
        }
    }
    const QStringList stems = uniqueStems(names, keys);
    for (qsizetype i = 0; i < recipes.size(); ++i)
        recipes[i].stem = stems.at(i);

    Builder builder(staging.path(), &result);
    SearchIndex index;
    QList<IndexSection> sections;
    int done = 0;
    for (const Recipe &recipe : recipes) {
        if (watcher.stop && watcher.stop()) {
            result.outcome = SiteResult::Outcome::Cancelled;
            return result;
        }
        const bookexport::BookSection &section = *recipe.section;
        if (sections.isEmpty() || sections.last().hovedKat != section.hovedKat
            || sections.last().underKat != section.underKat)
            sections.append({section.hovedKat, section.underKat, {}});
        const QString href = kRecipeFolder + u'/' + recipe.stem + u".html";
        sections.last().recipes.append({recipe.name, href});

        RecipePageText text{request.title, QStringLiteral("../index.html"), recipe.name,
                            {section.hovedKat, section.underKat}, {}};
        QTextDocument doc;
        const store::FileResult read = readRecipe(request.area, section.folder, recipe.name, &text.ingredients, &doc);
        QByteArray page;
        if (read) {
            int pictures = 0;
            bool pictureFailed = false;
            const PictureSink sink = [&](const QImage &image) {
                const QString file = recipe.stem + u'-' + QString::number(++pictures) + u".png";
                QByteArray png;
                QBuffer buffer(&png);
                buffer.open(QIODevice::WriteOnly);
                if (!image.save(&buffer, "PNG"))
                    return QString();
                if (!builder.write(kRecipeFolder + u'/' + file, png))
                    pictureFailed = true;
                return file;
            };
            page = recipePage(text, doc, sink);
            if (pictureFailed)
                return result;
            index.add(recipe.stem, recipe.name, section.hovedKat + QStringLiteral(" › ") + section.underKat,
                      {recipe.name, text.ingredients.join(u'\n'), doc.toPlainText()});
        } else {
            page = unreadablePage(text, read.error);
            result.unreadable.append(recipePlace(recipe) + QStringLiteral(": ") + read.error);
            index.add(recipe.stem, recipe.name, section.hovedKat + QStringLiteral(" › ") + section.underKat, {recipe.name});
        }
        if (!builder.write(href, page))
            return result;
        if (watcher.progress)
            watcher.progress(++done, int(recipes.size()));
    }
    const QByteArray indexScript = index.script();
    result.indexBytes = indexScript.size();
    if (!builder.write(QStringLiteral("index.html"), indexPage(request.title, sections))
        || !builder.write(kIndexScript, indexScript) || !builder.write(kSearchScript, searchScript()))
        return result;
    QStringList manifest = builder.files();
    manifest.append(kManifest);
    manifest.sort();
    if (!builder.write(kManifest, (QStringLiteral("# Filer, Retterum har lagt her; de fjernes, når de ikke længere "
                                                  "bruges.\n")
                                   + manifest.join(u'\n') + u'\n')
                                      .toUtf8()))
        return result;
    if (watcher.stop && watcher.stop()) {
        result.outcome = SiteResult::Outcome::Cancelled;
        return result;
    }

    // Nothing to keep: the whole site comes in with one rename, where the empty folder can go.
    if (fresh && !ownDisk && (!exists || QDir(parent).rmdir(QFileInfo(target).fileName()))) {
        if (!QDir(parent).rename(QFileInfo(staging.path()).fileName(), QFileInfo(target).fileName())) {
            if (exists)
                QDir(parent).mkdir(QFileInfo(target).fileName());
            result.error = cannotPlace(request.folder);
            return result;
        }
        staging.setAutoRemove(false);
        result.written = int(builder.files().size());
    } else if (!bringIn(staging.path(), target, builder.files(), &result)) {
        return result;
    }
    result.recipes = int(recipes.size());
    result.outcome = SiteResult::Outcome::Written;
    return result;
}

} // namespace site
