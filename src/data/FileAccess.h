// File access of the load sequence and the record reader: the read/write
// check, the first bytes, and a record file held open with an exclusive
// advisory lock so that two running copies never rewrite it at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace zeb {

// True when path is a regular file that can be opened for reading and writing.
// A file without any write permission counts as read-only, also for root.
bool CanOpenForReadWrite(const std::string& path);

// The first n bytes of the file, or nullopt when it cannot be read that far.
std::optional<std::string> ReadFirstBytes(const std::string& path, std::size_t n);
// At most n bytes from the start of a regular file (fewer when it is shorter);
// nullopt when it cannot be opened or read.
std::optional<std::string> ReadFilePrefix(const std::string& path, std::size_t n);

class LockedFile {
public:
    // Opens the file for reading and writing and takes an exclusive lock
    // without waiting; ok() is false when either fails.
    explicit LockedFile(const std::string& path);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool ok() const { return fd_ >= 0; }
    // The size of the file in bytes (0 when unknown).
    std::uint64_t size() const;
    // Reads the whole file into data; false on a read error (data keeps what was read).
    bool readAll(std::string& data);
    // Writes n bytes at offset; false unless all were written.
    bool writeAt(std::uint64_t offset, const void* bytes, std::size_t n);

private:
    int fd_ = -1;
};

} // namespace zeb
