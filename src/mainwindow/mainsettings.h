#pragma once

#include <QStringList>

#include <optional>

// The fourteen lines of indstillinger.txt, in file order.
struct MainSettings {
    int top = 200;
    int left = 400;
    int outerWidth = 1057;
    int outerHeight = 678;
    int mainPanel1Width = 233;
    int mainPanel2Width = 200;
    int bottomPanelHeight = 300;
    int rightPanel1Height = 300;
    QString Mainfont = QStringLiteral("Courier New");
    int MainSize = 10;
    int programMode = 0;
    int brugerOpstart = 1;
    QString standardFont = QStringLiteral("Courier New");
    QString DesignName = QStringLiteral("Windows");

    static constexpr int lineCount = 14;

    // Empty when the file is short or a numeric line is no whole number: then every value
    // takes its default, also those that could be read.
    static std::optional<MainSettings> fromLines(const QStringList &lines);
    QStringList toLines() const;
};
