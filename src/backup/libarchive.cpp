#include "backup/libarchive.h"

#include <QtGlobal>

namespace backup {

namespace {

const LibArchive *load(QString *error)
{
    return lazyload::calls<LibArchive>(RETTERUM_LIBARCHIVE_SONAME, [](LibArchive &c, lazyload::Resolver &r) {
        LAZYLOAD_RESOLVE(RETTERUM_LIBARCHIVE_CALLS, c, r)
    }, error);
}

} // namespace

bool libarchiveLoaded(QString *error)
{
    return load(error) != nullptr;
}

const LibArchive &libarchive()
{
    const LibArchive *calls = load(nullptr);
    Q_ASSERT(calls);
    return *calls;
}

} // namespace backup
