// Text conversion between UTF-8 (inside the program) and the single-byte code
// pages of the files: DOS code page 850 for record, PLT and PLX files and
// Windows-1252 for metafile text. Characters a code page lacks become '?'.
#pragma once

#include <string>
#include <string_view>

namespace zeb {

std::string Cp850ToUtf8(std::string_view bytes);
std::string Utf8ToCp850(std::string_view text);
std::string Utf8ToCp1252(std::string_view text);

// Appends the UTF-8 bytes of one code point.
void AppendUtf8(std::string& out, char32_t cp);
// Decodes one code point at text[i] and advances i; a malformed byte gives U+FFFD.
char32_t DecodeUtf8(std::string_view text, std::size_t& i);
// The length of the well-formed UTF-8 sequence at text[i] (1 to 4), or 0 when
// the bytes there are none: strict, no overlong forms, no surrogates, nothing
// above U+10FFFF.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t i);
// True when the whole text is well-formed UTF-8.
bool IsUtf8(std::string_view text);

// Number of code points.
std::size_t Utf8Length(std::string_view text);
// The first `characters` code points.
std::string Utf8Left(std::string_view text, std::size_t characters);

} // namespace zeb
