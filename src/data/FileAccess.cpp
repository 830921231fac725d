#include "data/FileAccess.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zeb {

namespace {

bool regularAndWritable(int fd) {
    struct stat st{};
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) != 0;
}

} // namespace

bool CanOpenForReadWrite(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    const bool ok = regularAndWritable(fd);
    ::close(fd);
    return ok;
}

std::optional<std::string> ReadFilePrefix(const std::string& path, std::size_t n) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes(n, '\0');
    std::size_t got = 0;
    bool failed = false;
    while (got < n) {
        const ssize_t r = ::read(fd, bytes.data() + got, n - got);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) failed = true;
        if (r <= 0) break;
        got += static_cast<std::size_t>(r);
    }
    ::close(fd);
    if (failed) return std::nullopt;
    bytes.resize(got);
    return bytes;
}

std::optional<std::string> ReadFirstBytes(const std::string& path, std::size_t n) {
    auto bytes = ReadFilePrefix(path, n);
    if (!bytes || bytes->size() < n) return std::nullopt;
    return bytes;
}

LockedFile::LockedFile(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) return;
    if (!regularAndWritable(fd_) || ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

LockedFile::~LockedFile() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

std::uint64_t LockedFile::size() const {
    struct stat st{};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0 || st.st_size < 0) return 0;
    return static_cast<std::uint64_t>(st.st_size);
}

bool LockedFile::readAll(std::string& data) {
    data.clear();
    struct stat st{};
    if (::fstat(fd_, &st) == 0 && st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    std::uint64_t offset = 0;
    for (;;) {
        const ssize_t r = ::pread(fd_, buf, sizeof buf, static_cast<off_t>(offset));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return false;
        if (r == 0) return true;
        data.append(buf, static_cast<std::size_t>(r));
        offset += static_cast<std::uint64_t>(r);
    }
}

bool LockedFile::writeAt(std::uint64_t offset, const void* bytes, std::size_t n) {
    const auto* p = static_cast<const char*>(bytes);
    while (n > 0) {
        const ssize_t w = ::pwrite(fd_, p, n, static_cast<off_t>(offset));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        p += w;
        n -= static_cast<std::size_t>(w);
        offset += static_cast<std::uint64_t>(w);
    }
    return true;
}

} // namespace zeb
