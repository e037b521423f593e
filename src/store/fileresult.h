#pragma once

#include <QString>

namespace store {

// Outcome of reading or writing a whole file. The caller must look at it: a window turns a
// failure into the message the user sees.
struct [[nodiscard]] FileResult {
    bool ok = true;
    QString error; // Danish, ready to show; empty on success

    explicit operator bool() const { return ok; }

    static FileResult success() { return {}; }
    static FileResult readFailed(const QString &path)
    {
        return {false, QStringLiteral("Filen \"%1\" kan ikke læses").arg(path)};
    }
    static FileResult tooLarge(const QString &path)
    {
        return {false, QStringLiteral("Filen \"%1\" er for stor til at blive åbnet").arg(path)};
    }
    static FileResult writeFailed(const QString &path)
    {
        return {false, QStringLiteral("Filen \"%1\" kan ikke gemmes").arg(path)};
    }
};

} // namespace store
