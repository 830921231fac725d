#include "settings/RecentFiles.h"

#include "settings/Profile.h"
#include "platform/PathName.h"

#include <algorithm>

namespace zeb {

namespace {

constexpr const char* kSection = "Recent files";
// Long enough for any path the system takes.
constexpr std::size_t kPathChars = 4096;

std::string key(std::size_t n) { return "File" + std::to_string(n); }

std::vector<std::string> readList(const ProfileFile& file) {
    std::vector<std::string> files;
    for (std::size_t n = 1; n <= kRecentFilesMax; ++n) {
        std::string path = file.get(kSection, key(n), "", kPathChars);
        if (!path.empty() && std::find(files.begin(), files.end(), path) == files.end())
            files.push_back(std::move(path));
    }
    return files;
}

std::string menuText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += '&';
        out += c;
    }
    return out;
}

} // namespace

std::vector<std::string> ReadRecentFiles(const std::string& settingsPath) {
    return readList(ProfileFile(settingsPath));
}

bool RememberRecentFile(const std::string& path, const std::string& settingsPath) {
    if (path.empty() || path.find_first_of("\r\n") != std::string::npos) return false;
    ProfileFile file(settingsPath);
    std::vector<std::string> files = readList(file);
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (files.size() > kRecentFilesMax) files.resize(kRecentFilesMax);
    for (std::size_t n = 1; n <= kRecentFilesMax; ++n)
        if (!file.set(kSection, key(n), n <= files.size() ? files[n - 1] : std::string())) return false;
    return file.save().ok();
}

std::vector<std::string> RecentFileCaptions(const std::vector<std::string>& files) {
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string name = FileNameOf(files[i]);
        const bool shared = std::count_if(files.begin(), files.end(),
                                          [&](const std::string& f) { return FileNameOf(f) == name; }) > 1;
        std::string caption = std::string("&") + std::to_string(i + 1) + ' ' + menuText(name);
        if (shared) caption += " (" + menuText(FolderOf(files[i])) + ")";
        captions.push_back(std::move(caption));
    }
    return captions;
}

} // namespace zeb
