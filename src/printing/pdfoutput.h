#pragma once

#include <QString>

// A PDF is written to a temporary file beside its target and renamed in only when whole, so a
// full disk or a cancel never leaves half a file where the user looks.
namespace printing {

// A new, empty file beside target for the pages; empty when none can be made there.
QString temporaryBeside(const QString &target);

// Whether the file ends as a whole PDF does: a write cut short by a full disk does not.
bool isWholePdf(const QString &path);

// Renames the whole temporary file onto target (replacing what stands there) or removes it.
// Gives an empty text, or the Danish message of what went wrong.
QString moveIntoPlace(const QString &temporary, const QString &target);

// The message for a PDF that can't be written at target, with the reason the folder or the file
// gives; without a final full stop.
QString cannotWrite(const QString &target);

} // namespace printing
