// Helpers shared by the test programs: scratch folders, files and running the
// batch tool.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zeb::test {

// A fresh folder under the system's temporary folder, removed at destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// Folder of the small fixtures under tests/data_files.
std::string DataFile(const std::string& relative);

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};
// Runs zebstat-batch with the given arguments (each quoted for the shell).
CommandResult RunBatch(const std::vector<std::string>& args);

} // namespace zeb::test
