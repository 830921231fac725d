#include "data/FileAccess.h"

#include "data/CFormat.h"

#include <fcntl.h>
#include <locale.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zeb {

FileIdentity IdentityOf(const struct stat& st) {
    FileIdentity id;
    id.device = static_cast<std::uint64_t>(st.st_dev);
    id.inode = static_cast<std::uint64_t>(st.st_ino);
    id.sizeBytes = st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    id.modifiedSeconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
    id.modifiedNanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    return id;
}

namespace {

// Opens a regular file for reading. O_NONBLOCK keeps a named pipe from
// blocking the open; it is refused as not a regular file right after. On a
// regular file the flag changes nothing (reads wait for the disk all the same),
// so it is left set.
int openForReading(const std::string& path, struct stat& st, int& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    if (::fstat(fd, &st) != 0) {
        error = errno;
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads up to limit bytes; false on a read error (error set).
// Reads straight into out, sized for the file as it was when opened (plus the
// one byte that tells growth); it grows only when the file does.
bool readUpTo(int fd, std::string& out, std::uint64_t limit, std::uint64_t expected, int& error) {
    std::size_t have = 0;
    out.resize(static_cast<std::size_t>(std::min<std::uint64_t>(std::max<std::uint64_t>(expected + 1, 4096), limit)));
    while (have < limit) {
        if (have == out.size())
            out.resize(static_cast<std::size_t>(std::min<std::uint64_t>(limit, std::uint64_t{out.size()} * 2)));
        const ssize_t n = ::read(fd, out.data() + have, out.size() - have);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = errno;
            out.resize(have);
            return false;
        }
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    out.resize(have);
    return true;
}

std::string megabytes(std::uint64_t bytes) { return CFormat("%.1f MB", static_cast<double>(bytes) / (1u << 20)); }

} // namespace

FileBytes ReadFileBytes(const std::string& path, std::uint64_t maxBytes) {
    return FileForReading(path).readAll(maxBytes);
}

FileForReading::FileForReading(const std::string& path) {
    struct stat st{};
    fd_ = openForReading(path, st, error_);
    if (fd_ < 0) {
        if (error_ == 0) error_ = EIO;
        return;
    }
    identity_ = IdentityOf(st);
}

FileForReading::~FileForReading() {
    if (fd_ >= 0) ::close(fd_);
}

std::optional<std::string> FileForReading::firstBytes(std::size_t n) const {
    if (fd_ < 0) return std::nullopt;
    std::string bytes(n, '\0');
    std::size_t have = 0;
    while (have < n) {
        const ssize_t got = ::pread(fd_, bytes.data() + have, n - have, static_cast<off_t>(have));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return std::nullopt;
        have += static_cast<std::size_t>(got);
    }
    return bytes;
}

FileBytes FileForReading::readAll(std::uint64_t maxBytes) {
    FileBytes file;
    if (fd_ < 0) {
        file.error = error_;
        return file;
    }
    const int fd = fd_;
    fd_ = -1;  // read once: closed below, whatever happens
    file.identity = identity_;
    file.sizeBytes = file.identity.sizeBytes;
    if (file.sizeBytes > maxBytes) {
        ::close(fd);
        file.status = FileBytes::Status::TooLarge;
        return file;
    }
    try {
        // One byte more than allowed tells a file that grew past the limit while it was read.
        const bool read = readUpTo(fd, file.bytes, maxBytes + 1, file.sizeBytes, file.error);
        ::close(fd);
        if (!read) {
            file.status = FileBytes::Status::ReadError;
        } else if (file.bytes.size() > maxBytes) {
            file.sizeBytes = file.bytes.size();
            file.bytes.clear();
            file.status = FileBytes::Status::TooLarge;
        } else {
            file.status = FileBytes::Status::Ok;
        }
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (!file.ok()) file.bytes.clear();
    return file;
}

std::string SystemReason(int error) {
    // The interface is English: the reason comes from the C locale, whatever
    // language the user's environment asks for.
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (c) return ::strerror_l(error, c);
    return CFormat("error %d", error);
}

std::string CannotReadDetail(const std::string& path, const FileBytes& file) {
    return path + ": " + SystemReason(file.error != 0 ? file.error : EIO);
}

std::string TooLargeDetail(const std::string& path, const FileBytes& file, std::uint64_t maxBytes) {
    return path + ": " + megabytes(file.sizeBytes) + "; a file of this kind holds at most " + megabytes(maxBytes) +
           ". The file is not read.";
}

int ReadAccessError(const std::string& path) { return FileForReading(path).error(); }

std::optional<std::string> ReadFilePrefix(const std::string& path, std::size_t n) {
    struct stat st{};
    int error = 0;
    const int fd = openForReading(path, st, error);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    const bool read = readUpTo(fd, bytes, n, std::min<std::uint64_t>(n, static_cast<std::uint64_t>(st.st_size)), error);
    ::close(fd);
    if (!read) return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadFirstBytes(const std::string& path, std::size_t n) {
    auto bytes = ReadFilePrefix(path, n);
    if (!bytes || bytes->size() < n) return std::nullopt;
    return bytes;
}

} // namespace zeb
