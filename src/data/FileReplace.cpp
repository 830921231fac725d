#include "data/FileReplace.h"

#include "texts/FileTexts.h"
#include "texts/ReadCheckTexts.h"
#include "platform/PathName.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

namespace zeb {

namespace {

std::function<int(ReplaceStep)>& faultHook() {
    static std::function<int(ReplaceStep)> hook;
    return hook;
}

int injected(ReplaceStep step) {
    const auto& hook = faultHook();
    return hook ? hook(step) : 0;
}

FileWriteResult failed(std::string reason) {
    FileWriteResult r;
    r.reason = std::move(reason);
    return r;
}

void syncFolder(const std::string& path) {
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A temporary file beside a target: removed again unless it was renamed or linked into place.
class Temporary {
public:
    ~Temporary() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

    // Creates the file and writes bytes to it, flushed to the disk, with the
    // owner and permissions of like (and its time stamps when keepTimes).
    std::string write(const std::string& target, const struct stat& like, std::string_view bytes, bool keepTimes) {
        // A short fixed name: it fits wherever the target's name fits.
        std::string name = FolderOf(target) + "/.zebstat-XXXXXX";
        if (const int e = injected(ReplaceStep::CreateTemporary)) return SystemReason(e);
        fd_ = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd_ < 0) return SystemReason(errno);
        path_ = name;
        if (::fchown(fd_, like.st_uid, like.st_gid) != 0) {
            const int error = errno;
            struct stat now{};
            if (::fstat(fd_, &now) != 0 || now.st_uid != like.st_uid || now.st_gid != like.st_gid)
                return "its owner cannot be kept (" + SystemReason(error) + ")";
        }
        if (::fchmod(fd_, like.st_mode & 07777) != 0) return SystemReason(errno);
        const std::size_t half = bytes.size() / 2;
        if (const std::string why = writeAll(bytes.substr(0, half), ReplaceStep::Write); !why.empty()) return why;
        if (const std::string why = writeAll(bytes.substr(half), ReplaceStep::WriteSecondHalf); !why.empty())
            return why;
        if (const int e = injected(ReplaceStep::Flush)) return SystemReason(e);
        if (::fsync(fd_) != 0) return SystemReason(errno);
        if (keepTimes) {
            const struct timespec times[2] = {like.st_atim, like.st_mtim};
            ::futimens(fd_, times);
        }
        return {};
    }

    // The file is in place: it is no longer removed.
    void placed() { path_.clear(); }

private:
    std::string writeAll(std::string_view bytes, ReplaceStep step) {
        if (const int e = injected(step)) return SystemReason(e);
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return SystemReason(errno);
            if (n == 0) return SystemReason(EIO);
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return {};
    }

    int fd_ = -1;
    std::string path_;
};

} // namespace

std::string OriginalCopyPath(const std::string& path) { return path + ".orig"; }

FileWriteResult CheckCorrectable(const std::string& path, const FileIdentity& asRead) {
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0) return failed(SystemReason(errno));
    if (IdentityOf(st) != asRead) return failed("another program has changed the file since it was read");
    // Write-protected means protected, also for an administrator.
    if ((st.st_mode & 0222) == 0) return failed("the file is write-protected");
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return failed(SystemReason(errno));
    ::close(fd);
    const std::string folder = FolderOf(path);
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return failed("its folder: " + SystemReason(errno));
    FileWriteResult ok;
    ok.ok = true;
    ok.identity = asRead;
    return ok;
}

FileWriteResult KeepOriginal(const std::string& path, std::string_view originalBytes) {
    const std::string copy = OriginalCopyPath(path);
    struct stat existing{};
    FileWriteResult ok;
    ok.ok = true;
    if (::lstat(copy.c_str(), &existing) == 0) return ok;
    const std::string cannot = "the untouched original cannot be kept as " + copy.substr(copy.find_last_of('/') + 1) + ": ";
    if (errno != ENOENT) return failed(cannot + SystemReason(errno));
    struct stat like{};
    if (::stat(path.c_str(), &like) != 0) return failed(SystemReason(errno));
    Temporary temporary;
    if (const std::string why = temporary.write(copy, like, originalBytes, true); !why.empty())
        return failed(cannot + why);
    // link() never replaces: a copy that appeared meanwhile is kept.
    if (::link(temporary.path().c_str(), copy.c_str()) != 0) {
        const int error = errno;
        if (error == EEXIST) return ok;
        // Folders that take no hard links: rename, after looking once more.
        if (error != EPERM && error != ENOTSUP && error != EOPNOTSUPP && error != ENOSYS)
            return failed(cannot + SystemReason(error));
        if (::lstat(copy.c_str(), &existing) == 0) return ok;
        if (std::rename(temporary.path().c_str(), copy.c_str()) != 0) return failed(cannot + SystemReason(errno));
        temporary.placed();
    }
    syncFolder(copy);
    return ok;
}

FileWriteResult ReplaceFileContents(const std::string& path, std::string_view bytes, const FileIdentity& asRead) {
    FileWriteResult check = CheckCorrectable(path, asRead);
    if (!check.ok) return check;
    struct stat like{};
    if (::stat(path.c_str(), &like) != 0) return failed(SystemReason(errno));
    auto writeFailed = [](std::string why) {
        FileWriteResult r = failed(std::move(why));
        r.writeFailed = true;
        return r;
    };
    Temporary temporary;
    if (const std::string why = temporary.write(path, like, bytes, false); !why.empty()) return writeFailed(why);
    if (const int e = injected(ReplaceStep::Rename)) return writeFailed(SystemReason(e));
    if (std::rename(temporary.path().c_str(), path.c_str()) != 0) return writeFailed(SystemReason(errno));
    temporary.placed();
    syncFolder(path);
    FileWriteResult ok;
    ok.ok = true;
    struct stat now{};
    if (::fstat(temporary.fd(), &now) == 0) ok.identity = IdentityOf(now);
    return ok;
}

std::string CorrectionFailedText(const std::string& path, const FileWriteResult& result) {
    if (result.writeFailed)
        return std::string(tx::WriteErrorDiskSpace) + "\n" + path + ": " + result.reason + "\n" + tx::CorrectionNotWritten;
    return std::string(tx::CorrectionNotPossible) + "\n" + path + ": " + result.reason;
}

void SetWriteFaultForTests(std::function<int(ReplaceStep)> fault) { faultHook() = std::move(fault); }

} // namespace zeb
