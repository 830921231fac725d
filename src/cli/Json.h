// A small JSON writer for zebstat-batch: numbers with 17 significant digits,
// non-finite numbers as null, strings escaped.
#pragma once

#include "data/CFormat.h"
#include "session/JsonDocument.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace zeb::json {

inline std::string number(double v) {
    if (!std::isfinite(v)) return "null";
    return CFormat("%.17g", v);
}

inline std::string number(std::optional<double> v) { return v ? number(*v) : "null"; }

inline std::string string(const std::string& s) { return jsondoc::Quote(s); }

inline std::string numbers(const std::vector<double>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) out += (i ? ", " : "") + number(values[i]);
    return out + "]";
}

// Joins "key": value pairs already rendered into an object.
inline std::string object(const std::vector<std::pair<std::string, std::string>>& members) {
    std::string out = "{";
    for (std::size_t i = 0; i < members.size(); ++i)
        out += (i ? ", " : "") + string(members[i].first) + ": " + members[i].second;
    return out + "}";
}

inline std::string array(const std::vector<std::string>& rendered) {
    std::string out = "[";
    for (std::size_t i = 0; i < rendered.size(); ++i) out += (i ? ", " : "") + rendered[i];
    return out + "]";
}

} // namespace zeb::json
