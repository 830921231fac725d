#include "platform/Platform.h"

namespace zeb {

std::string WithFileLine(const std::string& text, const std::string& path) {
    if (path.empty()) return text;
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || text.find(name) != std::string::npos) return text;
    std::string shown = text;
    while (!shown.empty() && shown.back() == '\n') shown.pop_back();
    return shown + "\n\n" + name;
}

} // namespace zeb
