#pragma once

#include "lazyload/library.h"

#include <gumbo.h>

namespace webimport {

#define RETTERUM_GUMBO_CALLS(X) X(kGumboDefaultOptions) X(gumbo_parse_with_options) X(gumbo_destroy_output) X(gumbo_get_attribute)

struct LibGumbo {
    LAZYLOAD_CALLS(RETTERUM_GUMBO_CALLS)
};

// The HTML parser's calls, opened on the first page read; null, with a Danish error, when it
// can't be.
inline const LibGumbo *gumbo(QString *error = nullptr)
{
    return lazyload::calls<LibGumbo>(RETTERUM_GUMBO_SONAME, error);
}

} // namespace webimport
