#pragma once

#include <QString>

// Messages are written with "\r" for a new line (also "\r\n"); labels need "\n".
inline QString displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}
