#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

namespace printing {

// A print command that can't go on: a value that is no number, no printer, a refused job. The
// general error report shows its text.
class PrintError : public std::exception {
public:
    explicit PrintError(QString text)
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

} // namespace printing
