// Loading files into a window the way the program does: the first file as the
// window's first load, the others with "&Add data file...". The platform
// answers the file dialogs with the given paths.
#pragma once

#include <string>
#include <vector>

namespace zeb {
class ScriptedPlatform;
class TFitF;
}

namespace zeb::cli {

// True when every file was loaded; false after the first load that failed or
// was cancelled (its messages are with the platform).
bool LoadFiles(TFitF& window, ScriptedPlatform& platform, const std::vector<std::string>& files);

} // namespace zeb::cli
