#include "tools/indkoebcommand.h"

#include "ingredients/ingredientline.h"
#include "shopping/bookrecipe.h"
#include "shopping/groups.h"
#include "shopping/merge.h"
#include "store/privatefolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTextStream>

#include <cmath>

using namespace shopping;

namespace {

// Beyond any kitchen's pots.
constexpr double kMaxFactor = 1000;

struct Wanted {
    QString path;
    double factor = 1;    // *FAKTOR
    double servings = 0;  // =PORTIONER, 0 when none
};

// "Alle/Aftensmad/Supper/Løgsuppe*1,5", "…=6"; the rest is the recipe as named.
std::optional<Wanted> parseWanted(const QString &argument, QString *error)
{
    static const QRegularExpression suffix(QStringLiteral("^(.+)([*=])(\\d+(?:[.,]\\d+)?)$"));
    Wanted wanted{argument};
    const QRegularExpressionMatch m = suffix.match(argument);
    if (!m.hasMatch())
        return wanted;
    bool ok = false;
    const double number = m.captured(3).replace(u',', u'.').toDouble(&ok);
    if (!ok || number <= 0 || number > kMaxFactor) {
        *error = QStringLiteral("\"%1\" er ikke et tal, der kan bruges, i \"%2\".").arg(m.captured(3), argument);
        return std::nullopt;
    }
    wanted.path = m.captured(1);
    (m.captured(2) == u"*" ? wanted.factor : wanted.servings) = number;
    return wanted;
}

QString jsonValue(const QJsonValue &value)
{
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// Sums of thirds and cups written without the noise of binary fractions.
double tidy(double value)
{
    return std::round(value * 1000) / 1000;
}

// The keys in the documented order, which a JSON object would sort.
QString jsonItem(const Item &item)
{
    QString quantity = QStringLiteral("null");
    QString unit = QStringLiteral("null");
    if (const auto written = item.written()) {
        quantity = written->high == written->low
            ? jsonValue(tidy(written->low))
            : u'[' + jsonValue(tidy(written->low)) + u',' + jsonValue(tidy(written->high)) + u']';
        if (!written->unit.isEmpty())
            unit = jsonValue(written->unit);
    }
    return QStringLiteral("{\"name\":%1,\"quantity\":%2,\"unit\":%3,\"lines\":%4,\"recipes\":%5}")
        .arg(jsonValue(item.name), quantity, unit,
             QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(item.lines)).toJson(QJsonDocument::Compact)),
             QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(item.recipes)).toJson(QJsonDocument::Compact)));
}

void printGrouped(const QList<Item> &items, QTextStream &out)
{
    for (const Group group : allGroups()) {
        bool first = true;
        for (const Item &item : items) {
            if (groupOf(item.name) != group)
                continue;
            if (first)
                out << groupName(group) << ":\n";
            first = false;
            out << QStringLiteral("  ") << item.text() << '\n';
        }
    }
}

} // namespace

int runIndkoeb(const QString &dataRoot, const QStringList &arguments, bool json, QTextStream &out, QTextStream &err)
{
    const QString brugernavn = store::loginName();
    QList<RecipeLines> recipes;
    for (const QString &argument : arguments) {
        QString error;
        const std::optional<Wanted> wanted = parseWanted(argument, &error);
        if (!wanted) {
            err << error << '\n';
            return 1;
        }
        const BookRecipeRead read = readBookRecipe(dataRoot, brugernavn, wanted->path);
        if (!read.ok) {
            err << wanted->path << QStringLiteral(": ") << read.error << '\n';
            return 1;
        }
        double factor = wanted->factor;
        if (wanted->servings > 0) {
            const std::optional<double> servings = ingredients::servingsFrom(read.recipe.descriptionText);
            if (!servings) {
                err << wanted->path
                    << QStringLiteral(": Opskriften siger ikke, hvor mange portioner den er til; "
                                      "brug *FAKTOR i stedet.\n");
                return 1;
            }
            factor = wanted->servings / *servings;
        }
        recipes.append({read.recipe.name, read.recipe.lines, factor});
    }
    const QList<Item> items = mergeRecipes(recipes);
    if (!json) {
        printGrouped(items, out);
        return 0;
    }
    out << '[';
    for (qsizetype i = 0; i < items.size(); ++i)
        out << (i == 0 ? "\n" : ",\n") << jsonItem(items.at(i));
    out << (items.isEmpty() ? "]\n" : "\n]\n");
    return 0;
}
