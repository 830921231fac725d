// The files opened last, newest first, for the File menu. They are kept in the
// settings file in a section of their own ("Recent files", keys "File1" to
// "File8"), which nothing else reads.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zeb {

inline constexpr std::size_t kRecentFilesMax = 8;

// The list as the settings file holds it (empty entries skipped, a name given
// twice taken once), at most kRecentFilesMax.
std::vector<std::string> ReadRecentFiles(const std::string& settingsPath);

// Puts path at the head of the list (taking it out further down) and keeps
// the newest kRecentFilesMax; the file is read once and written once. False
// when the settings file could not be written or the path holds a line break.
bool RememberRecentFile(const std::string& path, const std::string& settingsPath);

// The captions of the menu entries: "&1 name", "&2 name", ...; an "&" in a name
// is doubled so that it shows, and a name that two entries share is shown with
// its folder ("&3 run.sta (/data/june)").
std::vector<std::string> RecentFileCaptions(const std::vector<std::string>& files);

} // namespace zeb
