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

// A private copy of a fixture: tests/data_files/<relative> for DataFile,
// examples/<name> for Example. Every call copies the file into a folder of its
// own inside this process's scratch folder (removed when the process ends), so
// the source tree may be read-only and tests running at once never share a
// file. Throws when the fixture cannot be copied, so a test never goes on with
// a set-up that failed.
std::string DataFile(const std::string& relative);
std::string Example(const std::string& name);

// The scratch folder of this process (under $TMPDIR), made on first use.
const std::filesystem::path& ScratchDir();

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};
// Runs zebstat-batch with the given arguments (each quoted for the shell).
CommandResult RunBatch(const std::vector<std::string>& args);

} // namespace zeb::test
