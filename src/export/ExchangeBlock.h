// The clipboard block in which plot windows, also of different running copies
// of the program, exchange measurement data ("CF_ZEB_STAT_SPECIAL").
//
// Layout (little-endian, no padding; n q² rows, g concentrations):
//   0              int32   n, the sender's last angle index
//   4              int32   g
//   8              n  × f64 q² of rows 1..n, 1/cm²
//   8+8n           g  × f64 concentration, g/cm³
//   8+8n+8g        g  × f32 viscosity, mPa·s
//   8+8n+12g       g  × f32 temperature, K
//   8+8n+16g       g·n × 168-byte DataPoint records, concentration by concentration, rows 1..n
//   8+8n+16g+168ng g  × 261-byte source names, each ended by a zero byte
// Total 8 + 8n + 168·n·g + 277·g bytes.
//
// A block comes from another program: the parser checks every count and size
// before it reads, reads nothing past the block and refuses values that are
// not finite numbers.
#pragma once

#include "data/DataPoint.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zeb {

class MeasurementSet;

inline constexpr int kExchangeMaxRows = 136;            // angle indices 1..136
inline constexpr int kExchangeMaxConcentrations = 100;  // concentration indices 1..100
inline constexpr std::size_t kExchangeNameField = 261;

// Bytes of a block of n rows and g concentrations (both within the limits above).
constexpr std::size_t ExchangeBlockSize(int n, int g) {
    const auto un = static_cast<std::size_t>(n), ug = static_cast<std::size_t>(g);
    return 8 + 8 * un + 168 * un * ug + 277 * ug;
}

struct ExchangeConcentration {
    double concentrationGPerCm3 = 0.0;
    float viscosityMPas = 0.0f;
    float temperatureK = 0.0f;
    std::vector<DataPoint> rows;  // rows 1..n at index 0..n-1
    std::string sourceName;
};

struct ExchangeBlock {
    std::vector<double> q2PerCm2;  // rows 1..n at index 0..n-1
    std::vector<ExchangeConcentration> concentrations;
    int rowCount() const { return static_cast<int>(q2PerCm2.size()); }
    int concentrationCount() const { return static_cast<int>(concentrations.size()); }
};

enum class ExchangeBlockError {
    None,
    TooShort,        // not even the two counts
    BadCounts,       // n or g outside 1..136 / 1..100
    WrongSize,       // the block is not exactly as long as its counts say
    NotANumber,      // a q², concentration, viscosity, temperature or measured value is not finite
    UnterminatedName // a source name without its zero byte
};

// The block of the given concentrations (indices 1..lastConcIndex, in this
// order) with the rows 1..lastAngleIndex of the set. Throws std::bad_alloc.
std::vector<std::uint8_t> BuildExchangeBlock(const MeasurementSet& set, const std::vector<int>& concentrations);

// Reads a block; nullopt (and the reason in *why) when it is not a valid block.
std::optional<ExchangeBlock> ParseExchangeBlock(std::span<const std::uint8_t> bytes,
                                                ExchangeBlockError* why = nullptr);

} // namespace zeb
