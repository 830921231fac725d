// Shared by the fuzz targets: the input goes into a file of this process (the
// readers read files), and a fresh data window reads it.
#pragma once

#include "data/TFitF.h"
#include "platform/ScriptedPlatform.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace zeb::fuzz {

// A path in the temporary folder, unique to this process, with the extension ext.
std::string InputPath(const std::string& ext);
// Writes the bytes to path (aborts when that fails: the run would mean nothing).
void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size);

// A data window ready to run a reader on path.
struct Window {
    ScriptedPlatform platform;
    TFitF window{platform};
    explicit Window(const std::string& path);
};

} // namespace zeb::fuzz
