#include "data/LoadErrors.h"

#include <cstdio>

namespace zeb {

std::string GridLimitDetail(const char* values, double count, int room) {
    char line[200];
    std::snprintf(line, sizeof line, "The file holds %.15g %s, %.15g more than the %d there is room for.", count,
                  values, count - room, room);
    return line;
}

std::string GridLimitReachedDetail(const char* values, int limit) {
    char line[200];
    std::snprintf(line, sizeof line, "With this file the data would hold more than %d %s.", limit, values);
    return line;
}

} // namespace zeb
