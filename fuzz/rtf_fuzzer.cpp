// Feeds arbitrary bytes to the RTF reader and writes the result. With RETTERUM_FUZZ_STABILITY
// set it also reads that again and stops where a second write differs from the first: a writer
// whose output does not read back the same. The timed run in CI looks for crashes, leaks and
// slow inputs only, so that it can't turn red on a new finding of that slower hunt.

#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication *app = new QGuiApplication(*argc, *argv);
    Q_UNUSED(app);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool checkStability = qEnvironmentVariableIsSet("RETTERUM_FUZZ_STABILITY");
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument doc;
    rtf::read(input, &doc);
    const QByteArray once = rtf::write(doc);
    if (!checkStability)
        return 0;

    QTextDocument again;
    rtf::read(once, &again);
    const QByteArray twice = rtf::write(again);
    if (twice != once) {
        std::fprintf(stderr, "Writing is not stable after the first pass:\n--- first\n%s\n--- second\n%s\n",
                     once.constData(), twice.constData());
        std::abort();
    }
    return 0;
}
