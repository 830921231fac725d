// Whole-file writes that never leave a half-written file behind: the bytes go
// to a temporary file beside the target, which is then renamed into place.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zeb {

// Returns false (and leaves any existing file untouched) when the write fails.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file; nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

} // namespace zeb
