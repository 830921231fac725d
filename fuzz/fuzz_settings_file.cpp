// Settings files: any contents give settings, and a key set is read back as set.
#include "settings/Profile.h"
#include "settings/SettingsFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    zeb::ProfileFile file = zeb::ProfileFile::FromText("/fuzz/zebstat.ini", text);
    const zeb::GlobalDefaults defaults = zeb::GlobalSettingsOf(file);
    const zeb::PlotSettings window = zeb::WindowSettingsOf(defaults, file);
    if (window.smoothing != defaults.smoothing) std::abort();
    if (file.state() == zeb::ProfileFile::State::Read && file.set("Settings", "Smoothing ", "yes") &&
        file.get("Settings", "Smoothing ", "", 255) != "yes")
        std::abort();
    return 0;
}
