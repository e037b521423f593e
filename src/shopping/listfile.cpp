#include "shopping/listfile.h"

#include <QStringDecoder>

#include <cmath>

namespace shopping {

namespace {

const QString kHeader = QStringLiteral("Retterum indkøbsliste 1");
const QString kFileName = QStringLiteral("indkøbsliste.txt");
const QString kRecipe = QStringLiteral("opskrift");
const QString kTicked = QStringLiteral("afkrydset");
const QString kGroup = QStringLiteral("gruppe");
const QString kFree = QStringLiteral("fri");
constexpr double kMaxFactor = 1000;

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

std::optional<QString> unescaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        const QChar c = text[i];
        if (c == u'\\')
            out += u'\\';
        else if (c == u't')
            out += u'\t';
        else if (c == u'n')
            out += u'\n';
        else if (c == u'r')
            out += u'\r';
        else
            return std::nullopt;
    }
    return out;
}

QString factorText(double factor)
{
    return QString::number(factor, 'g', 17);
}

// Fields of one record, unescaped; nothing when one is badly escaped.
std::optional<QStringList> fields(QStringView line)
{
    QStringList out;
    for (const QStringView field : line.split(u'\t')) {
        const auto text = unescaped(field);
        if (!text)
            return std::nullopt;
        out.append(*text);
    }
    return out;
}

} // namespace

QByteArray encodeShoppingList(const ShoppingState &state)
{
    QStringList lines{kHeader};
    for (const ListRecipe &recipe : state.recipes) {
        lines.append(kRecipe + u'\t' + factorText(recipe.factor) + u'\t' + escaped(recipe.key) + u'\t'
                     + escaped(recipe.name));
        for (const QString &line : recipe.lines)
            lines.append(u'\t' + escaped(line));
    }
    // Sorted, so that the same list is always the same file.
    QStringList ticked(state.ticked.cbegin(), state.ticked.cend());
    ticked.sort();
    for (const QString &key : ticked) {
        QStringList parts = key.split(u'\t');
        for (QString &part : parts)
            part = escaped(part);
        lines.append(kTicked + u'\t' + parts.join(u'\t'));
    }
    QStringList foods = state.groups.keys();
    foods.sort();
    for (const QString &food : foods)
        lines.append(kGroup + u'\t' + groupName(state.groups.value(food)) + u'\t' + escaped(food));
    for (const FreeLine &free : state.freeLines)
        lines.append(kFree + u'\t' + (free.ticked ? u'1' : u'0') + u'\t' + groupName(free.group) + u'\t'
                     + escaped(free.text));
    return (lines.join(u'\n') + u'\n').toUtf8();
}

std::optional<ShoppingState> parseShoppingList(const QByteArray &bytes)
{
    if (bytes.size() > kMaxShoppingListBytes || !bytes.endsWith('\n'))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.contains(QChar(0)))
        return std::nullopt;
    const QStringList lines = text.left(text.size() - 1).split(u'\n');
    if (lines.first() != kHeader)
        return std::nullopt;
    ShoppingState state;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.startsWith(u'\t')) {
            const auto recipeLine = unescaped(QStringView(line).mid(1));
            if (state.recipes.isEmpty() || !recipeLine)
                return std::nullopt;
            state.recipes.last().lines.append(*recipeLine);
            continue;
        }
        const auto record = fields(line);
        if (!record || record->isEmpty())
            return std::nullopt;
        const QString &kind = record->first();
        Group group = Group::Andet;
        if (kind == kRecipe && record->size() == 4) {
            bool ok = false;
            const double factor = record->at(1).toDouble(&ok);
            if (!ok || !std::isfinite(factor) || factor <= 0 || factor > kMaxFactor)
                return std::nullopt;
            state.recipes.append({record->at(2), record->at(3), factor, {}});
        } else if (kind == kTicked && record->size() >= 2) {
            state.ticked.insert(record->mid(1).join(u'\t'));
        } else if (kind == kGroup && record->size() == 3 && groupFromName(record->at(1), &group)) {
            state.groups.insert(record->at(2), group);
        } else if (kind == kFree && record->size() == 4 && (record->at(1) == u"0" || record->at(1) == u"1")
                   && groupFromName(record->at(2), &group)) {
            state.freeLines.append({record->at(3), record->at(1) == u"1", group});
        } else {
            return std::nullopt;
        }
    }
    return state;
}

ShoppingListFile::ShoppingListFile(const QString &settingsDir)
    : m_settings(settingsDir, false)
    , m_folder(settingsDir)
    , m_path(store::Tree::fixedFile(settingsDir, kFileName))
{
}

QString ShoppingListFile::setAside()
{
    for (int n = 1; n <= 100; ++n) {
        const QString name = n == 1 ? QStringLiteral("indkøbsliste.ødelagt.txt")
                                    : QStringLiteral("indkøbsliste.ødelagt %1.txt").arg(n);
        const QString aside = store::Tree::fixedFile(m_folder, name);
        if (!m_settings.exists(aside) && m_settings.rename(m_path, aside))
            return aside;
    }
    return QString();
}

ShoppingListFile::Loaded ShoppingListFile::load()
{
    m_blocked = false;
    Loaded loaded;
    if (!m_settings.exists(m_path))
        return loaded;
    QByteArray bytes;
    const store::FileResult read = m_settings.readFile(m_path, &bytes, kMaxShoppingListBytes);
    const bool tooLarge = !read.ok && read.error == store::FileResult::tooLarge(m_path).error;
    if (!read.ok && !tooLarge) {
        m_blocked = true;
        loaded.message = QStringLiteral("Indkøbslisten \"%1\" kan ikke læses. Den bliver ikke gemt, "
                                        "før filen kan læses igen.")
                             .arg(m_path);
        return loaded;
    }
    if (const auto state = tooLarge ? std::nullopt : parseShoppingList(bytes)) {
        loaded.state = *state;
        return loaded;
    }
    const QString aside = setAside();
    if (aside.isEmpty()) {
        m_blocked = true;
        loaded.message = QStringLiteral("Indkøbslisten \"%1\" er ikke en indkøbsliste fra Retterum og kan ikke "
                                        "lægges til side. Den bliver ikke gemt over.")
                             .arg(m_path);
        return loaded;
    }
    loaded.message = QStringLiteral("Indkøbslisten \"%1\" er ikke en indkøbsliste fra Retterum. Den er lagt til "
                                    "side som \"%2\", og en ny liste er begyndt.")
                         .arg(m_path, aside);
    return loaded;
}

store::FileResult ShoppingListFile::save(const ShoppingState &state)
{
    if (m_blocked)
        return {false, QStringLiteral("Indkøbslisten \"%1\" kan ikke læses og bliver derfor ikke gemt over.")
                           .arg(m_path)};
    return m_settings.writeFile(m_path, encodeShoppingList(state));
}

} // namespace shopping
