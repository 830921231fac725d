// Reading and writing the settings file: the global defaults at program start,
// each plot window's titles and line rows at its creation, and "Save to INI
// file". Each of them reads the file once. A missing file, one that cannot be
// read and one far larger than settings take give the built-in defaults (the
// last two with a message at start); a failed save says why.
#pragma once

#include "platform/AtomicFile.h"
#include "settings/PlotSettings.h"

#include <string>

namespace zeb {

// The settings file of a program: beside the program file, named like it with
// "ini" in place of an ".exe" ending (or with ".ini" appended when the name has
// no such ending: /opt/zeb/zebstat gives /opt/zeb/zebstat.ini). When that folder
// is not writable, or the program is installed (its folder has a sibling
// share/zebstat, as /usr/bin has /usr/share/zebstat), the file lies in
// $XDG_CONFIG_HOME/zebstat/ (or ~/.config/zebstat/), which is created.
std::string SettingsFilePath(const std::string& programPath);

class ProfileFile;

// The global defaults and a new window's settings from a settings file's
// contents (ProfileFile::FromText gives them from bytes).
GlobalDefaults GlobalSettingsOf(const ProfileFile& file);
PlotSettings WindowSettingsOf(const GlobalDefaults& defaults, const ProfileFile& file);

// problem (when given) receives the message for a file that exists but was
// not read (too large, unreadable); empty otherwise.
GlobalDefaults ReadGlobalSettings(const std::string& path, std::string* problem = nullptr);

// A new window's settings: the global defaults, then the axis titles of every
// plot type and form-factor representation and the line rows from the file.
PlotSettings ReadWindowSettings(const GlobalDefaults& defaults, const std::string& path);

// Writes the window's settings (the titles in use under the key of the current
// plot type, or of the form-factor representation in form-factor mode), then
// makes the sizes, types, smoothing, fit display, show/print flags and the axis
// font the global defaults (also when the file could not be written). The file
// is read once and written once; the result says why a save failed.
WriteResult SaveSettings(const PlotSettings& window, int plotType, int formFactorRepresentation,
                         GlobalDefaults& defaults, const std::string& path);

// Texts of the symbol size codes: 1 "small", 2 "medium", anything else "great";
// and back (any unknown text gives 2).
const char* SymbolSizeText(int code);
std::int16_t SymbolSizeCode(const std::string& text);

// The leading decimal integer of a text (blanks and a sign allowed before it;
// 0 without digits), as the font and line keys are read.
long long LeadingInteger(const std::string& text);

} // namespace zeb
