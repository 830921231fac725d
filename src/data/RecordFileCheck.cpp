#include "data/RecordFileCheck.h"

#include "data/CFormat.h"
#include "data/LittleEndian.h"

#include <cmath>
#include <cstring>

namespace zeb {

namespace {

// No logged parameter of a light-scattering measurement comes near these.
constexpr double kAbsurdlyLarge = 1e15;
constexpr double kAbsurdlySmall = 1e-15;

struct Field {
    std::size_t offset;
    const char* name;
};

constexpr Field kNameFields[] = {
    {rec::kSampleName, "sample name"}, {rec::kSolventName, "solvent name"}, {rec::kStandardName, "standard name"}};

constexpr Field kParameterFields[] = {
    {rec::kNStandard, "refractive index of the standard"}, {rec::kNSolvent, "refractive index of the solvent"},
    {rec::kRayleighStandard, "Rayleigh ratio"}, {rec::kDndc, "dn/dc"}, {rec::kWavelength, "wavelength"},
    {rec::kViscosity, "viscosity"}, {rec::kConcentration, "concentration"}, {rec::kTemperature, "temperature"},
    {rec::kAngle, "angle"}};

// Whether one of the eight bytes of word is below 0x20 or is 0x7F (exact:
// a byte with its high bit set counts as neither).
bool hasControlByte(std::uint64_t word) {
    constexpr std::uint64_t ones = 0x0101010101010101u;
    constexpr std::uint64_t highs = 0x8080808080808080u;
    const std::uint64_t below = (word - ones * 0x20) & ~word & highs;
    const std::uint64_t del = word ^ (ones * 0x7F);
    const std::uint64_t isDel = (del - ones) & ~del & highs;
    return (below | isDel) != 0;
}

// Text as the correlator software writes it: printable characters of code
// page 850, padded with blanks, or ended by a NUL after which anything may follow.
std::optional<std::size_t> notTextAt(const std::uint8_t* field) {
    // Most names are printable to the last byte: eight bytes at a time tell
    // (the last word overlaps the third), and only a name with a NUL or a
    // control character is looked at byte by byte.
    static_assert(kRecordNameBytes > 16 && kRecordNameBytes <= 32);
    bool plain = true;
    for (std::size_t at : {std::size_t{0}, std::size_t{8}, std::size_t{16}, kRecordNameBytes - 8}) {
        std::uint64_t word = 0;
        std::memcpy(&word, field + at, sizeof word);
        plain = plain && !hasControlByte(word);
    }
    if (plain) return std::nullopt;
    for (std::size_t i = 0; i < kRecordNameBytes; ++i) {
        const std::uint8_t c = field[i];
        if (c == 0) return std::nullopt;
        if (c < 0x20 || c == 0x7F) return i;
    }
    return std::nullopt;
}

const std::uint8_t* recordAt(std::string_view bytes, std::int64_t n) {
    return reinterpret_cast<const std::uint8_t*>(bytes.data()) + static_cast<std::size_t>(n - 1) * kRecordBytes;
}

} // namespace

std::optional<RecordProblem> FindForeignRecord(std::string_view bytes, std::int64_t records) {
    // Records of floating-point numbers hold control characters and zero bytes
    // somewhere (632.8 is 33 33 1E 44); text renamed to a record file holds none.
    const std::string_view data = bytes.substr(kRecordBytes, static_cast<std::size_t>(records - 1) * kRecordBytes);
    bool binary = false;
    for (char ch : data) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            binary = true;
            break;
        }
    }
    if (!binary) return RecordProblem{0, "the records hold nothing but text: this is a text file"};
    for (std::int64_t n = 2; n <= records && static_cast<std::uint64_t>(n) * kRecordBytes <= bytes.size(); ++n) {
        const std::uint8_t* r = recordAt(bytes, n);
        for (const Field& f : kNameFields) {
            if (const auto at = notTextAt(r + f.offset))
                return RecordProblem{n, CFormat("the %s holds the byte %u, which is no text", f.name,
                                                static_cast<unsigned>(r[f.offset + *at]))};
        }
        for (const Field& f : kParameterFields) {
            const double v = le::getF32(r + f.offset);
            if (std::isfinite(v) && v != 0.0 && (std::fabs(v) > kAbsurdlyLarge || std::fabs(v) < kAbsurdlySmall))
                return RecordProblem{n, CFormat("the %s %g is no measured value", f.name, v)};
        }
    }
    return std::nullopt;
}

std::optional<std::string> ImpossibleValue(const ZebRecord& r) {
    const double angle = r.angleDeg;
    const double theta = std::floor(angle * 10.0 + 0.5) * 0.1;  // the angle the reader uses
    if (!std::isfinite(angle) || !(theta > 0.0 && theta < 180.0)) return CFormat("angle %g\u00b0", angle);
    if (!(std::isfinite(r.wavelengthNm) && r.wavelengthNm > 0.0f))
        return CFormat("wavelength %g nm", double(r.wavelengthNm));
    if (!(std::isfinite(r.nSolvent) && r.nSolvent > 0.0f))
        return CFormat("refractive index of the solvent %g", double(r.nSolvent));
    if (!(std::isfinite(r.concentrationGPerCm3) && r.concentrationGPerCm3 >= 0.0f))
        return CFormat("concentration %g g/cm\u00b3", double(r.concentrationGPerCm3));
    const struct {
        float value;
        const char* name;
    } others[] = {{r.nStandard, "refractive index of the standard"},
                  {r.rayleighStandardPerCm, "Rayleigh ratio"},
                  {r.dndcCm3PerG, "dn/dc"},
                  {r.viscosityMPas, "viscosity"},
                  {r.temperatureK, "temperature"}};
    for (const auto& o : others)
        if (!std::isfinite(o.value)) return CFormat("%s %g", o.name, double(o.value));
    return std::nullopt;
}

std::vector<RecordProblem> FindImpossibleRecords(std::string_view bytes, std::int64_t records) {
    std::vector<RecordProblem> found;
    ZebRecord record;  // the numbers are all that is checked
    for (std::int64_t n = 2; n <= records && static_cast<std::uint64_t>(n) * kRecordBytes <= bytes.size(); ++n) {
        DecodeRecordNumbers(recordAt(bytes, n), record);
        if (auto why = ImpossibleValue(record)) found.push_back({n, std::move(*why)});
    }
    return found;
}

} // namespace zeb
