#include "settings/Profile.h"

#include "platform/AtomicFile.h"

#include <vector>

namespace zeb {

namespace {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// "[name]" (blanks around the brackets allowed) gives name.
bool sectionName(const std::string& line, std::string& name) {
    const std::size_t open = line.find_first_not_of(" \t");
    if (open == std::string::npos || line[open] != '[') return false;
    const std::size_t close = line.find(']', open + 1);
    if (close == std::string::npos) return false;
    name = line.substr(open + 1, close - open - 1);
    return true;
}

bool keyOf(const std::string& line, std::string& key, std::string& value) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = line.substr(0, eq);
    value = line.substr(eq + 1);
    return true;
}

bool hasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

} // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t maxChars,
                                    const std::string& path) {
    const auto text = ReadWholeFile(path);
    if (text) {
        bool inSection = false;
        for (const auto& line : splitLines(*text)) {
            std::string name, k, v;
            if (sectionName(line, name)) {
                inSection = name == section;
            } else if (inSection && keyOf(line, k, v) && k == key) {
                return v.substr(0, maxChars);
            }
        }
    }
    return defaultValue.substr(0, maxChars);
}

bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path) {
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value) ||
        section.find(']') != std::string::npos || key.find('=') != std::string::npos ||
        key.empty() || (!key.empty() && key.front() == '['))
        return false;
    const auto text = ReadWholeFile(path);
    std::vector<std::string> lines = text ? splitLines(*text) : std::vector<std::string>{};
    const std::string newLine = key + "=" + value;

    bool inSection = false;
    std::ptrdiff_t sectionEnd = -1;  // index after the last non-blank line of the section
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string name, k, v;
        if (sectionName(lines[i], name)) {
            if (inSection) break;
            inSection = name == section;
            if (inSection) sectionEnd = static_cast<std::ptrdiff_t>(i) + 1;
        } else if (inSection) {
            if (keyOf(lines[i], k, v) && k == key) {
                lines[i] = newLine;
                sectionEnd = -2;
                break;
            }
            if (lines[i].find_first_not_of(" \t") != std::string::npos)
                sectionEnd = static_cast<std::ptrdiff_t>(i) + 1;
        }
    }
    if (sectionEnd == -1) {
        if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
        lines.push_back("[" + section + "]");
        lines.push_back(newLine);
    } else if (sectionEnd >= 0) {
        lines.insert(lines.begin() + sectionEnd, newLine);
    }
    std::string out;
    for (const auto& line : lines) out += line + "\n";
    return WriteFileAtomically(path, out);
}

} // namespace zeb
