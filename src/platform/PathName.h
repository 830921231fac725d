// The parts of a file path the program names in messages and derives other
// paths from: the file's name, its folder, its extension.
#pragma once

#include <cctype>
#include <string>

namespace zeb {

// The last part of a path ("ps.sta" of "/data/ps.sta"; the path itself when it
// has no slash).
inline std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The folder a path is in: "." for a bare name, "/" for a file in the root.
inline std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The extension of the file's name in lower case, without the dot ("" when the
// name has none).
inline std::string LowerExtensionOf(const std::string& path) {
    const std::string name = FileNameOf(path);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) return "";
    std::string ext = name.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

} // namespace zeb
