#include "data/RecordFileCheck.h"

#include "data/CFormat.h"
#include "data/LittleEndian.h"
#include "data/PlausibleRanges.h"

#include <cmath>
#include <cstring>

namespace zeb {

namespace {

struct Field {
    std::size_t offset;
    const char* name;
};

constexpr Field kNameFields[] = {
    {rec::kSampleName, "sample name"}, {rec::kSolventName, "solvent name"}, {rec::kStandardName, "standard name"}};

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
    }
    return std::nullopt;
}

std::optional<std::string> ImpossibleValue(const ZebRecord& r) {
    const double angle = r.angleDeg;
    const double theta = std::floor(angle * 10.0 + 0.5) * 0.1;  // the angle the reader uses
    if (!Plausible(Quantity::Angle, theta)) return ValueText(Quantity::Angle, angle);
    const struct {
        Quantity quantity;
        float value;
    } parameters[] = {{Quantity::Wavelength, r.wavelengthNm},
                      {Quantity::NSolvent, r.nSolvent},
                      {Quantity::Concentration, r.concentrationGPerCm3},
                      {Quantity::NStandard, r.nStandard},
                      {Quantity::RayleighStandard, r.rayleighStandardPerCm},
                      {Quantity::Dndc, r.dndcCm3PerG},
                      {Quantity::Viscosity, r.viscosityMPas},
                      {Quantity::Temperature, r.temperatureK}};
    for (const auto& p : parameters)
        if (!Plausible(p.quantity, p.value)) return ValueText(p.quantity, p.value);
    // Measured values: one that is not above 0 is missing (the reader warns);
    // an error that is not a number is not given.
    if (r.kcr > 0.0f) {
        if (!Plausible(Quantity::Kcr, r.kcr)) return ValueText(Quantity::Kcr, r.kcr);
        if (std::isfinite(r.kcrError) && !PlausibleError(Quantity::Kcr, r.kcr, r.kcrError))
            return ValueText(Quantity::Kcr, r.kcrError, "error of Kc/R");
        // Kc/R holds (dn/dc)²: without dn/dc there is no Kc/R to measure.
        if (r.dndcCm3PerG == 0.0f)
            return ValueText(Quantity::Dndc, 0.0) + " with " + ValueText(Quantity::Kcr, r.kcr);
    }
    static constexpr const char* kDapp[3] = {"Dapp I", "Dapp II", "Dapp III"};
    static constexpr const char* kDappError[3] = {"error of Dapp I", "error of Dapp II", "error of Dapp III"};
    for (int i = 0; i < 3; ++i) {
        const float d = r.dapp[i], e = r.dappError[i];
        if (!(d > 0.0f)) continue;
        if (!Plausible(Quantity::Dapp, d)) return ValueText(Quantity::Dapp, d, kDapp[i]);
        if (std::isfinite(e) && !PlausibleError(Quantity::Dapp, d, e)) return ValueText(Quantity::Dapp, e, kDappError[i]);
    }
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
