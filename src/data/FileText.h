// Text fields of PLT and PLX files (sample, solvent and source names). Files
// of the older programs hold them in DOS code page 850; this program writes
// code page 850 too, and UTF-8 only for a name that code page cannot hold, so
// that a round trip keeps every name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zeb {

// UTF-8 when the bytes are valid UTF-8 with at least one multi-byte character, else code page 850.
std::string DecodeFileText(std::string_view bytes);
// Code page 850 when it holds every character, else the UTF-8 text unchanged.
std::string EncodeFileText(std::string_view utf8);

// The first `characters` characters of text, blank padded to that many.
std::string PadToCharacters(const std::string& utf8, std::size_t characters);
// Trailing blanks removed, never the first character.
std::string TrimTrailingBlanks(std::string text);

} // namespace zeb
