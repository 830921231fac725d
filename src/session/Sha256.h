// SHA-256 (FIPS 180-4) of bytes and of files, as lower-case hex text. An
// evaluation file names each data file by its size and hash, so that a changed
// file is noticed when the evaluation is opened again.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zeb {

class Sha256 {
public:
    Sha256();
    void update(const void* data, std::size_t size);
    void update(std::string_view bytes) { update(bytes.data(), bytes.size()); }
    // The digest of everything given; the object is spent afterwards.
    std::array<std::uint8_t, 32> finish();
    // 64 lower-case hex digits of the digest.
    std::string finishHex();

private:
    void block(const std::uint8_t* p);
    std::array<std::uint32_t, 8> h_;
    std::array<std::uint8_t, 64> buffer_{};
    std::size_t buffered_ = 0;
    std::uint64_t totalBytes_ = 0;
};

std::string Sha256Hex(std::string_view bytes);

struct FileDigest {
    std::uint64_t sizeBytes = 0;
    std::string sha256;  // 64 lower-case hex digits
};

// Size and hash of a regular file, read for reading only and without a lock.
// nullopt when it cannot be opened or read; *error then holds the errno.
std::optional<FileDigest> DigestOfFile(const std::string& path, int* error = nullptr);

} // namespace zeb
