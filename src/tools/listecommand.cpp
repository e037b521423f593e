#include "tools/listecommand.h"

#include "ingredients/ingredientline.h"
#include "store/storepaths.h"
#include "tools/indkoebcommand.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

const QString kUsage = QStringLiteral("Brug: retterum-liste fortolk [--json] [FIL]\n"
                                      "      retterum-liste [--rod MAPPE] indkøb [--json] OPSKRIFT[*FAKTOR|=PORTIONER]...\n");

// One JSON value as text; through an array so that strings are escaped by the JSON writer.
QString jsonValue(const QJsonValue &value)
{
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString orNull(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("null") : jsonValue(text);
}

// The keys in the order the tool documents them, which a JSON object would sort.
QString jsonLine(const QString &line, const ingredients::IngredientLine &read)
{
    QString quantity = QStringLiteral("null");
    if (read.quantity) {
        quantity = read.quantity->high == read.quantity->low
            ? jsonValue(read.quantity->low)
            : u'[' + jsonValue(read.quantity->low) + u',' + jsonValue(read.quantity->high) + u']';
    }
    const bool food = read.kind == ingredients::LineKind::Ingredient;
    return QStringLiteral("{\"line\":%1,\"quantity\":%2,\"unit\":%3,\"name\":%4,\"comment\":%5}")
        .arg(jsonValue(line), quantity, orNull(read.unit), food ? orNull(read.name) : QStringLiteral("null"),
             orNull(read.comment));
}

// Two decimals are enough to tell what was read ("0,33" for a third).
QString decimalComma(double value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text.replace(u'.', u',');
}

QStringList tableRow(const ingredients::IngredientLine &read)
{
    QString amount;
    if (read.quantity) {
        amount = decimalComma(read.quantity->low);
        if (read.quantity->high != read.quantity->low)
            amount += u'-' + decimalComma(read.quantity->high);
    }
    QStringList marks;
    if (read.kind == ingredients::LineKind::Heading)
        marks << QStringLiteral("overskrift");
    if (read.optional)
        marks << QStringLiteral("evt.");
    if (read.notScaled)
        marks << QStringLiteral("skaleres ikke");
    return {amount, read.unit, read.name, read.comment, marks.join(QStringLiteral(", "))};
}

void printTable(const QList<QStringList> &rows, QTextStream &out)
{
    QList<qsizetype> widths(rows.first().size(), 0);
    for (const QStringList &row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row.at(c).size());
    }
    for (const QStringList &row : rows) {
        QString text;
        for (qsizetype c = 0; c < row.size(); ++c)
            text += c + 1 < row.size() ? row.at(c).leftJustified(widths[c] + 2) : row.at(c);
        // Lines without text leave no trailing spaces behind.
        while (text.endsWith(u' '))
            text.chop(1);
        out << text << '\n';
    }
}

int interpret(QIODevice &input, bool json, QTextStream &out)
{
    QList<QStringList> rows{{QStringLiteral("Mængde"), QStringLiteral("Enhed"), QStringLiteral("Ingrediens"),
                             QStringLiteral("Bemærkning"), QStringLiteral("Mærker")}};
    bool first = true;
    while (true) {
        // Every line read holds at least its line end; nothing read is the end (on a pipe,
        // atEnd() is only known after that).
        QByteArray bytes = input.readLine();
        if (bytes.isEmpty())
            break;
        if (bytes.endsWith('\n'))
            bytes.chop(1);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        if (first && bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        first = false;
        const QString line = QString::fromUtf8(bytes);
        const ingredients::IngredientLine read = ingredients::readLine(line);
        if (json)
            out << jsonLine(line, read) << '\n';
        else
            rows.append(tableRow(read));
    }
    if (!json)
        printTable(rows, out);
    return 0;
}

} // namespace

int runListe(const QStringList &arguments, QIODevice &standardInput, QTextStream &out, QTextStream &err)
{
    QString command;
    QStringList operands;
    QString dataRoot = store::installedDataRoot();
    bool json = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            out << kUsage;
            return 0;
        }
        if (arg == QLatin1String("--json")) {
            json = true;
        } else if (arg == QLatin1String("--rod")) {
            if (i + 1 == arguments.size()) {
                err << QStringLiteral("--rod mangler sin værdi.\n") << kUsage;
                return 1;
            }
            dataRoot = arguments.at(++i);
        } else if (arg.startsWith(u'-') && arg != u"-") {
            err << QStringLiteral("Ukendt tilvalg: %1\n").arg(arg) << kUsage;
            return 1;
        } else if (command.isEmpty()) {
            command = arg;
        } else {
            operands.append(arg);
        }
    }
    if (command == u"indkøb") {
        if (operands.isEmpty()) {
            err << QStringLiteral("Angiv mindst én opskrift.\n") << kUsage;
            return 1;
        }
        return runIndkoeb(dataRoot, operands, json, out, err);
    }
    if (command != QLatin1String("fortolk")) {
        err << (command.isEmpty() ? QStringLiteral("Angiv en kommando: fortolk eller indkøb.\n")
                                  : QStringLiteral("Ukendt kommando: %1\n").arg(command))
            << kUsage;
        return 1;
    }
    if (operands.size() > 1) {
        err << QStringLiteral("For mange filer: %1\n").arg(operands.at(1)) << kUsage;
        return 1;
    }
    const QString file = operands.value(0);
    if (file.isEmpty() || file == u"-")
        return interpret(standardInput, json, out);
    QFile input(file);
    if (QFileInfo(file).isDir() || !input.open(QIODevice::ReadOnly)) {
        err << QStringLiteral("Filen \"%1\" kan ikke læses.\n").arg(file);
        return 1;
    }
    return interpret(input, json, out);
}

int runListe(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QFile standardInput;
    if (!standardInput.open(stdin, QIODevice::ReadOnly)) {
        err << QStringLiteral("Standardinput kan ikke læses.\n");
        return 1;
    }
    return runListe(arguments, standardInput, out, err);
}
