// printf-style formatting into a std::string, for the number formats the files
// and dialogs use ("%12.5E", "%.5f", ...). The program runs with the C locale
// for numbers, so the decimal separator is always a point.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

namespace zeb {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
inline std::string CFormat(const char* format, ...) {
    char small[128];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string out;
    if (n < 0) {
        va_end(copy);
        return out;
    }
    if (static_cast<std::size_t>(n) < sizeof small) {
        out.assign(small, static_cast<std::size_t>(n));
    } else {
        out.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, copy);
        out.resize(static_cast<std::size_t>(n));
    }
    va_end(copy);
    return out;
}

} // namespace zeb
