#pragma once

#include "lazyload/library.h"

#include <archive.h>
#include <archive_entry.h>

namespace backup {

#define RETTERUM_LIBARCHIVE_CALLS(X)                                                               \
    X(archive_read_new) X(archive_read_free) X(archive_read_support_format_zip)                    \
    X(archive_read_support_format_zip_seekable) X(archive_read_open_fd) X(archive_read_next_header) X(archive_read_data)                       \
    X(archive_read_data_skip) X(archive_error_string)                                              \
    X(archive_write_new) X(archive_write_free) X(archive_write_set_format_zip)                     \
    X(archive_write_set_options) X(archive_write_open2) X(archive_write_header)                    \
    X(archive_write_data) X(archive_write_close)                                                   \
    X(archive_entry_new) X(archive_entry_free) X(archive_entry_pathname_utf8)                      \
    X(archive_entry_set_pathname_utf8) X(archive_entry_filetype) X(archive_entry_set_filetype)     \
    X(archive_entry_set_perm) X(archive_entry_size) X(archive_entry_size_is_set)                   \
    X(archive_entry_set_size) X(archive_entry_set_mtime) X(archive_entry_symlink)                  \
    X(archive_entry_hardlink)

struct LibArchive {
    LAZYLOAD_CALLS(RETTERUM_LIBARCHIVE_CALLS)
};

// libarchive's calls, opened on the first backup or restore; null, with a Danish error, when it
// can't be.
inline const LibArchive *libarchive(QString *error = nullptr)
{
    return lazyload::calls<LibArchive>(RETTERUM_LIBARCHIVE_SONAME, error);
}

} // namespace backup
