#pragma once

#include <QStringList>

class QTextStream;

// The body of a command-line tool: its arguments after the program name, its two streams, and the
// exit code it returns.
using ToolRun = int (*)(const QStringList &arguments, QTextStream &out, QTextStream &err);

// Runs a tool without a screen, with only its own messages on the terminal.
int runTool(int argc, char *argv[], ToolRun run);
