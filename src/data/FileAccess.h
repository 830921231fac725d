// Reading the measurement files: read access only and no lock, so that a file
// on a read-only medium, a write-protected file and a file another program
// holds open or locked all load, and two programs can read one file at once.
// A file larger than the largest measurement of its format is refused from its
// size alone, before a byte of it is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

struct stat;

namespace zeb {

// Which file a path named when it was read: a later write can tell whether
// another program has replaced or changed it since.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t sizeBytes = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of a file from its status.
FileIdentity IdentityOf(const struct stat& st);

struct FileBytes {
    enum class Status { Ok, CannotOpen, TooLarge, ReadError };
    Status status = Status::CannotOpen;
    std::string bytes;
    int error = 0;               // errno of a failed open or read (0 for TooLarge)
    std::uint64_t sizeBytes = 0; // the size the file had when it was opened
    FileIdentity identity;
    bool ok() const { return status == Status::Ok; }
};

// The whole file when it is a regular file of at most maxBytes. Opens for
// reading only, takes no lock, and never reads more than maxBytes + 1 bytes.
FileBytes ReadFileBytes(const std::string& path, std::uint64_t maxBytes);

// A regular file opened once for reading (read access only, no lock), so that
// its first bytes and then the whole of it are read without opening it again.
class FileForReading {
public:
    explicit FileForReading(const std::string& path);
    ~FileForReading();
    FileForReading(const FileForReading&) = delete;
    FileForReading& operator=(const FileForReading&) = delete;

    // 0 when the file is open, else the errno why it could not be opened (as ReadAccessError).
    int error() const { return error_; }
    // The first n bytes, or nullopt when the file is shorter or cannot be read.
    std::optional<std::string> firstBytes(std::size_t n) const;
    // The whole file, as ReadFileBytes reads it; once.
    FileBytes readAll(std::uint64_t maxBytes);

private:
    int fd_ = -1;
    int error_ = 0;
    FileIdentity identity_;
};

// The system's reason for an error number, in English whatever the locale.
std::string SystemReason(int error);

// "PATH: reason" for a file that could not be read.
std::string CannotReadDetail(const std::string& path, const FileBytes& file);
// "PATH: N bytes; a file of this kind holds at most M." for a file over the limit.
std::string TooLargeDetail(const std::string& path, const FileBytes& file, std::uint64_t maxBytes);

// 0 when path is a regular file that can be opened for reading, else the errno why not.
int ReadAccessError(const std::string& path);

// The first n bytes of the file, or nullopt when it cannot be read that far.
std::optional<std::string> ReadFirstBytes(const std::string& path, std::size_t n);
// At most n bytes from the start of a regular file (fewer when it is shorter);
// nullopt when it cannot be opened or read.
std::optional<std::string> ReadFilePrefix(const std::string& path, std::size_t n);

// Size limits of the readers: the largest valid file of each format with a
// generous margin. A record file holds at most 32767 records of 198 bytes (its
// count is a 16-bit number): 6.5 MB. A PLT or PLX file holds at most 99 × 135
// value lines of at most 1024 bytes: 13.7 MB. A number table holds at most
// 13,734 numbers; a form-factor file is read line by line into a spline.
inline constexpr std::uint64_t kMaxRecordFileBytes = 16u << 20;
inline constexpr std::uint64_t kMaxPltPlxFileBytes = 16u << 20;
inline constexpr std::uint64_t kMaxAscFileBytes = 4u << 20;
inline constexpr std::uint64_t kMaxFormFactorFileBytes = 4u << 20;

} // namespace zeb
