// Series manifests (CSV): any bytes are refused with a reason or give rows;
// every row has a group or its problem, and every file of a row lies in the
// manifest's folder unless it was given as an absolute name.
#include "series/SeriesManifest.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const zeb::ManifestParse parsed = zeb::ParseSeriesManifest(text, "/m");
    if (!parsed.ok()) {
        if (!parsed.entries.empty()) std::abort();  // a refused manifest gives no rows
        return 0;
    }
    for (const zeb::SeriesEntry& e : parsed.entries) {
        if (e.problem.empty() && (e.group.empty() || e.files.empty())) std::abort();
        for (const std::string& f : e.files)
            if (f.empty() || f[0] != '/') std::abort();
        if (e.line == 0 || e.line > size + 1) std::abort();
    }
    return 0;
}
