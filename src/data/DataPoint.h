// One cell of the measurement grid: a fixed 168-byte little-endian record. The
// clipboard exchange block copies records whole, so every offset is binding.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zeb {

// Presence bits: which values a point holds.
enum PresenceBit : std::uint8_t {
    kHasKcr = 1,
    kHasKcrError = 2,
    kHasDappI = 4,
    kHasDappII = 8,
    kHasDappIII = 16,
    kHasDappIError = 32,
    kHasDappIIError = 64,
    kHasDappIIIError = 128,
};

struct DataPoint {
    std::uint32_t reserved0 = 0;       //   0 owner bookkeeping of a sender; never taken over
    std::uint8_t presence = 0;         //   4
    std::uint8_t reserved5 = 0;        //   5
    std::int16_t originMark = 0;       //   6 -32767 created, 1 loaded from a record or ASCII file
    std::int16_t hasData = 0;          //   8 1 = holds a measured value (the calculation reuses it)
    std::int16_t active = 0;           //  10 1 = takes part in fits and plots
    std::int16_t symbolState = 0;      //  12 1 normal, 100 chosen and active, 1000 chosen and inactive
    std::int16_t reflectionCorrected = 0; // 14
    double work[4] = {0, 0, 0, 0};     //  16 x, y, upper and lower end of the error bar
    double kcr = 0;                    //  48 Kc/R, mol/g
    double q2 = 0;                     //  56 1/cm²
    double reserved64 = 0;             //  64
    double reserved72 = 0;             //  72
    double kcrError = 0;               //  80
    double dappI = 0;                  //  88 µm²/s
    double dappIError = 0;             //  96
    double dappII = 0;                 // 104
    double dappIIError = 0;            // 112
    double dappIII = 0;                // 120
    double dappIIIError = 0;           // 128
    double rSample = 0;                // 136 excess scattering ratio, 1/cm
    double rSampleError = 0;           // 144
    double nSolvent = 0;               // 152
    double wavelengthCm = 0;           // 160

    double& x() { return work[0]; }
    double& y() { return work[1]; }
    double& yHi() { return work[2]; }
    double& yLo() { return work[3]; }
    double x() const { return work[0]; }
    double y() const { return work[1]; }
    double yHi() const { return work[2]; }
    double yLo() const { return work[3]; }
};

inline constexpr std::size_t kDataPointBytes = 168;

static_assert(sizeof(DataPoint) == kDataPointBytes);
static_assert(offsetof(DataPoint, presence) == 4);
static_assert(offsetof(DataPoint, originMark) == 6);
static_assert(offsetof(DataPoint, hasData) == 8);
static_assert(offsetof(DataPoint, active) == 10);
static_assert(offsetof(DataPoint, symbolState) == 12);
static_assert(offsetof(DataPoint, reflectionCorrected) == 14);
static_assert(offsetof(DataPoint, work) == 16);
static_assert(offsetof(DataPoint, kcr) == 48);
static_assert(offsetof(DataPoint, q2) == 56);
static_assert(offsetof(DataPoint, kcrError) == 80);
static_assert(offsetof(DataPoint, dappI) == 88);
static_assert(offsetof(DataPoint, dappIError) == 96);
static_assert(offsetof(DataPoint, dappII) == 104);
static_assert(offsetof(DataPoint, dappIIError) == 112);
static_assert(offsetof(DataPoint, dappIII) == 120);
static_assert(offsetof(DataPoint, dappIIIError) == 128);
static_assert(offsetof(DataPoint, rSample) == 136);
static_assert(offsetof(DataPoint, rSampleError) == 144);
static_assert(offsetof(DataPoint, nSolvent) == 152);
static_assert(offsetof(DataPoint, wavelengthCm) == 160);

// The record as bytes, little-endian whatever the machine.
std::array<std::uint8_t, kDataPointBytes> ToBytes(const DataPoint& p);
DataPoint FromBytes(const std::uint8_t* bytes);

} // namespace zeb
