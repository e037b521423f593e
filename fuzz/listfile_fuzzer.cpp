// Feeds arbitrary bytes to the list-file reader, as a list another user wrote into the shared
// area, and checks that what the program would write back reads back as the same entries.

#include "store/listfile.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const store::ListText read = store::parseList(input);
    const QByteArray written = store::encodeList(read.entries, read.encoding);
    const store::ListText again = store::parseList(written);
    if (again.entries != read.entries) {
        std::fprintf(stderr, "A written list reads back differently: %lld entries, then %lld\n",
                     static_cast<long long>(read.entries.size()), static_cast<long long>(again.entries.size()));
        std::abort();
    }
    return 0;
}
