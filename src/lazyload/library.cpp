#include "lazyload/library.h"

#include <dlfcn.h>

namespace lazyload {

namespace {

// The package depends on every library opened here, so a missing one means a broken install.
QString cannotLoad(const char *soname, const QString &why)
{
    return QStringLiteral("Biblioteket %1 kan ikke indlæses (%2). Geninstaller programmet.")
        .arg(QString::fromLatin1(soname), why);
}

} // namespace

Resolver::Resolver(const char *soname)
    : m_soname(soname)
    , m_handle(dlopen(soname, RTLD_NOW | RTLD_LOCAL))
{
    if (!m_handle)
        m_error = cannotLoad(soname, QString::fromLocal8Bit(dlerror()));
}

void *Resolver::find(const char *symbol)
{
    if (!m_handle)
        return nullptr;
    void *found = dlsym(m_handle, symbol);
    if (!found && m_error.isEmpty())
        m_error = cannotLoad(m_soname, QStringLiteral("%1 mangler").arg(QString::fromLatin1(symbol)));
    return found;
}

} // namespace lazyload
