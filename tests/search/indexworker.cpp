// Builds the find index of one area under a memory cap, as another user's files may force it
// to, and says what became of it: "memory" when it ran out, else how many recipes a word finds.
// Usage: indexworker <area folder> <megabytes more than now> <word>
#include "search/recipeindex.h"
#include "search/textfold.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

#include <sys/resource.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    // AddressSanitizer reserves far more address space than any cap: there the cap is left out.
#if !defined(__SANITIZE_ADDRESS__)
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 2;
    const qint64 pages = statm.readAll().split(' ').value(0).toLongLong();
    const rlim_t cap = rlim_t(pages * ::sysconf(_SC_PAGESIZE) + args.at(2).toLongLong() * 1024 * 1024);
    const rlimit limit{cap, cap};
    if (::setrlimit(RLIMIT_AS, &limit) != 0)
        return 2;
#endif
    const QString folder = args.at(1).endsWith(u'/') ? args.at(1) : args.at(1) + u'/';
    search::RecipeIndex index({{false, store::Tree(folder, true), folder}});
    if (index.refresh().outOfMemory) {
        std::printf("memory\n");
        return 0;
    }
    std::printf("%d\n", index.search(search::queryWords(args.at(3)), 10).total);
    return 0;
}
