#pragma once

// The process's resident memory, for benchmarks that report what an action takes.

#include <QFile>

#include <malloc.h>

// Resident memory in bytes: "VmHWM:" (the peak) or "VmRSS:" (now).
inline double residentBytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field)) + 1).trimmed().split(' ').value(0).toDouble() * 1024;
    return 0;
}

// Starts a new peak. What was freed goes back to the system first, or the peak could not grow
// past it.
inline void resetPeak()
{
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}
