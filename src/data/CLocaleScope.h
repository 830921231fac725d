// Switches the calling thread to the C locale while the object lives, so that
// printf- and strtod-style conversions write and read a decimal point whatever
// locale the process runs in (a Qt application takes the user's locale, and a
// German one would turn "1.5" into "1,5" in every file and result).
#pragma once

#include <locale.h>

namespace zeb {

class CLocaleScope {
public:
    CLocaleScope() {
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        if (cLocale) previous_ = uselocale(cLocale);
    }
    ~CLocaleScope() {
        if (previous_) uselocale(previous_);
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous_ = static_cast<locale_t>(nullptr);
};

} // namespace zeb
