#pragma once

#include <QFile>
#include <QString>

#include <functional>

namespace store {

// A file written at a name the user chose outside the store, perhaps in a folder that other users
// may write to as well. It is made under a new name that nobody else can have opened (never
// through a link), written only through its own descriptor, and renamed onto the chosen name when
// whole. A link that someone plants at either name is replaced, never written through, and the
// chosen name ends as this very file, or the write fails.
class ExclusiveFile {
public:
    explicit ExclusiveFile(QString target);
    ~ExclusiveFile(); // a file not committed is removed again
    ExclusiveFile(const ExclusiveFile &) = delete;
    ExclusiveFile &operator=(const ExclusiveFile &) = delete;

    // Makes the temporary file beside the target; false when the folder doesn't allow it.
    bool open();
    // The open file, for writers that take a device.
    QFile *device() { return &m_file; }
    int handle() const { return m_fd; }
    // A name that opens this very file whatever becomes of its name meanwhile, for writers that
    // open files only by name.
    QString descriptorName() const;
    // Flushes the device, brings the bytes to the disk and puts the file at the target (an own
    // file there keeps its mode). False when it could not be put there.
    bool commit();
    QString target() const { return m_target; }

    // For tests: called with the temporary file's path once it is made, before anything is
    // written, and again just before it is renamed onto the target.
    static std::function<void(const QString &temporary)> testHook;

private:
    bool makeTemporary();
    bool isOurs(const QByteArray &name) const;
    bool moveToFreshName();
    QString temporaryPath() const;

    QString m_target;
    QByteArray m_leaf;
    int m_folder = -1;
    int m_fd = -1;
    QByteArray m_name; // the temporary name, empty once the file has left it
    QFile m_file;
    mode_t m_mode = 0;
    bool m_committed = false;
};

} // namespace store
