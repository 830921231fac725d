// Profile (INI) files: sections in square brackets, "key=value" lines. Section,
// key and value texts are compared exactly and case-sensitively; a key may end
// in a blank ("Smoothing "). Writing one key replaces only that line and the
// whole file is replaced atomically, so a crash never leaves half a file.
#pragma once

#include <cstddef>
#include <string>

namespace zeb {

// The value of key in section, at most maxChars characters; defaultValue (also
// cut to maxChars) when the file, the section or the key is missing.
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t maxChars,
                                    const std::string& path);

// Writes one key, creating the section and the file as needed. Returns false when
// the file could not be written or a text holds a line break or (section, key) a bracket/equals sign.
bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path);

} // namespace zeb
