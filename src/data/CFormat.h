// printf-style formatting into a std::string, for the number formats the files
// and dialogs use ("%12.5E", "%.5f", ...), always with a decimal point.
#pragma once

#include "data/CLocaleScope.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <string>

namespace zeb {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
inline std::string CFormat(const char* format, ...) {
    CLocaleScope scope;
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

// Appends v as printf's "%<width>.<precision>E" would, about ten times faster
// than snprintf for the large value tables of PLT and PLX files: std::to_chars
// with a precision is defined to give printf's digits in the C locale.
inline void AppendScientific(std::string& out, double v, int width, int precision) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, precision);
    if (r.ec != std::errc()) {
        out += CFormat("%*.*E", width, precision, v);
        return;
    }
    const auto length = static_cast<int>(r.ptr - buf);
    if (length < width) out.append(static_cast<std::size_t>(width - length), ' ');
    for (const char* p = buf; p != r.ptr; ++p) out += *p >= 'a' && *p <= 'z' ? static_cast<char>(*p - 'a' + 'A') : *p;
}

} // namespace zeb
