// Reading and writing little-endian numbers in byte buffers, whatever the machine.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace zeb::le {

inline void putU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void putI16(std::uint8_t* p, std::int16_t v) { putU16(p, static_cast<std::uint16_t>(v)); }
inline void putU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void putI32(std::uint8_t* p, std::int32_t v) { putU32(p, static_cast<std::uint32_t>(v)); }
inline void putU64(std::uint8_t* p, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void putF32(std::uint8_t* p, float v) { putU32(p, std::bit_cast<std::uint32_t>(v)); }
inline void putF64(std::uint8_t* p, double v) { putU64(p, std::bit_cast<std::uint64_t>(v)); }

inline std::uint16_t getU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::int16_t getI16(const std::uint8_t* p) { return static_cast<std::int16_t>(getU16(p)); }
inline std::uint32_t getU32(const std::uint8_t* p) {
    std::uint32_t v = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&v, p, sizeof v);  // one load
    } else {
        for (int i = 3; i >= 0; --i) v = (v << 8) | p[i];
    }
    return v;
}
inline std::int32_t getI32(const std::uint8_t* p) { return static_cast<std::int32_t>(getU32(p)); }
inline std::uint64_t getU64(const std::uint8_t* p) {
    std::uint64_t v = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&v, p, sizeof v);
    } else {
        for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
    }
    return v;
}
inline float getF32(const std::uint8_t* p) { return std::bit_cast<float>(getU32(p)); }
inline double getF64(const std::uint8_t* p) { return std::bit_cast<double>(getU64(p)); }

} // namespace zeb::le
