#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>
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
    return copyFixture(std::filesystem::path(ZEBSTAT_TEST_DATA_DIR) / relative);
}

std::string Example(const std::string& name) {
    return copyFixture(std::filesystem::path(ZEBSTAT_SOURCE_DIR) / "examples" / name);
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

CommandResult RunBatch(const std::vector<std::string>& args) {
    TempDir dir;
    std::string cmd = shellQuote(ZEBSTAT_BATCH_EXE);
    for (const auto& a : args) cmd += " " + shellQuote(a);
    cmd += " >" + shellQuote(dir.file("out")) + " 2>" + shellQuote(dir.file("err"));
    const int raw = std::system(cmd.c_str());
    CommandResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadFile(dir.file("out"));
    r.err = ReadFile(dir.file("err"));
    return r;
}

} // namespace zeb::test
