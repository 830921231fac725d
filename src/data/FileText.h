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
// Code page 850 when it holds every character (and is not read back as UTF-8),
// else the UTF-8 text unchanged.
std::string EncodeFileText(std::string_view utf8);

// Source names of PLX files are paths, whose bytes need not be text: a name
// that is not UTF-8, or that holds control characters (a line end, ESC), is
// written percent-encoded on a line of its own kind, so that the file stays
// text and the name comes back byte for byte. Every such byte and every "%"
// becomes "%XX" (two upper-case hex digits); UTF-8 characters stay as they are.
bool NeedsPercentEncoding(std::string_view name);
std::string PercentEncode(std::string_view name);
// "%XX" back to its byte; a "%" without two hex digits after it stays.
std::string PercentDecode(std::string_view text);

// The first `characters` characters of text, blank padded to that many.
std::string PadToCharacters(const std::string& utf8, std::size_t characters);
// Trailing blanks removed, never the first character.
std::string TrimTrailingBlanks(std::string text);

} // namespace zeb
