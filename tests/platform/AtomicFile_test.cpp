// The one writer of whole files: what it refuses, what it keeps, and that every
// failure (write-protected, full disk, a failing step between write and
// rename) leaves the old file as it was and says why.
#include "platform/AtomicFile.h"
#include "platform/WriteError.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zeb {
namespace {

namespace fs = std::filesystem;

std::size_t Entries(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}));
}

mode_t ModeOf(const std::string& path) {
    struct stat st{};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode;
}

// Removes the hook also when a test fails half-way.
struct FaultAt {
    FaultAt(WriteStep step, int error) {
        SetWriteFaultHook([step, error](WriteStep s) { return s == step ? error : 0; });
    }
    ~FaultAt() { SetWriteFaultHook({}); }
};

// Temporary files with a name, as on a file system without unnamed ones, while it lives.
struct NamedTemporaries {
    explicit NamedTemporaries(bool named) { SetUnnamedTemporaryFilesForTests(!named); }
    ~NamedTemporaries() { SetUnnamedTemporaryFilesForTests(true); }
};

bool UnnamedFilesIn(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) ::close(fd);
    return fd >= 0;
}

TEST(AtomicFile, ReplacesAFileKeepingItsPermissions) {
    test::TempDir dir;
    const std::string path = dir.file("a.asc");
    test::WriteFile(path, "old");
    ::chmod(path.c_str(), 0640);
    const WriteResult r = WriteFileAtomically(path, "new contents");
    ASSERT_TRUE(r.ok()) << r.reason;
    EXPECT_EQ(test::ReadFile(path), "new contents");
    EXPECT_EQ(ModeOf(path) & 07777, 0640u);
    EXPECT_EQ(Entries(dir.path()), 1u);

    // A new file: 0666 less the umask.
    const mode_t old = ::umask(027);
    const WriteResult fresh = WriteFileAtomically(dir.file("new.asc"), "x");
    ::umask(old);
    ASSERT_TRUE(fresh.ok()) << fresh.reason;
    EXPECT_EQ(ModeOf(dir.file("new.asc")) & 07777, 0640u);
}

TEST(AtomicFile, WritesThroughSymbolicLinks) {
    test::TempDir dir;
    fs::create_directory(dir.path() / "real");
    const std::string target = dir.file("real/data.asc");
    test::WriteFile(target, "old");
    ::chmod(target.c_str(), 0600);
    // A relative link, and a link to that link.
    fs::create_symlink("real/data.asc", dir.path() / "link.asc");
    fs::create_symlink(dir.path() / "link.asc", dir.path() / "link2.asc");
    ASSERT_TRUE(WriteFileAtomically(dir.file("link2.asc"), "through two links"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.asc"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link2.asc"));
    EXPECT_EQ(test::ReadFile(target), "through two links");
    EXPECT_EQ(ModeOf(target) & 07777, 0600u);
    EXPECT_EQ(Entries(dir.path() / "real"), 1u);

    // A dangling link gets the file it points to.
    fs::create_symlink("real/later.asc", dir.path() / "dangling.asc");
    ASSERT_TRUE(WriteFileAtomically(dir.file("dangling.asc"), "created"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling.asc"));
    EXPECT_EQ(test::ReadFile(dir.file("real/later.asc")), "created");

    // A loop of links is refused with the system's reason.
    fs::create_symlink("loop2", dir.path() / "loop1");
    fs::create_symlink("loop1", dir.path() / "loop2");
    const WriteResult loop = WriteFileAtomically(dir.file("loop1"), "x");
    EXPECT_EQ(loop.error, ELOOP);
    EXPECT_EQ(loop.reason, "Too many levels of symbolic links");
}

TEST(AtomicFile, AWriteProtectedFileIsNeverReplacedNotEvenByRoot) {
    test::TempDir dir;
    const std::string path = dir.file("keep.plx");
    test::WriteFile(path, "the user's data");
    ::chmod(path.c_str(), 0444);
    const WriteResult r = WriteFileAtomically(path, "other data");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, EACCES);
    EXPECT_EQ(r.reason, "the file is write-protected");
    EXPECT_FALSE(r.diskFull());
    EXPECT_EQ(test::ReadFile(path), "the user's data");
    EXPECT_EQ(ModeOf(path) & 07777, 0444u);
    EXPECT_EQ(Entries(dir.path()), 1u);
    // Also through a link to it.
    fs::create_symlink(path, dir.path() / "link.plx");
    EXPECT_EQ(WriteFileAtomically(dir.file("link.plx"), "x").reason, "the file is write-protected");
    EXPECT_EQ(test::ReadFile(path), "the user's data");
    EXPECT_EQ(WriteErrorText(dir.file("link.plx"), WriteFileAtomically(dir.file("link.plx"), "x")),
              "Write error ! Cannot write the data to disk.\n\n" + dir.file("link.plx") +
                  ": the file is write-protected");
}

TEST(AtomicFile, AsAnOrdinaryUser) {
    // As the ordinary user: another user's file in the user's own folder (the
    // folder would allow the rename), a write-protected file of the user, and
    // a folder the user may not write into.
    test::TempDir dir;
    const std::string others = dir.file("others.asc");
    const std::string own = dir.file("own.asc");
    fs::create_directory(dir.path() / "locked");
    test::WriteFile(own, "own");
    ::chmod(own.c_str(), 0444);
    test::WriteFile(dir.file("locked/x.asc"), "locked");
    test::GiveToOrdinaryUser(dir.path());
    test::WriteFile(others, "someone else's");  // root's, when the tests run as root
    ::chmod(others.c_str(), 0644);
    ::chmod(dir.file("locked").c_str(), 0555);
    const bool anotherUser = test::RunningAsRoot();

    const int code = test::RunAsOrdinaryUser([&] {
        int failures = 0;
        if (anotherUser) {
            const WriteResult r = WriteFileAtomically(others, "replaced");
            if (r.ok() || r.reason != "the file is write-protected") failures |= 1;
        }
        const WriteResult p = WriteFileAtomically(own, "replaced");
        if (p.ok() || p.reason != "the file is write-protected") failures |= 2;
        const WriteResult l = WriteFileAtomically(dir.file("locked/x.asc"), "replaced");
        if (l.ok() || l.error != EACCES) failures |= 4;
        const WriteResult n = WriteFileAtomically(dir.file("locked/new.asc"), "new");
        if (n.ok() || n.reason != "the folder " + dir.file("locked") + " is write-protected (Permission denied)")
            failures |= 8;
        if (!WriteFileAtomically(dir.file("fine.asc"), "fine").ok()) failures |= 16;
        return failures;
    });
    ASSERT_NE(code, -1) << "could not run as an ordinary user";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(test::ReadFile(others), "someone else's");
    EXPECT_EQ(test::ReadFile(own), "own");
    EXPECT_EQ(test::ReadFile(dir.file("locked/x.asc")), "locked");
    EXPECT_EQ(test::ReadFile(dir.file("fine.asc")), "fine");
    EXPECT_EQ(Entries(dir.path()), 4u);  // others, own, locked, fine: no temporary file
}

TEST(AtomicFile, DevicesPipesAndFoldersAreRefused) {
    test::TempDir dir;
    const std::string fifo = dir.file("pipe.asc");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // Refused at once: nothing waits for a reader.
    const WriteResult p = WriteFileAtomically(fifo, "x");
    EXPECT_EQ(p.reason, "not a regular file but a pipe");
    EXPECT_TRUE(fs::is_fifo(fifo));

    const WriteResult d = WriteFileAtomically("/dev/null", "x");
    EXPECT_EQ(d.reason, "not a regular file but a device");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    // A link to a device (as /dev/stdout is) is refused as the device is.
    fs::create_symlink("/dev/null", dir.path() / "null.asc");
    EXPECT_EQ(WriteFileAtomically(dir.file("null.asc"), "x").reason, "not a regular file but a device");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    // /dev/stdout into a pipe or a socket links to a name that is no path
    // ("pipe:[...]"): refused for what it is, not as a missing file.
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    int socketEnds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, socketEnds), 0);
    const std::pair<int, const char*> unnamed[] = {{pipeEnds[1], "not a regular file but a pipe"},
                                                   {socketEnds[0], "not a regular file but a socket"}};
    for (const auto& [fd, reason] : unnamed) {
        const std::string path = "/proc/self/fd/" + std::to_string(fd);
        const WriteResult r = WriteFileAtomically(path, "x");
        EXPECT_EQ(r.error, EINVAL) << path;
        EXPECT_EQ(r.reason, reason) << path;
    }
    for (int fd : {pipeEnds[0], pipeEnds[1], socketEnds[0], socketEnds[1]}) ::close(fd);

    fs::create_directory(dir.path() / "folder.asc");
    const WriteResult f = WriteFileAtomically(dir.file("folder.asc"), "x");
    EXPECT_EQ(f.error, EISDIR);
    EXPECT_EQ(f.reason, "Is a directory");
    EXPECT_EQ(Entries(dir.path()), 3u);
}

TEST(AtomicFile, EveryValidNameLengthCanBeWritten) {
    test::TempDir dir;
    for (std::size_t length : {5u, 100u, 247u, 248u, 249u, 250u, 254u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".asc";
        const std::string path = dir.file(name);
        test::WriteFile(path, "old");
        const WriteResult r = WriteFileAtomically(path, "new");
        EXPECT_TRUE(r.ok()) << length << ": " << r.reason;
        EXPECT_EQ(test::ReadFile(path), "new") << length;
        fs::remove(path);
    }
    // A name of two-byte characters is cut between characters for the temporary name.
    std::string umlauts;
    while (umlauts.size() + 2 <= 251) umlauts += "\xC3\xA4";  // ä
    umlauts += ".asc";
    ASSERT_LE(umlauts.size(), 255u);
    ASSERT_TRUE(WriteFileAtomically(dir.file(umlauts), "ä"));
    EXPECT_EQ(test::ReadFile(dir.file(umlauts)), "ä");
    EXPECT_EQ(Entries(dir.path()), 1u);
    // A name longer than the system allows is refused with the system's reason.
    EXPECT_EQ(WriteFileAtomically(dir.file(std::string(256, 'n')), "x").error, ENAMETOOLONG);
}

TEST(AtomicFile, AFailureAtAnyStepKeepsTheOldFileAndSaysWhy) {
    test::TempDir dir;
    const std::string path = dir.file("data.rat");
    const struct {
        WriteStep step;
        int error;
        const char* reason;
        bool diskFull;
    } cases[] = {
        {WriteStep::CreateTemporary, EDQUOT, "Disk quota exceeded", true},
        {WriteStep::Write, ENOSPC, "No space left on device", true},
        {WriteStep::Sync, EIO, "Input/output error", false},
        {WriteStep::Close, ENOSPC, "No space left on device", true},
        // Between the complete write and the rename.
        {WriteStep::Rename, EXDEV, "Invalid cross-device link", false},
    };
    for (const auto& c : cases)
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "named temporary file" : "unnamed temporary file");
        NamedTemporaries kind(named);
        test::WriteFile(path, "old data");
        ::chmod(path.c_str(), 0604);
        FaultAt fault(c.step, c.error);
        const WriteResult r = WriteFileAtomically(path, std::string(100000, 'x'));
        EXPECT_EQ(r.error, c.error) << static_cast<int>(c.step);
        EXPECT_EQ(r.reason, c.reason);
        EXPECT_EQ(r.diskFull(), c.diskFull);
        EXPECT_EQ(test::ReadFile(path), "old data");
        EXPECT_EQ(ModeOf(path) & 07777, 0604u);
        EXPECT_EQ(Entries(dir.path()), 1u) << "a temporary file was left";
    }
    EXPECT_EQ(WriteErrorText(path, WriteResult::Failure(ENOSPC, "")),
              "Write error ! Most probably because of disk space\nbeing expired. Cannot write the data to disk.\n\n" +
                  path + ": No space left on device");
}

// (A writer killed while writing leaves nothing: RecordSafety_test, through the same TemporaryFile.)
TEST(AtomicFile, TheTemporaryFileHasNoNameWhereTheSystemAllows) {
    test::TempDir dir;
    if (!UnnamedFilesIn(dir.path())) GTEST_SKIP() << "the file system of the tests has no unnamed files";
    const std::string path = dir.file("data.plx");
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "named temporary file" : "unnamed temporary file");
        test::WriteFile(path, "old data");
        // What the folder holds while the new contents are written.
        std::size_t whileWriting = 0;
        {
            NamedTemporaries kind(named);
            SetWriteFaultHook([&](WriteStep s) {
                if (s == WriteStep::Sync) whileWriting = Entries(dir.path());
                return 0;
            });
            EXPECT_TRUE(WriteFileAtomically(path, "new data"));
            SetWriteFaultHook({});
        }
        EXPECT_EQ(whileWriting, named ? 2u : 1u);
        EXPECT_EQ(test::ReadFile(path), "new data");
        EXPECT_EQ(Entries(dir.path()), 1u);
    }
}

TEST(AtomicFile, AFullFileSystem) {
    test::SmallTmpfs disk(64 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    const std::string path = disk.file("data.asc");
    test::WriteFile(path, std::string(10000, 'o'));
    const WriteResult big = WriteFileAtomically(path, std::string(200000, 'n'));
    EXPECT_EQ(big.error, ENOSPC);
    EXPECT_TRUE(big.diskFull());
    EXPECT_EQ(test::ReadFile(path), std::string(10000, 'o'));
    EXPECT_EQ(Entries(fs::path(path).parent_path()), 1u);
    // Full to the last page: even a small file fails, the old one stays.
    disk.fill();
    EXPECT_FALSE(WriteFileAtomically(path, std::string(20000, 's')).ok());
    EXPECT_EQ(test::ReadFile(path), std::string(10000, 'o'));
}

TEST(AtomicFile, RootKeepsTheOwnerOfAReplacedFile) {
    if (!test::RunningAsRoot()) GTEST_SKIP() << "only root can give a file to another user";
    test::TempDir dir;
    const std::string path = dir.file("theirs.plx");
    test::WriteFile(path, "old");
    ::chmod(path.c_str(), 0664);
    test::GiveToOrdinaryUser(dir.path());
    struct stat before{};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    ASSERT_NE(before.st_uid, 0u);
    ASSERT_TRUE(WriteFileAtomically(path, "new"));
    struct stat after{};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode & 07777, 0664u);
}

} // namespace
} // namespace zeb
