#include "series/SeriesInputs.h"

#include "platform/PathName.h"

#include <glob.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace zeb {

namespace {

bool isMeasurementFile(const std::string& path) {
    const std::string ext = LowerExtensionOf(path);
    return ext == "sta" || ext == "dat" || ext == "plt" || ext == "plx" || ext == "asc";
}

SeriesEntry problem(const std::string& input, std::string why) {
    SeriesEntry e;
    e.group = input;
    e.problem = std::move(why);
    return e;
}

bool isPattern(const std::string& s) { return s.find_first_of("*?[") != std::string::npos; }

} // namespace

SeriesEntry SeriesList::entry(std::size_t i) const {
    const std::uint64_t item = items_.at(i);
    if (item & kEntryTag) return entries_[static_cast<std::size_t>(item & ~kEntryTag)];
    const std::string path = folders_[static_cast<std::size_t>(item >> kFolderShift)] +
                             (names_.c_str() + (item & ((std::uint64_t{1} << kFolderShift) - 1)));
    SeriesEntry e;
    e.group = path;
    e.files = {path};
    return e;
}

void SeriesList::addFile(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    if (folders_.empty() || folders_.back() != folder) folders_.push_back(folder);
    const std::uint64_t folderIndex = folders_.size() - 1;
    if (path.find('\0') != std::string::npos || names_.size() >= (std::uint64_t{1} << kFolderShift) ||
        folderIndex >= (kEntryTag >> kFolderShift)) {
        SeriesEntry e;  // what the compact form cannot hold is held as it is
        e.group = path;
        e.files = {path};
        add(std::move(e));
        return;
    }
    items_.push_back(folderIndex << kFolderShift | names_.size());
    names_.append(path, folder.size());
    names_.push_back('\0');
}

void SeriesList::add(SeriesEntry entry) {
    items_.push_back(kEntryTag | entries_.size());
    entries_.push_back(std::move(entry));
}

SeriesList SeriesListOf(const std::vector<std::string>& inputs) {
    SeriesList out;
    for (const std::string& input : inputs) {
        struct stat st {};
        const bool exists = ::stat(input.c_str(), &st) == 0;
        if (exists && S_ISDIR(st.st_mode)) {
            // The names are gathered in one block of text and sorted there: a
            // folder of a million files is listed in megabytes.
            std::error_code ec;
            std::string prefix, names;
            std::vector<std::size_t> starts;
            for (std::filesystem::directory_iterator it(input, ec), end; !ec && it != end; it.increment(ec)) {
                const std::string path = it->path().string();
                if (!it->is_regular_file(ec) || !isMeasurementFile(path)) continue;
                const std::string name = it->path().filename().string();
                if (starts.empty()) prefix = path.substr(0, path.size() - name.size());
                starts.push_back(names.size());
                names.append(name).push_back('\0');
            }
            if (ec) {
                out.add(problem(input, "the folder cannot be read: " + ec.message()));
                continue;
            }
            if (starts.empty()) {
                out.add(problem(input, "the folder holds no measurement file (.sta, .dat, .plt, .plx, .asc)"));
                continue;
            }
            std::sort(starts.begin(), starts.end(), [&](std::size_t a, std::size_t b) {
                return std::strcmp(names.c_str() + a, names.c_str() + b) < 0;
            });
            for (const std::size_t start : starts) out.addFile(prefix + (names.c_str() + start));
        } else if (!exists && isPattern(input)) {
            glob_t found{};
            const int r = ::glob(input.c_str(), 0, nullptr, &found);
            std::vector<std::string> files;
            if (r == 0)
                for (std::size_t i = 0; i < found.gl_pathc; ++i) files.push_back(found.gl_pathv[i]);
            ::globfree(&found);
            if (files.empty()) out.add(problem(input, "no file matches the pattern"));
            for (const std::string& f : files) out.addFile(f);  // glob sorts them
        } else {
            out.addFile(input);
        }
    }
    return out;
}

} // namespace zeb
