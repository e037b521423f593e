#pragma once

#include <QString>

namespace store {
class ExclusiveFile;
}

// A PDF is written to a temporary file beside its target and renamed in only when whole, so a
// full disk or a cancel never leaves half a file where the user looks.
namespace printing {

// Whether the open file ends as a whole PDF does: a write cut short by a full disk does not.
bool isWholePdf(int fd);

// Puts the whole PDF in file onto its target, or leaves the target as it was. Gives an empty
// text, or the Danish message of what went wrong.
QString moveIntoPlace(store::ExclusiveFile &file);

// The message for a PDF that can't be written at target, with the reason the folder or the file
// gives; without a final full stop.
QString cannotWrite(const QString &target);

} // namespace printing
