#pragma once

#include <clocale>
#include <locale.h>

namespace backup {

// Names in a zip are UTF-8, and libarchive converts them through the C library's locale: under a
// locale that is missing (or "C") every Danish letter would fail. While one lives, this thread
// converts as C.UTF-8, whatever the process's locale.
class Utf8Locale {
public:
    Utf8Locale()
        : m_locale(::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr))
        , m_previous(m_locale ? ::uselocale(m_locale) : nullptr)
    {
    }
    ~Utf8Locale()
    {
        if (m_locale) {
            ::uselocale(m_previous);
            ::freelocale(m_locale);
        }
    }
    Utf8Locale(const Utf8Locale &) = delete;
    Utf8Locale &operator=(const Utf8Locale &) = delete;

private:
    locale_t m_locale;
    locale_t m_previous;
};

} // namespace backup
