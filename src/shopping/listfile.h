#pragma once

#include "shopping/shoppingstate.h"
#include "store/fileresult.h"
#include "store/tree.h"

#include <QByteArray>

#include <optional>

namespace shopping {

// The list as a file of its own: UTF-8 text, one record a line, fields split by tabs, a tab,
// line break or backslash in a text written as "\t", "\n", "\\":
//   Retterum indkøbsliste 1
//   opskrift <factor> <key> <name>   a recipe, followed by its lines, each " <line>" after a tab
//   afkrydset <item key>              an item ticked off (food key, tab, unit family)
//   gruppe <group> <food key>         the user moved that food to the group
//   fri <0|1> <group> <text>          a free line, ticked or not
QByteArray encodeShoppingList(const ShoppingState &state);
// Nothing for a file that is not such a list, or holds more than a list could.
std::optional<ShoppingState> parseShoppingList(const QByteArray &bytes);

// Far more than any week's list; a larger file is someone else's.
constexpr qint64 kMaxShoppingListBytes = 4 * 1024 * 1024;

// The list kept in the user's settings folder.
class ShoppingListFile {
public:
    // settingsDir ends with "/".
    explicit ShoppingListFile(const QString &settingsDir);

    QString path() const { return m_path; }

    struct Loaded {
        ShoppingState state;
        // Danish, for the user, when the file could not be used: a file that is no list is put
        // aside beside it (and a new list begun); one that can't be read at all is left alone
        // and the list is not saved over it.
        QString message;
    };
    Loaded load();
    // Replaces the file whole, checked and atomically; refused while a file that could not be
    // read stands there.
    store::FileResult save(const ShoppingState &state);

private:
    QString setAside();

    store::Tree m_settings;
    QString m_folder;
    QString m_path;
    bool m_blocked = false;
};

} // namespace shopping
