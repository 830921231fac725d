#include "data/FileReplace.h"

#include "texts/FileTexts.h"
#include "texts/ReadCheckTexts.h"
#include "data/CFormat.h"
#include "platform/AtomicFile.h"
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

// Writes bytes to a new temporary file beside target, flushed to the disk, with
// the owner and permissions of like (and its time stamps when keepTimes).
// Returns why it failed, or nothing.
std::string writeTemporary(TemporaryFile& temporary, const std::string& target, const struct stat& like,
                           std::string_view bytes, bool keepTimes) {
    if (const int e = injected(ReplaceStep::CreateTemporary)) return SystemReason(e);
    if (const int e = temporary.create(target, 0600)) return SystemReason(e);
    const int fd = temporary.fd();
    if (::fchown(fd, like.st_uid, like.st_gid) != 0) {
        const int error = errno;
        struct stat now{};
        if (::fstat(fd, &now) != 0 || now.st_uid != like.st_uid || now.st_gid != like.st_gid)
            return "its owner cannot be kept (" + SystemReason(error) + ")";
    }
    if (::fchmod(fd, like.st_mode & 07777) != 0) return SystemReason(errno);
    auto writeAll = [fd](std::string_view part, ReplaceStep step) -> std::string {
        if (const int e = injected(step)) return SystemReason(e);
        while (!part.empty()) {
            const ssize_t n = ::write(fd, part.data(), part.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return SystemReason(errno);
            if (n == 0) return SystemReason(EIO);
            part.remove_prefix(static_cast<std::size_t>(n));
        }
        return {};
    };
    const std::size_t half = bytes.size() / 2;
    if (std::string why = writeAll(bytes.substr(0, half), ReplaceStep::Write); !why.empty()) return why;
    if (std::string why = writeAll(bytes.substr(half), ReplaceStep::WriteSecondHalf); !why.empty()) return why;
    if (const int e = injected(ReplaceStep::Flush)) return SystemReason(e);
    if (::fsync(fd) != 0) return SystemReason(errno);
    if (keepTimes) {
        const struct timespec times[2] = {like.st_atim, like.st_mtim};
        ::futimens(fd, times);
    }
    return {};
}

// The file a correction changes: the target of a symbolic link (the link
// stays), the path itself otherwise.
std::string correctedFile(const std::string& path) {
    if (const auto target = FollowLinks(path)) return *target;
    return path;
}

} // namespace

std::string OriginalCopyPath(const std::string& path) { return correctedFile(path) + ".orig"; }

FileWriteResult CheckCorrectable(const std::string& link, const FileIdentity& asRead) {
    const std::string path = correctedFile(link);
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0) return failed(SystemReason(errno));
    if (IdentityOf(st) != asRead) return failed("another program has changed the file since it was read");
    // Write-protected means protected, also for an administrator.
    if ((st.st_mode & 0222) == 0) return failed("the file is write-protected");
    // A corrected copy takes the place of one name only: the others would go
    // on naming the uncorrected file.
    if (st.st_nlink > 1)
        return failed(CFormat("the file has %llu names (hard links); a correction would change it under this "
                              "name only and leave the others with the old data",
                              static_cast<unsigned long long>(st.st_nlink)));
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        if (error == EACCES || error == EPERM)
            return failed("the file is write-protected for this user (" + SystemReason(error) + ")");
        if (error == EROFS) return failed("the file lies on a read-only medium (" + SystemReason(error) + ")");
        return failed(SystemReason(error));
    }
    ::close(fd);
    const std::string folder = FolderOf(path);
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return failed("its folder: " + SystemReason(errno));
    FileWriteResult ok;
    ok.ok = true;
    ok.identity = asRead;
    return ok;
}

FileWriteResult KeepOriginal(const std::string& link, std::string_view originalBytes) {
    const std::string path = correctedFile(link);
    const std::string copy = path + ".orig";
    struct stat existing{};
    FileWriteResult ok;
    ok.ok = true;
    if (::lstat(copy.c_str(), &existing) == 0) return ok;
    const std::string cannot = "the untouched original cannot be kept as " + copy.substr(copy.find_last_of('/') + 1) + ": ";
    if (errno != ENOENT) return failed(cannot + SystemReason(errno));
    struct stat like{};
    if (::stat(path.c_str(), &like) != 0) return failed(SystemReason(errno));
    TemporaryFile temporary;
    if (const std::string why = writeTemporary(temporary, copy, like, originalBytes, true); !why.empty())
        return failed(cannot + why);
    // A link never replaces: a copy that appeared meanwhile is kept.
    if (const int error = temporary.link(copy); error != 0) {
        if (error == EEXIST) return ok;
        // Folders that take no hard links: rename, after looking once more.
        if (error != EPERM && error != ENOTSUP && error != EOPNOTSUPP && error != ENOSYS)
            return failed(cannot + SystemReason(error));
        if (::lstat(copy.c_str(), &existing) == 0) return ok;
        if (const int e = temporary.replace(copy)) return failed(cannot + SystemReason(e));
    }
    syncFolder(copy);
    return ok;
}

FileWriteResult ReplaceFileContents(const std::string& link, std::string_view bytes, const FileIdentity& asRead) {
    FileWriteResult check = CheckCorrectable(link, asRead);
    if (!check.ok) return check;
    const std::string path = correctedFile(link);
    struct stat like{};
    if (::stat(path.c_str(), &like) != 0) return failed(SystemReason(errno));
    auto writeFailed = [](std::string why) {
        FileWriteResult r = failed(std::move(why));
        r.writeFailed = true;
        return r;
    };
    TemporaryFile temporary;
    if (const std::string why = writeTemporary(temporary, path, like, bytes, false); !why.empty())
        return writeFailed(why);
    if (const int e = injected(ReplaceStep::Rename)) return writeFailed(SystemReason(e));
    if (const int e = temporary.replace(path)) return writeFailed(SystemReason(e));
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
