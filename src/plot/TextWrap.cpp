#include "plot/TextWrap.h"

#include "data/MeasurementSet.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace zeb {

namespace {

std::string Encode(const std::u32string& s, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to && i < s.size(); ++i) {
        const char32_t c = s[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Trim(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    const std::size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

bool HasActivePoint(const MeasurementSet& set, int c) {
    for (int a = 1; a <= set.lastAngleIndex; ++a) {
        const DataPoint* p = set.cell(c, a);
        if (p && p->hasData == 1 && p->active == 1) return true;
    }
    return false;
}

} // namespace

std::vector<std::string> WrapText(const std::string& text, std::size_t width) {
    std::u32string s;
    for (std::size_t i = 0; i < text.size();) s += DecodeUtf8(text, i);
    std::vector<std::string> lines;
    if (width == 0) width = 1;
    const std::size_t minBreak = static_cast<std::size_t>(0.666 * static_cast<double>(width - 1));
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t limit = std::min(s.size(), pos + width);
        std::size_t nl = pos;
        while (nl < limit && s[nl] != U'\n') ++nl;
        if (nl < limit) {  // a line end within reach
            std::size_t end = nl;
            if (end > pos && s[end - 1] == U'\r') --end;
            lines.push_back(Encode(s, pos, end));
            pos = nl + 1;
            continue;
        }
        if (limit == s.size()) {  // the rest fits
            lines.push_back(Encode(s, pos, limit));
            break;
        }
        if (s[limit] == U'\n' || (s[limit] == U'\r' && limit + 1 < s.size() && s[limit + 1] == U'\n')) {
            lines.push_back(Encode(s, pos, limit));
            pos = limit + (s[limit] == U'\r' ? 2 : 1);
            continue;
        }
        std::size_t brk = limit;
        while (brk > pos && s[brk - 1] != U' ' && s[brk - 1] != U'\\') --brk;
        if (brk > pos && brk - 1 - pos >= minBreak) {
            const bool space = s[brk - 1] == U' ';
            lines.push_back(Encode(s, pos, space ? brk - 1 : brk));
            pos = brk;
        } else {
            lines.push_back(Encode(s, pos, limit));
            pos = limit;
        }
    }
    return lines;
}

std::string BuildSourceFileList(const MeasurementSet& set) {
    std::vector<std::string> seen;
    std::string out;
    for (int c = 1; c <= set.lastConcIndex; ++c) {
        if (!HasActivePoint(set, c)) continue;
        const std::string path = Trim(set.sourceName[static_cast<std::size_t>(c)]);
        if (std::find(seen.begin(), seen.end(), path) != seen.end()) continue;
        seen.push_back(path);
        if (!out.empty()) out += "; ";
        out += path;
    }
    return out;
}

std::string SourceFileOf(const MeasurementSet& set, int c) {
    if (c < 1 || c > set.lastConcIndex) return {};
    return Trim(set.sourceName[static_cast<std::size_t>(c)]);
}

} // namespace zeb
