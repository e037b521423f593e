#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

namespace store {

// An error whose Danish text is meant for the user: where no command catches it, the general
// error report shows that text.
class UserError : public std::exception {
public:
    explicit UserError(QString text)
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

} // namespace store
