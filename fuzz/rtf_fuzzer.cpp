// Feeds arbitrary bytes to the RTF reader, writes the result and reads that again. Besides
// crashes, leaks and slow inputs it catches a writer whose output does not read back the same.

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
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument doc;
    rtf::read(input, &doc);
    const QByteArray once = rtf::write(doc);

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
