#pragma once

#include "store/storepaths.h"

namespace store {

enum class PrivateFolder {
    Ready,        // the user's own folder, closed to others, with its settings folder
    NotOwn,       // someone else's folder, or a link or file in its place: not used
    Unavailable,  // could not be made
};

// Makes the user's folder (mode 0700) and its settings folder when missing. The users root is
// open to every user, so a folder found there under the user's name is used only when it is
// the user's own: a folder that another user made first could be read by that user.
// The login name of the effective user, empty when the password database has none.
QString loginName();

PrivateFolder preparePrivateFolder(const StorePaths &paths, const QString &brugernavn);

} // namespace store
