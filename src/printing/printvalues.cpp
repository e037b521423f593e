#include "printing/printvalues.h"

#include "printing/printerror.h"

#include <QRegularExpression>

#include <cmath>

namespace printing {

namespace {

[[noreturn]] void notANumber(const QString &text, const QString &field, const QString &kind)
{
    throw PrintError(QStringLiteral("\"%1\" i feltet %2 er ikke et gyldigt %3").arg(text, field, kind));
}

} // namespace

double marginValue(const QString &text, const QString &field)
{
    static const QRegularExpression number(QStringLiteral("^[0-9]*,?[0-9]*$"));
    const bool hasDigit = text.contains(QRegularExpression(QStringLiteral("[0-9]")));
    bool ok = false;
    double value = 0;
    if (hasDigit && number.match(text).hasMatch()) {
        QString c = text;
        c.replace(QLatin1Char(','), QLatin1Char('.'));
        value = c.toDouble(&ok); // QString::toDouble ignores the locale
    }
    if (!ok || !std::isfinite(value))
        notANumber(text, field, QStringLiteral("tal"));
    return value;
}

int copiesValue(const QString &text, const QString &field)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    bool ok = false;
    const int value = digits.match(text).hasMatch() ? text.toInt(&ok) : 0;
    if (!ok)
        notANumber(text, field, QStringLiteral("heltal"));
    return value;
}

} // namespace printing
