#include "support/TestSupport.h"
#include "support/BuildPaths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>
#include <grp.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zeb::test {

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "zebstat-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

namespace {

// Removed with the process's static objects; a crashed test leaves it behind
// under $TMPDIR, never in the source tree.
struct Scratch {
    std::filesystem::path path;
    int copies = 0;
    // Within one test a fixture asked for twice is the same copy (a test may
    // compare the path it passed with the one a program reports).
    std::map<std::string, std::string> copyOf;
    Scratch() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "zebstat-fixtures-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
        path = tmpl;
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

Scratch& scratch() {
    static Scratch s;
    return s;
}

std::string copyFixture(const std::filesystem::path& source) {
    Scratch& s = scratch();
    if (auto it = s.copyOf.find(source.string()); it != s.copyOf.end()) return it->second;
    const auto folder = s.path / std::to_string(++s.copies);
    std::filesystem::create_directory(folder);
    const auto target = folder / source.filename();
    std::error_code ec;
    std::filesystem::copy_file(source, target, ec);
    if (ec) throw std::runtime_error("cannot copy the fixture " + source.string() + ": " + ec.message());
    // The copy is the test's own, writable whatever the source tree allows.
    std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, ec);
    s.copyOf[source.string()] = target.string();
    return target.string();
}

// Each test starts with fresh copies, also when one process runs many tests.
class FreshFixturesPerTest : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { scratch().copyOf.clear(); }
};

const bool kListening = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new FreshFixturesPerTest);
    return true;
}();

} // namespace

const std::filesystem::path& ScratchDir() { return scratch().path; }

std::string DataFile(const std::string& relative) {
    return copyFixture(std::filesystem::path(test::build::TestDataDir()) / relative);
}

std::string Example(const std::string& name) {
    return copyFixture(std::filesystem::path(test::build::SourceDir()) / "examples" / name);
}

namespace {

std::string shellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'') out += "'\\''";
        else out += c;
    }
    return out + "'";
}

} // namespace

CommandResult RunBatch(const std::vector<std::string>& args, std::size_t fileSizeLimit) {
    TempDir dir;
    std::string cmd;
    // The limit in blocks of 512 bytes; the signal the limit raises is ignored,
    // so that the write fails with EFBIG instead.
    if (fileSizeLimit > 0) cmd = "trap '' XFSZ; ulimit -f " + std::to_string(fileSizeLimit / 512) + "; exec ";
    cmd += shellQuote(test::build::BatchExe());
    for (const auto& a : args) cmd += " " + shellQuote(a);
    cmd += " >" + shellQuote(dir.file("out")) + " 2>" + shellQuote(dir.file("err"));
    const int raw = std::system(cmd.c_str());
    CommandResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadFile(dir.file("out"));
    r.err = ReadFile(dir.file("err"));
    return r;
}

CommandResult RunProgram(const std::string& program, const std::vector<std::string>& args, Output output) {
    TempDir dir;
    std::string cmd = shellQuote(program);
    for (const auto& a : args) cmd += " " + shellQuote(a);
    cmd += " 2>" + shellQuote(dir.file("err"));
    if (output == Output::Pipe)
        cmd = "{ " + cmd + "; echo $? >" + shellQuote(dir.file("status")) + "; } | cat >" + shellQuote(dir.file("out"));
    else
        cmd += " >" + shellQuote(dir.file("out")) + "; echo $? >" + shellQuote(dir.file("status"));
    const int raw = std::system(cmd.c_str());
    CommandResult r;
    const std::string status = ReadFile(dir.file("status"));
    r.status = WIFEXITED(raw) && !status.empty() ? std::atoi(status.c_str()) : -1;
    r.out = ReadFile(dir.file("out"));
    r.err = ReadFile(dir.file("err"));
    return r;
}

bool RunningAsRoot() { return ::geteuid() == 0; }

namespace {

bool nobodyIds(uid_t& uid, gid_t& gid) {
    const passwd* pw = ::getpwnam("nobody");
    if (!pw) return false;
    uid = pw->pw_uid;
    gid = pw->pw_gid;
    return true;
}

} // namespace

int RunAsOrdinaryUser(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        int code = 0;
        if (RunningAsRoot()) {
            uid_t uid = 0;
            gid_t gid = 0;
            if (!nobodyIds(uid, gid) || ::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0 ||
                ::geteuid() == 0)
                ::_exit(255);
        }
        code = body();
        std::fflush(nullptr);
        ::_exit(code & 0xFF);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == 255) return -1;
    return WEXITSTATUS(status);
}

void GiveToOrdinaryUser(const std::filesystem::path& folder) {
    uid_t uid = 0;
    gid_t gid = 0;
    if (!RunningAsRoot() || !nobodyIds(uid, gid)) return;
    if (::chown(folder.c_str(), uid, gid) != 0) throw std::runtime_error("chown failed");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (::lchown(entry.path().c_str(), uid, gid) != 0) throw std::runtime_error("chown failed");
}

SmallTmpfs::SmallTmpfs(std::size_t bytes) {
    if (!RunningAsRoot()) return;
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = ::mount("tmpfs", dir_.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
}

SmallTmpfs::~SmallTmpfs() {
    if (mounted_) ::umount2(dir_.path().c_str(), MNT_DETACH);
}

void SmallTmpfs::fill() {
    std::FILE* f = std::fopen(file("filler").c_str(), "wb");
    if (!f) throw std::runtime_error("cannot fill the tmpfs");
    static const char block[512] = {};
    while (std::fwrite(block, 1, sizeof block, f) == sizeof block && std::fflush(f) == 0) {}
    std::fclose(f);
}

} // namespace zeb::test
