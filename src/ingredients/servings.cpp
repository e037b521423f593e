#include "ingredients/ingredientline.h"

#include <QRegularExpression>

namespace ingredients {

namespace {

// In order of trust: a label beats a number before "personer", which beats "stk.".
const QRegularExpression &pattern(int i)
{
    constexpr auto options = QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption;
    static const QRegularExpression patterns[] = {
        QRegularExpression(QStringLiteral("\\b(?:antal(?:\\s+(?:personer|portioner|pers\\.?))?|portioner|personer|"
                                          "serves|servings|yield|udbytte|port\\.)\\s*:?\\s*(?:ca\\.?\\s*)?(\\d{1,4})(?!\\d)"),
                           options),
        QRegularExpression(QStringLiteral("(?<![\\d,.])(\\d{1,4})(?:\\s*[-–]\\s*\\d{1,4})?\\s*"
                                          "(?:personer|person|pers\\b\\.?|portioner|portion|servings|people|persons)"),
                           options),
        QRegularExpression(QStringLiteral("(?<![\\d,.])(\\d{1,4})\\s*(?:stk\\.|stykker\\b)"), options)};
    return patterns[i];
}

} // namespace

std::optional<double> servingsFrom(const QString &plainText)
{
    for (int i = 0; i < 3; ++i) {
        auto it = pattern(i).globalMatch(plainText);
        while (it.hasNext()) {
            const int n = it.next().captured(1).toInt();
            if (n >= 1 && n <= 1000)
                return double(n);
        }
    }
    return std::nullopt;
}

} // namespace ingredients
