#include "webimport/recipefolder.h"

#include "store/entryname.h"
#include "store/fileresult.h"
#include "store/tree.h"
#include "webimport/recipesource.h"

#include <QCollator>
#include <QFile>
#include <QUrl>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace webimport {

namespace {

const QString kRecipeFile = QStringLiteral("recipe.json");
const QString kPictureFile = QStringLiteral("full.jpg");
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

// Enough recipes that the list is written rarely, few enough that their pictures stay small.
constexpr int kBatchRecipes = 50;
constexpr qint64 kBatchBytes = 64 * 1024 * 1024;

class Fd {
public:
    explicit Fd(int fd)
        : m_fd(fd)
    {
    }
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

private:
    int m_fd;
};

using Entry = store::Tree::Entry;

void walk(int folder, const QString &relative, int depth, RecipeFolder *found)
{
    std::optional<QList<Entry>> entries = store::Tree::entriesOf(folder);
    if (!entries)
        return;
    QCollator order;
    order.setNumericMode(true);
    std::sort(entries->begin(), entries->end(),
              [&order](const Entry &a, const Entry &b) { return order.compare(a.name, b.name) < 0; });
    const bool holdsRecipe = std::any_of(entries->cbegin(), entries->cend(),
                                         [](const Entry &e) { return e.name == kRecipeFile && e.kind == Entry::Kind::File; });
    if (holdsRecipe && depth > 0) {
        found->folders.append(relative);
        return;
    }
    for (const Entry &entry : std::as_const(*entries)) {
        if (entry.kind == Entry::Kind::File)
            continue;
        // A link, a pipe or a name no path is made of is passed over, never opened.
        if (entry.kind != Entry::Kind::Folder || !store::isUsableName(entry.name) || depth >= kMaxFolderDepth
            || found->folders.size() >= kMaxFolderRecipes) {
            ++found->skipped;
            continue;
        }
        const Fd below(::openat(folder, QFile::encodeName(entry.name).constData(), kFolderFlags));
        if (!below.valid()) {
            ++found->skipped;
            continue;
        }
        walk(below.get(), relative + entry.name + u'/', depth + 1, found);
    }
}

// A regular file below the opened folder, every step taken without following a link.
store::FileResult readBelow(const RecipeFolder &below, const QString &relative, QByteArray *bytes, qint64 maxBytes)
{
    const store::FileResult unreadable = store::FileResult::readFailed(below.root + relative);
    const QStringList names = relative.split(u'/', Qt::SkipEmptyParts);
    if (!below.opened() || names.isEmpty())
        return unreadable;
    int folder = *below.handle;
    std::vector<std::unique_ptr<Fd>> opened;
    for (qsizetype i = 0; i + 1 < names.size(); ++i) {
        if (!store::isUsableName(names.at(i)))
            return unreadable;
        opened.push_back(std::make_unique<Fd>(::openat(folder, QFile::encodeName(names.at(i)).constData(), kFolderFlags)));
        if (!opened.back()->valid())
            return unreadable;
        folder = opened.back()->get();
    }
    const Fd file(::openat(folder, QFile::encodeName(names.last()).constData(),
                           O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!file.valid() || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return unreadable;
    if (st.st_size > maxBytes)
        return store::FileResult::tooLarge(below.root + relative);
    bytes->resize(qsizetype(st.st_size));
    qsizetype done = 0;
    while (done < bytes->size()) {
        const ssize_t n = ::read(file.get(), bytes->data() + done, size_t(bytes->size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    if (done != bytes->size())
        return unreadable;
    return {};
}

} // namespace

RecipeFolder scanRecipeFolder(const QString &folder)
{
    RecipeFolder found;
    found.root = folder.endsWith(u'/') ? folder : folder + u'/';
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return found;
    found.handle = std::shared_ptr<const int>(new int(fd), [](const int *opened) {
        ::close(*opened);
        delete opened;
    });
    walk(fd, QString(), 0, &found);
    return found;
}

FolderRecipe readFolderRecipe(const RecipeFolder &folder, const QString &recipeFolder)
{
    FolderRecipe recipe;
    const QString path = folder.root + recipeFolder;
    QByteArray bytes;
    if (const store::FileResult read = readBelow(folder, recipeFolder + kRecipeFile, &bytes, kMaxPageBytes); !read) {
        recipe.read.error = read.error;
        return recipe;
    }
    recipe.read = readRecipe(bytes, QString(), QUrl::fromLocalFile(path + kRecipeFile).toString());
    if (recipe.read.ok && readBelow(folder, recipeFolder + kPictureFile, &bytes, kMaxPageBytes))
        recipe.picture = pictureFrom(bytes);
    return recipe;
}

void importRecipeFolders(const RecipePlace &place, const RecipeFolder &folder, const std::function<bool(int)> &next,
                         const std::function<void(const FolderImported &)> &done)
{
    // Told in the folders' order: a failure waits for the recipes read before it.
    QList<FolderImported> told;
    QList<PreparedRecipe> batch;
    QList<qsizetype> batchAt; // where each recipe of the batch is in told
    qint64 batchBytes = 0;
    const auto flush = [&] {
        QStringList used;
        const QList<ImportResult> results = batch.isEmpty() ? QList<ImportResult>() : importPrepared(place, batch, &used);
        for (qsizetype i = 0; i < batch.size(); ++i) {
            FolderImported &recipe = told[batchAt.at(i)];
            if (results.at(i).change.outcome == store::ChangeOutcome::Done)
                recipe.name = used.value(i);
            else
                recipe.failure = importFailure(results.at(i));
        }
        for (const FolderImported &recipe : std::as_const(told))
            done(recipe);
        told.clear();
        batch.clear();
        batchAt.clear();
        batchBytes = 0;
    };
    for (int i = 0; i < folder.folders.size(); ++i) {
        if (!next(i))
            break;
        const QString &recipeFolder = folder.folders.at(i);
        const FolderRecipe found = readFolderRecipe(folder, recipeFolder);
        const QString name = usableName(found.read.recipe.name);
        told.append({recipeFolder, {}, {}});
        if (!found.read.ok) {
            told.last().failure = found.read.error;
        } else if (name.isEmpty()) {
            told.last().failure = QStringLiteral("Opskriften har intet navn, som kan bruges.");
        } else {
            batch.append(prepareRecipe(name, found.read.recipe, found.picture));
            batchAt.append(told.size() - 1);
            batchBytes += batch.last().description.size();
        }
        if (batch.size() >= kBatchRecipes || batchBytes >= kBatchBytes)
            flush();
    }
    flush();
}

} // namespace webimport
