#include "mainwindow/mainsettings.h"

#include <algorithm>

namespace {

// Longer than any font or look name; a longer line is someone else's doing.
constexpr int kMaxTextLine = 256;

QString capped(const QString &line)
{
    return line.left(kMaxTextLine);
}

} // namespace

std::optional<MainSettings> MainSettings::fromLines(const QStringList &lines)
{
    if (lines.size() < lineCount)
        return std::nullopt;

    bool allNumbers = true;
    auto number = [&](int index) {
        bool ok = false;
        const int value = lines.at(index).toInt(&ok, 10);
        allNumbers = allNumbers && ok;
        return value;
    };

    MainSettings s;
    s.top = number(0);
    s.left = number(1);
    s.outerWidth = number(2);
    s.outerHeight = number(3);
    s.mainPanel1Width = number(4);
    s.mainPanel2Width = number(5);
    s.bottomPanelHeight = number(6);
    s.rightPanel1Height = number(7);
    s.Mainfont = capped(lines.at(8));
    s.MainSize = std::clamp(number(9), 1, 400);
    s.programMode = number(10);
    s.brugerOpstart = number(11);
    s.standardFont = capped(lines.at(12));
    s.DesignName = capped(lines.at(13));
    if (!allNumbers)
        return std::nullopt;
    return s;
}

QStringList MainSettings::toLines() const
{
    const auto n = [](int v) { return QString::number(v); };
    return {n(top), n(left), n(outerWidth), n(outerHeight), n(mainPanel1Width),
            n(mainPanel2Width), n(bottomPanelHeight), n(rightPanel1Height), Mainfont,
            n(MainSize), n(programMode), n(brugerOpstart), standardFont, DesignName};
}
