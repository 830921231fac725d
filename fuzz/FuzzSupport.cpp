#include "FuzzSupport.h"

#include <cstdlib>

namespace zeb::fuzz {

Reading::Reading(std::string_view bytes, const std::string& path)
    : files(std::string(bytes)), in{path, FileIdentity{}, set, platform, files, {}} {
    if (set.InitMeasurementSet() != 1) std::abort();
}

} // namespace zeb::fuzz
