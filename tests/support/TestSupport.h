// Helpers shared by the test programs: scratch folders, files and running the
// batch tool.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
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
// With a file size limit (bytes, a multiple of 512) every file the tool writes
// stops growing there: its writes fail as on a full disk ("File too large").
CommandResult RunBatch(const std::vector<std::string>& args, std::size_t fileSizeLimit = 0);
// Runs a program with the given arguments; its standard output goes to a file
// or, with Output::Pipe, into a pipe (read by another process) as in
// "program | less".
enum class Output { File, Pipe };
CommandResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         Output output = Output::File);

// ---- Users live without root's rights and with full disks.

// Runs body in a child process as an ordinary user ("nobody") when the tests
// run as root, else as the current user. Returns the body's result (0..255),
// or -1 when the child could not be started or could not drop root's rights.
int RunAsOrdinaryUser(const std::function<int()>& body);
// Hands a folder and everything in it to that ordinary user (nothing happens
// when the tests do not run as root).
void GiveToOrdinaryUser(const std::filesystem::path& folder);
bool RunningAsRoot();

// A small tmpfs of its own, mounted on a fresh folder for a full-disk test.
// Only root can mount it: mounted() tells whether it is there. It is unmounted
// (and its folder removed) when the object goes, also when a test fails.
class SmallTmpfs {
public:
    explicit SmallTmpfs(std::size_t bytes);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;
    bool mounted() const { return mounted_; }
    std::string file(const std::string& name) const { return (dir_.path() / name).string(); }
    // Fills the file system up to its last few bytes.
    void fill();

private:
    TempDir dir_;
    bool mounted_ = false;
};

} // namespace zeb::test
