#include "app/WindowCaptions.h"

#include "platform/PathName.h"

#include <cstddef>
#include <map>
#include <set>

namespace zeb {

namespace {

using Group = std::vector<std::size_t>;

// The windows whose present captions repeat, grouped by caption; windows
// without a file cannot be told apart and stay as they are.
std::vector<Group> Repeats(const std::vector<WindowCaption>& windows, const std::vector<std::string>& shown) {
    std::map<std::string, Group> byCaption;
    for (std::size_t i = 0; i < windows.size(); ++i)
        if (!windows[i].file.empty()) byCaption[shown[i]].push_back(i);
    std::vector<Group> out;
    for (auto& [caption, group] : byCaption)
        if (group.size() > 1) out.push_back(std::move(group));
    return out;
}

// The last `parts` folders of the file's folder ("b/c" of "/a/b/c/x.sta" for 2);
// the whole folder when it has no more.
std::string FolderTail(const std::string& file, int parts, bool* whole) {
    const std::string folder = FolderOf(file);
    std::size_t start = folder.size();
    for (int i = 0; i < parts; ++i) {
        const auto slash = start == 0 ? std::string::npos : folder.find_last_of('/', start - 1);
        if (slash == std::string::npos) {
            *whole = true;
            return folder;
        }
        start = slash;
    }
    *whole = start == 0;
    return start == 0 ? folder : folder.substr(start + 1);
}

std::size_t DistinctFiles(const std::vector<WindowCaption>& windows, const Group& group) {
    std::set<std::string> files;
    for (std::size_t i : group) files.insert(windows[i].file);
    return files.size();
}

void AddFolders(const std::vector<WindowCaption>& windows, const Group& group, std::vector<std::string>& shown) {
    std::set<std::string> folders;
    for (std::size_t i : group) folders.insert(FolderOf(windows[i].file));
    for (int parts = 1;; ++parts) {
        std::set<std::string> tails;
        bool allWhole = true;
        std::vector<std::string> candidate;
        for (std::size_t i : group) {
            bool whole = false;
            candidate.push_back(FolderTail(windows[i].file, parts, &whole));
            allWhole = allWhole && whole;
            tails.insert(candidate.back());
        }
        // Enough of the folder to tell every folder apart, or all of it.
        if (tails.size() == folders.size() || allWhole) {
            for (std::size_t k = 0; k < group.size(); ++k) shown[group[k]].append(" (").append(candidate[k]).append(")");
            return;
        }
    }
}

} // namespace

std::vector<std::string> DistinctCaptions(const std::vector<WindowCaption>& windows) {
    std::vector<std::string> shown;
    for (const WindowCaption& w : windows) shown.push_back(w.caption);
    for (const Group& group : Repeats(windows, shown))
        if (DistinctFiles(windows, group) > 1)
            for (std::size_t i : group) shown[i] = FileNameOf(windows[i].file);
    for (const Group& group : Repeats(windows, shown))
        if (DistinctFiles(windows, group) > 1) AddFolders(windows, group, shown);
    // What still repeats is the same file: its later windows are numbered.
    for (const Group& group : Repeats(windows, shown))
        for (std::size_t k = 1; k < group.size(); ++k) shown[group[k]].append(":").append(std::to_string(k + 1));
    return shown;
}

} // namespace zeb
