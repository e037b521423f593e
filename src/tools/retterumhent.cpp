#include "tools/hentcommand.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The description is laid out as a document; no screen is needed for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = runHent(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return code;
}
