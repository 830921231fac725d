// The 198-byte records of ZEB-7100 record files (.sta, .dat). Record 1 is the
// header (4 bytes that must not be "SOLU", a 16-bit record count); every later
// record holds one measurement at one angle and one concentration. Names are
// DOS code page 850, blank padded; numbers are little-endian floats.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zeb {

inline constexpr std::size_t kRecordBytes = 198;
inline constexpr std::size_t kRecordNameBytes = 25;
// The sample name the program keeps and shows: the first 24 characters.
inline constexpr std::size_t kRecordSampleNameChars = 24;

// Byte offsets of the interpreted fields of a data record. Everything else
// (25..39, 98, 130, 158..181, 190..197) is kept as it is on disk.
namespace rec {
inline constexpr std::size_t kSampleName = 0;
inline constexpr std::size_t kSolventName = 40;
inline constexpr std::size_t kStandardName = 65;
inline constexpr std::size_t kNStandard = 90;
inline constexpr std::size_t kNSolvent = 94;
inline constexpr std::size_t kRayleighStandard = 102;
inline constexpr std::size_t kDndc = 106;
inline constexpr std::size_t kWavelength = 110;
inline constexpr std::size_t kViscosity = 114;
inline constexpr std::size_t kConcentration = 118;
inline constexpr std::size_t kTemperature = 122;
inline constexpr std::size_t kAngle = 126;
inline constexpr std::size_t kDapp = 134;  // Dapp I, error, Dapp II, error, Dapp III, error
inline constexpr std::size_t kKcr = 182;
inline constexpr std::size_t kKcrError = 186;
} // namespace rec

// One data record, decoded. The raw bytes stay with it so that a rewrite
// changes only the interpreted fields.
struct ZebRecord {
    std::array<std::uint8_t, kRecordBytes> bytes{};
    std::string sampleName;    // 25 bytes as on disk (code page 850)
    std::string solventName;   // 25 bytes
    std::string standardName;  // 25 bytes
    float nStandard = 0;
    float nSolvent = 0;
    float rayleighStandardPerCm = 0;
    float dndcCm3PerG = 0;
    float wavelengthNm = 0;
    float viscosityMPas = 0;
    float concentrationGPerCm3 = 0;
    float temperatureK = 0;
    float angleDeg = 0;
    float dapp[3] = {0, 0, 0};       // cm²/s
    float dappError[3] = {0, 0, 0};  // cm²/s, 0 = not given
    float kcr = 0;                   // mol/g
    float kcrError = 0;              // mol/g, 0 = not given
};

ZebRecord DecodeRecord(const std::uint8_t* bytes);
// Only the numbers of a record (the loops over every record of a file need no
// more): the names and the raw bytes of record stay as they were.
void DecodeRecordNumbers(const std::uint8_t* bytes, ZebRecord& record);
// The record's bytes with every interpreted field written from the decoded values.
std::array<std::uint8_t, kRecordBytes> EncodeRecord(const ZebRecord& record);

// The seven parameters the review dialog shows and the user may correct.
struct RecordParameters {
    float concentrationGPerCm3 = 0;
    float dndcCm3PerG = 0;
    float wavelengthNm = 0;
    float nSolvent = 0;
    float nStandard = 0;
    float rayleighStandardPerCm = 0;
    float viscosityMPas = 0;
};

RecordParameters ParametersOf(const ZebRecord& record);
void SetParameters(ZebRecord& record, const RecordParameters& p);

// A name field for display: cut at a NUL, at most maxChars bytes, trailing
// blanks removed (never the first character), converted to UTF-8.
std::string RecordNameText(const std::string& field, std::size_t maxChars);
// A name for the record: code page 850, cut to maxChars, padded with blanks to 25 bytes.
std::string RecordNameField(const std::string& utf8, std::size_t maxChars);

} // namespace zeb
