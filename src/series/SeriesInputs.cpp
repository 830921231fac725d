#include "series/SeriesInputs.h"

#include "platform/PathName.h"

#include <glob.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

namespace zeb {

namespace {

bool isMeasurementFile(const std::string& path) {
    const std::string ext = LowerExtensionOf(path);
    return ext == "sta" || ext == "dat" || ext == "plt" || ext == "plx" || ext == "asc";
}

SeriesEntry single(const std::string& path) {
    SeriesEntry e;
    e.group = path;
    e.files = {path};
    return e;
}

SeriesEntry problem(const std::string& input, std::string why) {
    SeriesEntry e;
    e.group = input;
    e.problem = std::move(why);
    return e;
}

bool isPattern(const std::string& s) { return s.find_first_of("*?[") != std::string::npos; }

} // namespace

std::vector<SeriesEntry> SeriesEntriesOf(const std::vector<std::string>& inputs) {
    std::vector<SeriesEntry> out;
    for (const std::string& input : inputs) {
        struct stat st {};
        const bool exists = ::stat(input.c_str(), &st) == 0;
        if (exists && S_ISDIR(st.st_mode)) {
            std::error_code ec;
            std::vector<std::string> files;
            for (std::filesystem::directory_iterator it(input, ec), end; !ec && it != end; it.increment(ec))
                if (it->is_regular_file(ec) && isMeasurementFile(it->path().string())) files.push_back(it->path().string());
            if (ec) {
                out.push_back(problem(input, "the folder cannot be read: " + ec.message()));
                continue;
            }
            if (files.empty()) {
                out.push_back(problem(input, "the folder holds no measurement file (.sta, .dat, .plt, .plx, .asc)"));
                continue;
            }
            std::sort(files.begin(), files.end());
            for (const std::string& f : files) out.push_back(single(f));
        } else if (!exists && isPattern(input)) {
            glob_t found{};
            const int r = ::glob(input.c_str(), 0, nullptr, &found);
            std::vector<std::string> files;
            if (r == 0)
                for (std::size_t i = 0; i < found.gl_pathc; ++i) files.push_back(found.gl_pathv[i]);
            ::globfree(&found);
            if (files.empty()) out.push_back(problem(input, "no file matches the pattern"));
            for (const std::string& f : files) out.push_back(single(f));  // glob sorts them
        } else {
            out.push_back(single(input));
        }
    }
    return out;
}

} // namespace zeb
