// Shared by the fuzz targets of the measurement-file readers: the input is
// read in memory into a fresh measurement set, and whatever a reader writes
// (corrections, a saved PLX file) stays in memory too.
#pragma once

#include "data/MeasurementSet.h"
#include "data/ReaderFiles.h"
#include "data/Readers.h"
#include "platform/ScriptedPlatform.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zeb::fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A reader's surroundings for one input named path.
struct Reading {
    ScriptedPlatform platform;
    MeasurementSet set{platform};
    MemoryFiles files;
    ReaderInput in;
    Reading(std::string_view bytes, const std::string& path);
};

} // namespace zeb::fuzz
