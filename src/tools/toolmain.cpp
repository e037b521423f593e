#include "tools/toolmain.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

// Qt's own warnings (a missing runtime folder, say) are no concern of the user of a command: only
// what the command says itself goes to the terminal.
void onlyGraveMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int runTool(int argc, char *argv[], ToolRun run)
{
    qInstallMessageHandler(onlyGraveMessages);
    // Descriptions and pages are laid out as documents; no screen is needed for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = run(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return code;
}
