#pragma once

#include "lazyload/library.h"

#include <gumbo.h>

namespace webimport {

#define RETTERUM_GUMBO_CALLS(X) X(kGumboDefaultOptions) X(gumbo_parse_with_options) X(gumbo_destroy_output) X(gumbo_get_attribute)

struct LibGumbo {
    LAZYLOAD_MEMBERS(RETTERUM_GUMBO_CALLS)
};

// Opens the HTML parser on the first page read; false, with a Danish error, when it can't be.
bool gumboLoaded(QString *error);
// Its calls, once gumboLoaded() has said yes.
const LibGumbo &gumbo();

} // namespace webimport
