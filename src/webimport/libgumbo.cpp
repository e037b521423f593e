#include "webimport/libgumbo.h"

namespace webimport {

namespace {

const LibGumbo *load(QString *error)
{
    return lazyload::calls<LibGumbo>(RETTERUM_GUMBO_SONAME, [](LibGumbo &c, lazyload::Resolver &r) {
        LAZYLOAD_RESOLVE(RETTERUM_GUMBO_CALLS, c, r)
    }, error);
}

} // namespace

bool gumboLoaded(QString *error)
{
    return load(error) != nullptr;
}

const LibGumbo &gumbo()
{
    const LibGumbo *calls = load(nullptr);
    Q_ASSERT(calls);
    return *calls;
}

} // namespace webimport
