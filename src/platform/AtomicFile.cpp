#include "platform/AtomicFile.h"
#include "platform/PathName.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace zeb {

namespace {

WriteFaultHook& faultHook() {
    static WriteFaultHook hook;
    return hook;
}

// The errno the test seam injects for a step (0: none).
int injected(WriteStep step) {
    const WriteFaultHook& hook = faultHook();
    return hook ? hook(step) : 0;
}

WriteResult folderFailure(int error, const std::string& folder) {
    if (error == EACCES || error == EPERM)
        return WriteResult::Failure(error, "the folder " + folder + " is write-protected (" + ErrorText(error) + ")");
    return WriteResult::Failure(error, "");
}

std::string kindOf(mode_t mode) {
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "not a regular file but a device";
    if (S_ISFIFO(mode)) return "not a regular file but a pipe";
    if (S_ISSOCK(mode)) return "not a regular file but a socket";
    return "not a regular file";
}

// A temporary name beside the target. The target's name is cut (at a
// character boundary) so that the name with its suffix stays within the
// system's limit of 255 bytes for any valid target name.
std::string temporaryName(const std::string& folder, const std::string& name, std::mt19937_64& random) {
    constexpr std::size_t kNameMax = 255;
    constexpr std::size_t kSuffix = 8;  // "." and six characters, and a leading "."
    std::size_t keep = std::min(name.size(), kNameMax - kSuffix);
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix = ".";
    for (int i = 0; i < 6; ++i) suffix += kChars[random() % (sizeof kChars - 1)];
    return folder + "/." + name.substr(0, keep) + suffix;
}

std::mt19937_64 seededRandom() {
    std::random_device device;
    const auto now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return std::mt19937_64(device() ^ (now << 1) ^ static_cast<std::uint64_t>(::getpid()));
}

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, std::min<std::size_t>(left, 1u << 30));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool& unnamedAllowed() {
    static bool allowed = true;
    return allowed;
}

// A fresh hidden name beside target, to be created with O_EXCL (or linked).
std::string hiddenNameFor(const std::string& target) {
    thread_local std::mt19937_64 random = seededRandom();
    return temporaryName(FolderOf(target), FileNameOf(target), random);
}

} // namespace

TemporaryFile::~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
}

int TemporaryFile::create(const std::string& target, unsigned mode) {
    const std::string folder = FolderOf(target);
    // Unnamed: nothing to remove, whatever happens to the program. It is put
    // in place through /proc/self/fd, so that must be there.
    if (unnamedAllowed() && ::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, static_cast<mode_t>(mode));
        if (fd_ >= 0) {
            unnamed_ = true;
            return 0;
        }
        // The file system (or the kernel) has no unnamed files: a named one.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = hiddenNameFor(target);
        fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, static_cast<mode_t>(mode));
        if (fd_ >= 0) {
            path_ = std::move(name);
            return 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

int TemporaryFile::close() {
    if (fd_ < 0) return 0;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
}

int TemporaryFile::link(const std::string& target) {
    if (unnamed_) {
        if (fd_ < 0) return EBADF;
        char self[64];
        std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd_);
        if (::linkat(AT_FDCWD, self, AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) != 0) return errno;
        unnamed_ = false;
        return 0;
    }
    if (path_.empty()) return EBADF;
    if (::link(path_.c_str(), target.c_str()) != 0) return errno;
    ::unlink(path_.c_str());
    path_.clear();
    return 0;
}

int TemporaryFile::replace(const std::string& target) {
    if (unnamed_) {
        // A name first (a link cannot replace a file), then the rename. Only
        // between the two would a killed program leave the hidden name behind.
        int error = EEXIST;
        for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
            std::string name = hiddenNameFor(target);
            error = link(name);
            if (error == 0) path_ = std::move(name);
        }
        if (error != 0) return error;
    }
    if (path_.empty()) return EBADF;
    if (::rename(path_.c_str(), target.c_str()) != 0) return errno;  // the destructor removes the hidden name
    path_.clear();
    return 0;
}

void SetUnnamedTemporaryFilesForTests(bool allowed) { unnamedAllowed() = allowed; }

std::optional<std::string> FollowLinks(const std::string& path) {
    std::string p = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st{};
        if (::lstat(p.c_str(), &st) != 0) {
            if (errno == ENOENT) return p;  // a new file
            return std::nullopt;
        }
        if (!S_ISLNK(st.st_mode)) return p;
        // A link to an existing file: the system resolves the whole chain.
        struct stat target{};
        if (::stat(p.c_str(), &target) == 0) {
            char* real = ::realpath(p.c_str(), nullptr);
            if (!real) return std::nullopt;
            std::string resolved(real);
            std::free(real);
            return resolved;
        }
        std::string to(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(p.c_str(), to.data(), to.size());
        if (n < 0) return std::nullopt;
        to.resize(static_cast<std::size_t>(n));
        p = !to.empty() && to.front() == '/' ? to : FolderOf(p) + "/" + to;
    }
    errno = ELOOP;
    return std::nullopt;
}

bool WriteResult::diskFull() const { return error == ENOSPC || error == EDQUOT || error == EFBIG; }

WriteResult WriteResult::Failure(int error, std::string reason) {
    WriteResult r;
    r.error = error != 0 ? error : EIO;
    r.reason = reason.empty() ? ErrorText(r.error) : std::move(reason);
    return r;
}

std::string ErrorText(int error) {
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (cLocale) return ::strerror_l(error, cLocale);
    return std::strerror(error);
}

void SetWriteFaultHook(WriteFaultHook hook) { faultHook() = std::move(hook); }

WriteResult CheckWriteTarget(const std::string& path, std::string* finalPath) {
    if (path.empty()) return WriteResult::Failure(ENOENT, "");
    const auto target = FollowLinks(path);
    if (!target) {
        // A link to something without a path (/dev/stdout into a pipe links to
        // "pipe:[...]") is named by what it is, as the pipe itself would be.
        const int error = errno;
        struct stat st{};
        if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
            return WriteResult::Failure(EINVAL, kindOf(st.st_mode));
        return WriteResult::Failure(error, "");
    }
    if (finalPath) *finalPath = *target;
    struct stat st{};
    if (::stat(target->c_str(), &st) != 0) {
        if (errno != ENOENT) return WriteResult::Failure(errno, "");
        // A new file: its folder must take it.
        const std::string folder = FolderOf(*target);
        if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0) return {};
        return folderFailure(errno, folder);
    }
    if (S_ISDIR(st.st_mode)) return WriteResult::Failure(EISDIR, "");
    if (!S_ISREG(st.st_mode)) return WriteResult::Failure(EINVAL, kindOf(st.st_mode));
    // Root passes every permission check; a file without any write permission
    // is still its owner's way of saying "do not change this".
    const bool writeProtected = (st.st_mode & 0222) == 0;
    if (writeProtected) return WriteResult::Failure(EACCES, "the file is write-protected");
    if (::faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0) {
        if (errno == EACCES || errno == EPERM) return WriteResult::Failure(EACCES, "the file is write-protected");
        return WriteResult::Failure(errno, "");
    }
    return {};
}

WriteResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    std::string target;
    if (WriteResult check = CheckWriteTarget(path, &target); !check) return check;
    struct stat old{};
    const bool replacing = ::stat(target.c_str(), &old) == 0;

    // The temporary file: created new (never an existing one), with 0666 less
    // the umask for a new target.
    const std::string folder = FolderOf(target);
    TemporaryFile tmp;
    const int created = injected(WriteStep::CreateTemporary);
    if (const int e = created != 0 ? created : tmp.create(target, 0666)) return folderFailure(e, folder);
    const int fd = tmp.fd();

    if (replacing) {
        // Owner and group first (a change of owner clears the set-id bits), then the mode.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
        ::fchmod(fd, old.st_mode & 07777);
    }

    // Each step runs only when the ones before it succeeded (and the test seam
    // lets it). A named file is closed before its rename, so that a failing
    // close stops the write; an unnamed one stays open until it has its name
    // (its data are on the disk since the sync).
    int error = 0;
    auto step = [&error](WriteStep s, const auto& run) {
        if (error != 0) return;
        if (const int e = injected(s)) error = e;
        else if (const int e2 = run()) error = e2;
    };
    step(WriteStep::Write, [&] { return writeAll(fd, bytes) ? 0 : (errno != 0 ? errno : EIO); });
    step(WriteStep::Sync, [&] { return ::fsync(fd) == 0 ? 0 : errno; });
    step(WriteStep::Close, [&] { return tmp.unnamed() ? 0 : tmp.close(); });
    step(WriteStep::Rename, [&] { return tmp.replace(target); });
    if (error != 0) return WriteResult::Failure(error, "");
    // The new name is made durable with its folder.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

} // namespace zeb
