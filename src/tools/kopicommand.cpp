#include "tools/kopicommand.h"

#include "store/storepaths.h"
#include "tools/kopibackup.h"
#include "tools/kopipdf.h"
#include "tools/kopiweb.h"

#include <QTextStream>

namespace {

const QString kUsage = QStringLiteral(
    "Brug: retterum-kopi [--rod MAPPE] gem FIL.zip [--område Alle|BRUGER]\n"
    "      retterum-kopi [--rod MAPPE] indlæs FIL.zip [--område Alle|BRUGER]\n"
    "      retterum-kopi [--rod MAPPE] pdf FIL.pdf [--område Alle|BRUGER] [--kategori \"Hovedkategori[/Underkategori]\"]\n"
    "      retterum-kopi [--rod MAPPE] web MAPPE [--område Alle|BRUGER] [--kategori \"Hovedkategori[/Underkategori]\"]\n");

using KopiRun = int (*)(const KopiOptions &, QTextStream &, QTextStream &);

KopiRun commandNamed(const QString &name)
{
    if (name == QLatin1String("gem"))
        return runKopiGem;
    if (name == u"indlæs")
        return runKopiIndlaes;
    if (name == QLatin1String("pdf"))
        return runKopiPdf;
    if (name == QLatin1String("web"))
        return runKopiWeb;
    return nullptr;
}

} // namespace

int runKopi(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    KopiOptions options;
    options.dataRoot = store::installedDataRoot();
    QString command;
    bool categoryGiven = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            out << kUsage;
            return 0;
        }
        if (arg == QLatin1String("--rod") || arg == u"--område" || arg == QLatin1String("--kategori")) {
            if (i + 1 >= arguments.size()) {
                err << QStringLiteral("%1 mangler sin værdi.\n").arg(arg) << kUsage;
                return 1;
            }
            const QString value = arguments.at(++i);
            if (arg == QLatin1String("--rod"))
                options.dataRoot = value;
            else if (arg == u"--område")
                options.area = value;
            else {
                options.category = value;
                categoryGiven = true;
            }
        } else if (arg.startsWith(u'-')) {
            err << QStringLiteral("Ukendt tilvalg: %1\n").arg(arg) << kUsage;
            return 1;
        } else if (command.isEmpty()) {
            command = arg;
        } else if (options.file.isEmpty()) {
            options.file = arg;
        } else {
            err << QStringLiteral("For mange filer: %1\n").arg(arg) << kUsage;
            return 1;
        }
    }
    const KopiRun run = commandNamed(command);
    if (!run) {
        err << (command.isEmpty() ? QStringLiteral("Angiv en kommando: gem, indlæs, pdf eller web.\n")
                                  : QStringLiteral("Ukendt kommando: %1\n").arg(command))
            << kUsage;
        return 1;
    }
    if (options.file.isEmpty()) {
        err << (run == runKopiWeb ? QStringLiteral("Kommandoen %1 mangler en mappe.\n") : QStringLiteral("Kommandoen %1 mangler en fil.\n")).arg(command) << kUsage;
        return 1;
    }
    if (categoryGiven && run != runKopiPdf && run != runKopiWeb) {
        err << QStringLiteral("--kategori hører kun til pdf og web.\n") << kUsage;
        return 1;
    }
    return run(options, out, err);
}
