#pragma once

#include <locale.h>

namespace text {

// The C locale, for numbers in files and edit fields: GUI toolkits switch the
// process locale, and a comma decimal point would break them.
locale_t GetCLocale();

// Switches the calling thread to the C locale for the guard's lifetime.
class CScopedCLocale {
public:
    CScopedCLocale() : m_previous(uselocale(GetCLocale())) {}
    ~CScopedCLocale() { uselocale(m_previous); }
    CScopedCLocale(const CScopedCLocale&) = delete;
    CScopedCLocale& operator=(const CScopedCLocale&) = delete;

private:
    locale_t m_previous;
};

}  // namespace text
