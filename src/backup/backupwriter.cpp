#include "backup/backupwriter.h"

#include "backup/layout.h"
#include "backup/libarchive.h"
#include "backup/utf8locale.h"
#include "rtf/rtffile.h"
#include "store/exclusivefile.h"
#include "store/listfile.h"
#include "store/storepaths.h"
#include "store/whynotwritable.h"

#include <QDateTime>

#include <cerrno>
#include <memory>
#include <unistd.h>

namespace backup {

namespace {

// One file of the backup: where it is in the area and in the archive. Lists were read already
// (their names decide what follows) and are kept; recipe files are read when their turn comes.
struct Item {
    QString archivePath;
    QString areaPath;
    qint64 maxBytes = 0;
    bool isList = false;
    QByteArray listBytes;
};

struct Outline {
    QList<Item> items;
    int mains = 0;
    int subs = 0;
    int recipes = 0;
    QStringList unreadable;
};

// Walks the area as its lists name it. An entry that can't name a folder or file owns nothing and
// is left out; so are folders and files no list names.
class Walker {
public:
    explicit Walker(const store::Tree &area)
        : m_area(area)
    {
    }

    Outline walk()
    {
        const QString root = m_area.root();
        const QStringList mains = list(QString(), store::StorePaths::mainCategoryFile(root), mainListName());
        for (const QString &main : mains) {
            const QString mainFolder = m_area.folder(root, main);
            if (mainFolder.isEmpty())
                continue;
            ++m_outline.mains;
            const QString mainPrefix = main + u'/';
            const QStringList subs = list(mainPrefix, store::StorePaths::indexFile(mainFolder), indexName());
            for (const QString &sub : subs) {
                const QString subFolder = m_area.folder(mainFolder, sub);
                if (subFolder.isEmpty())
                    continue;
                ++m_outline.subs;
                const QString subPrefix = mainPrefix + sub + u'/';
                for (const QString &recipe : list(subPrefix, store::StorePaths::indexFile(subFolder), indexName()))
                    addRecipe(subPrefix, subFolder, recipe);
            }
        }
        return std::move(m_outline);
    }

private:
    // The list's entries once each; the list itself goes into the backup as it is.
    QStringList list(const QString &prefix, const QString &path, const QString &fileName)
    {
        if (path.isEmpty() || !m_area.isFile(path))
            return {};
        Item item{prefix + fileName, path, store::kMaxListBytes, true, {}};
        const store::FileResult read = m_area.readFile(path, &item.listBytes, store::kMaxListBytes);
        if (!read) {
            m_outline.unreadable.append(path);
            return {};
        }
        QStringList entries = store::parseList(item.listBytes).entries;
        entries.removeDuplicates();
        m_outline.items.append(std::move(item));
        return entries;
    }

    void addRecipe(const QString &prefix, const QString &folder, const QString &recipe)
    {
        const QString description = store::StorePaths::descriptionFile(m_area, folder, recipe);
        const QString ingredients = store::StorePaths::ingredientFile(m_area, folder, recipe);
        if (description.isEmpty())
            return;
        ++m_outline.recipes;
        if (m_area.isFile(description))
            m_outline.items.append({prefix + recipe + descriptionSuffix(), description, rtf::kMaxDescriptionBytes, false, {}});
        if (m_area.isFile(ingredients))
            m_outline.items.append({prefix + recipe + ingredientSuffix(), ingredients, store::kMaxListBytes, false, {}});
    }

    const store::Tree &m_area;
    Outline m_outline;
};

struct ArchiveFree {
    void operator()(archive *a) const { libarchive()->archive_write_free(a); }
};
struct EntryFree {
    void operator()(archive_entry *e) const { libarchive()->archive_entry_free(e); }
};

// Writes straight to the backup file's descriptor, so that errno of a failed write is known.
struct Sink {
    int fd = -1;
    int error = 0;
};

// A failed write is remembered and the rest passed over, not reported to the library: an archive
// it marks as failed is freed without ending its compressor, which would leak.
la_ssize_t writeToSink(archive *, void *data, const void *buffer, size_t length)
{
    auto *sink = static_cast<Sink *>(data);
    const char *bytes = static_cast<const char *>(buffer);
    size_t done = 0;
    while (done < length && sink->error == 0) {
        const ssize_t n = ::write(sink->fd, bytes + done, length - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            sink->error = n < 0 ? errno : ENOSPC;
        else
            done += size_t(n);
    }
    return la_ssize_t(length);
}

class Writer {
public:
    Writer(const QString &zipPath)
        : m_file(zipPath)
        , m_zipPath(zipPath)
    {
    }

    bool open(QString *error)
    {
        if (!libarchive(error))
            return false;
        if (!m_file.open()) {
            *error = withReason(QStringLiteral("Sikkerhedskopien kan ikke gemmes som \"%1\".").arg(m_zipPath));
            return false;
        }
        m_sink.fd = m_file.handle();
        const LibArchive *la = libarchive();
        m_archive.reset(la->archive_write_new());
        la->archive_write_set_format_zip(m_archive.get());
        // Names in UTF-8, marked so in every header, whatever the locale.
        la->archive_write_set_options(m_archive.get(), "zip:hdrcharset=UTF-8");
        if (la->archive_write_open2(m_archive.get(), &m_sink, nullptr, writeToSink, nullptr, nullptr) != ARCHIVE_OK) {
            *error = failure();
            return false;
        }
        return true;
    }

    bool add(const QString &archivePath, const QByteArray &bytes, QString *error)
    {
        const LibArchive *la = libarchive();
        const std::unique_ptr<archive_entry, EntryFree> entry(la->archive_entry_new());
        la->archive_entry_set_pathname_utf8(entry.get(), archivePath.toUtf8().constData());
        la->archive_entry_set_filetype(entry.get(), AE_IFREG);
        la->archive_entry_set_perm(entry.get(), 0644);
        la->archive_entry_set_size(entry.get(), bytes.size());
        la->archive_entry_set_mtime(entry.get(), m_now, 0);
        if (la->archive_write_header(m_archive.get(), entry.get()) != ARCHIVE_OK
            || (!bytes.isEmpty() && la->archive_write_data(m_archive.get(), bytes.constData(), size_t(bytes.size())) != bytes.size())
            || m_sink.error != 0) {
            *error = failure();
            return false;
        }
        return true;
    }

    bool finish(QString *error)
    {
        const bool closed = libarchive()->archive_write_close(m_archive.get()) == ARCHIVE_OK;
        m_archive.reset();
        if (!closed || m_sink.error != 0) {
            *error = failure();
            return false;
        }
        if (!m_file.commit()) {
            // A full disk may show only when the file is synced.
            if (errno == ENOSPC || errno == EDQUOT)
                m_sink.error = errno;
            *error = failure();
            return false;
        }
        return true;
    }

private:
    QString failure() const
    {
        if (m_sink.error == ENOSPC || m_sink.error == EDQUOT)
            return QStringLiteral("Der er ikke plads nok på disken til sikkerhedskopien \"%1\". Intet er gemt.")
                .arg(m_zipPath);
        return withReason(QStringLiteral("Sikkerhedskopien \"%1\" kunne ikke skrives. Intet er gemt.").arg(m_zipPath));
    }

    QString withReason(const QString &message) const
    {
        const QString why = store::whyNotWritable(m_zipPath);
        return why.isEmpty() ? message : message + u' ' + why;
    }

    Utf8Locale m_utf8;
    store::ExclusiveFile m_file; // removed again unless committed
    QString m_zipPath;
    Sink m_sink;
    std::unique_ptr<archive, ArchiveFree> m_archive;
    const qint64 m_now = QDateTime::currentSecsSinceEpoch();
};

QByteArray manifest(const QString &areaName, const Outline &outline)
{
    return store::encodeList(
        {QStringLiteral("Program: Retterum %1").arg(QStringLiteral(RETTERUM_VERSION)),
         QStringLiteral("Dato: %1").arg(QDateTime::currentDateTimeUtc().toString(Qt::ISODate)),
         QStringLiteral("Område: %1").arg(areaName),
         QStringLiteral("Hovedkategorier: %1").arg(outline.mains),
         QStringLiteral("Underkategorier: %1").arg(outline.subs),
         QStringLiteral("Opskrifter: %1").arg(outline.recipes)},
        store::ListEncoding::Windows1252);
}

} // namespace

BackupResult writeBackup(const store::Tree &area, const QString &areaName, const QString &zipPath,
                         const Progress &progress)
{
    BackupResult result;
    Outline outline = Walker(area).walk();
    result.mainCategories = outline.mains;
    result.subcategories = outline.subs;
    result.recipes = outline.recipes;
    result.unreadable = outline.unreadable;

    Writer writer(zipPath);
    if (!writer.open(&result.error))
        return result;
    const int total = int(outline.items.size());
    for (int i = 0; i < total; ++i) {
        if (progress && !progress(i, total)) {
            result.cancelled = true;
            result.error = QStringLiteral("Sikkerhedskopien blev annulleret. Intet er gemt.");
            return result;
        }
        Item &item = outline.items[i];
        QByteArray bytes = std::move(item.listBytes);
        if (!item.isList && !area.readFile(item.areaPath, &bytes, item.maxBytes)) {
            result.unreadable.append(item.areaPath);
            continue;
        }
        if (!writer.add(item.archivePath, bytes, &result.error))
            return result;
    }
    if (!writer.add(manifestName(), manifest(areaName, outline), &result.error) || !writer.finish(&result.error))
        return result;
    if (progress)
        progress(total, total);
    result.ok = true;
    return result;
}

namespace {

QString counted(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

} // namespace

QString backupCounts(const BackupResult &result, const QString &zipPath)
{
    return QStringLiteral("Sikkerhedskopien er gemt i \"%1\": %2, %3, %4.")
        .arg(zipPath, counted(result.mainCategories, "hovedkategori", "hovedkategorier"),
             counted(result.subcategories, "underkategori", "underkategorier"),
             counted(result.recipes, "opskrift", "opskrifter"));
}

QString backupSummary(const BackupResult &result, const QString &zipPath)
{
    if (!result.ok)
        return result.error;
    QString text = backupCounts(result, zipPath);
    if (!result.unreadable.isEmpty())
        text += QStringLiteral("\n%1 filer kunne ikke læses og er ikke med:\n  %2")
                    .arg(result.unreadable.size())
                    .arg(result.unreadable.mid(0, 10).join(QStringLiteral("\n  ")));
    return text;
}

} // namespace backup
