#pragma once

#include "store/fileresult.h"

#include <QString>

#include <exception>
#include <utility>

namespace store {

// A whole-file read or write that failed where no command catches it; the general error
// report shows its text.
class FileError : public std::exception {
public:
    explicit FileError(QString text)
        : m_text(std::move(text))
        , m_utf8(m_text.toUtf8())
    {
    }
    QString text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

inline void throwIfFailed(const FileResult &result)
{
    if (!result.ok)
        throw FileError(result.error);
}

} // namespace store
