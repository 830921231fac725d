#include "export/ExchangeBlock.h"

#include "data/LittleEndian.h"
#include "data/MeasurementSet.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

namespace zeb {

namespace {

// The values of a record that the receiver uses: they must be numbers. The
// plotted (work) values are rebuilt by the receiver and the reserved ones are
// only carried along, so those are not judged.
bool MeasuredValuesFinite(const DataPoint& p) {
    const double values[] = {p.kcr,          p.q2,          p.kcrError,    p.dappI,      p.dappIError,
                             p.dappII,       p.dappIIError, p.dappIII,     p.dappIIIError, p.rSample,
                             p.rSampleError, p.nSolvent,    p.wavelengthCm};
    return std::all_of(std::begin(values), std::end(values), [](double v) { return std::isfinite(v); });
}

// The name as UTF-8: a byte that does not start a well-formed character
// becomes '?', so the text never grows and stays safe to show.
std::string SafeName(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t start = i;
        const char32_t cp = DecodeUtf8(bytes, i);
        const std::string_view taken = bytes.substr(start, i - start);
        const bool wellFormed = cp != U'\uFFFD' || taken == "\xEF\xBF\xBD";
        if (wellFormed) {
            out.append(taken);
        } else {
            out += '?';
            i = start + 1;
        }
    }
    return out;
}

std::optional<ExchangeBlock> Fail(ExchangeBlockError* why, ExchangeBlockError error) {
    if (why) *why = error;
    return std::nullopt;
}

} // namespace

std::vector<std::uint8_t> BuildExchangeBlock(const MeasurementSet& set, const std::vector<int>& concentrations) {
    const int n = std::max<int>(set.lastAngleIndex, 0);
    const int g = static_cast<int>(concentrations.size());
    std::vector<std::uint8_t> block(ExchangeBlockSize(n, g), 0);
    std::uint8_t* p = block.data();
    le::putI32(p, n);
    le::putI32(p + 4, g);
    p += 8;
    for (int a = 1; a <= n; ++a, p += 8) le::putF64(p, set.q2[static_cast<std::size_t>(a)]);
    for (int c : concentrations) {
        le::putF64(p, set.concentration[static_cast<std::size_t>(c)]);
        p += 8;
    }
    for (int c : concentrations) {
        le::putF32(p, set.viscosity[static_cast<std::size_t>(c)]);
        p += 4;
    }
    for (int c : concentrations) {
        le::putF32(p, set.temperature[static_cast<std::size_t>(c)]);
        p += 4;
    }
    const DataPoint empty{};
    for (int c : concentrations)
        for (int a = 1; a <= n; ++a, p += kDataPointBytes) {
            const DataPoint* cell = set.cell(c, a);
            const auto bytes = ToBytes(cell ? *cell : empty);
            std::memcpy(p, bytes.data(), kDataPointBytes);
        }
    for (int c : concentrations) {
        const std::string& name = set.sourceName[static_cast<std::size_t>(c)];
        // A name keeps at most 260 bytes; the rest of its field stays zero.
        std::memcpy(p, name.data(), std::min(name.size(), kExchangeNameField - 1));
        p += kExchangeNameField;
    }
    return block;
}

std::optional<ExchangeBlock> ParseExchangeBlock(std::span<const std::uint8_t> bytes, ExchangeBlockError* why) {
    if (why) *why = ExchangeBlockError::None;
    if (bytes.size() < 8) return Fail(why, ExchangeBlockError::TooShort);
    const std::int32_t n = le::getI32(bytes.data());
    const std::int32_t g = le::getI32(bytes.data() + 4);
    if (n < 1 || n > kExchangeMaxRows || g < 1 || g > kExchangeMaxConcentrations)
        return Fail(why, ExchangeBlockError::BadCounts);
    if (bytes.size() != ExchangeBlockSize(n, g)) return Fail(why, ExchangeBlockError::WrongSize);

    ExchangeBlock block;
    block.q2PerCm2.resize(static_cast<std::size_t>(n));
    block.concentrations.resize(static_cast<std::size_t>(g));
    const std::uint8_t* p = bytes.data() + 8;
    for (double& q2 : block.q2PerCm2) {
        q2 = le::getF64(p);
        p += 8;
        if (!std::isfinite(q2)) return Fail(why, ExchangeBlockError::NotANumber);
    }
    for (ExchangeConcentration& c : block.concentrations) {
        c.concentrationGPerCm3 = le::getF64(p);
        p += 8;
        if (!std::isfinite(c.concentrationGPerCm3)) return Fail(why, ExchangeBlockError::NotANumber);
    }
    for (ExchangeConcentration& c : block.concentrations) {
        c.viscosityMPas = le::getF32(p);
        p += 4;
        if (!std::isfinite(c.viscosityMPas)) return Fail(why, ExchangeBlockError::NotANumber);
    }
    for (ExchangeConcentration& c : block.concentrations) {
        c.temperatureK = le::getF32(p);
        p += 4;
        if (!std::isfinite(c.temperatureK)) return Fail(why, ExchangeBlockError::NotANumber);
    }
    for (ExchangeConcentration& c : block.concentrations) {
        c.rows.reserve(static_cast<std::size_t>(n));
        for (int a = 1; a <= n; ++a, p += kDataPointBytes) {
            c.rows.push_back(FromBytes(p));
            if (!MeasuredValuesFinite(c.rows.back())) return Fail(why, ExchangeBlockError::NotANumber);
        }
    }
    for (ExchangeConcentration& c : block.concentrations) {
        const auto* field = reinterpret_cast<const char*>(p);
        const void* zero = std::memchr(field, 0, kExchangeNameField);
        if (!zero) return Fail(why, ExchangeBlockError::UnterminatedName);
        c.sourceName = SafeName(std::string_view(field, static_cast<std::size_t>(static_cast<const char*>(zero) - field)));
        p += kExchangeNameField;
    }
    return block;
}

} // namespace zeb
