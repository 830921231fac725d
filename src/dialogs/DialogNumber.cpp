#include "dialogs/DialogNumber.h"

#include "data/TextLines.h"

namespace zeb {

bool DialogNumber(const std::string& text, double& value) {
    std::string s = text;
    if (const auto comma = s.find(','); comma != std::string::npos) s[comma] = '.';
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    const auto last = s.find_last_not_of(" \t");
    return WholeDouble(std::string_view(s).substr(first, last - first + 1), value);
}

} // namespace zeb
