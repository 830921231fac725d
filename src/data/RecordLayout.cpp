#include "data/RecordLayout.h"

#include "data/LittleEndian.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace zeb {

namespace {

std::string nameAt(const std::uint8_t* bytes, std::size_t offset) {
    return std::string(reinterpret_cast<const char*>(bytes + offset), kRecordNameBytes);
}

void putName(std::uint8_t* bytes, std::size_t offset, const std::string& field) {
    for (std::size_t i = 0; i < kRecordNameBytes; ++i)
        bytes[offset + i] = i < field.size() ? static_cast<std::uint8_t>(field[i]) : std::uint8_t{' '};
}

} // namespace

void DecodeRecordNumbers(const std::uint8_t* b, ZebRecord& r) {
    r.nStandard = le::getF32(b + rec::kNStandard);
    r.nSolvent = le::getF32(b + rec::kNSolvent);
    r.rayleighStandardPerCm = le::getF32(b + rec::kRayleighStandard);
    r.dndcCm3PerG = le::getF32(b + rec::kDndc);
    r.wavelengthNm = le::getF32(b + rec::kWavelength);
    r.viscosityMPas = le::getF32(b + rec::kViscosity);
    r.concentrationGPerCm3 = le::getF32(b + rec::kConcentration);
    r.temperatureK = le::getF32(b + rec::kTemperature);
    r.angleDeg = le::getF32(b + rec::kAngle);
    for (int k = 0; k < 3; ++k) {
        r.dapp[k] = le::getF32(b + rec::kDapp + 8 * k);
        r.dappError[k] = le::getF32(b + rec::kDapp + 8 * k + 4);
    }
    r.kcr = le::getF32(b + rec::kKcr);
    r.kcrError = le::getF32(b + rec::kKcrError);
}

ZebRecord DecodeRecord(const std::uint8_t* b) {
    ZebRecord r;
    std::copy(b, b + kRecordBytes, r.bytes.begin());
    r.sampleName = nameAt(b, rec::kSampleName);
    r.solventName = nameAt(b, rec::kSolventName);
    r.standardName = nameAt(b, rec::kStandardName);
    DecodeRecordNumbers(b, r);
    return r;
}

std::array<std::uint8_t, kRecordBytes> EncodeRecord(const ZebRecord& r) {
    // Decoding keeps names and float bit patterns exactly, so a field that was
    // not changed is written back with the bytes it had.
    auto out = r.bytes;
    std::uint8_t* b = out.data();
    putName(b, rec::kSampleName, r.sampleName);
    putName(b, rec::kSolventName, r.solventName);
    putName(b, rec::kStandardName, r.standardName);
    le::putF32(b + rec::kNStandard, r.nStandard);
    le::putF32(b + rec::kNSolvent, r.nSolvent);
    le::putF32(b + rec::kRayleighStandard, r.rayleighStandardPerCm);
    le::putF32(b + rec::kDndc, r.dndcCm3PerG);
    le::putF32(b + rec::kWavelength, r.wavelengthNm);
    le::putF32(b + rec::kViscosity, r.viscosityMPas);
    le::putF32(b + rec::kConcentration, r.concentrationGPerCm3);
    le::putF32(b + rec::kTemperature, r.temperatureK);
    le::putF32(b + rec::kAngle, r.angleDeg);
    for (int k = 0; k < 3; ++k) {
        le::putF32(b + rec::kDapp + 8 * k, r.dapp[k]);
        le::putF32(b + rec::kDapp + 8 * k + 4, r.dappError[k]);
    }
    le::putF32(b + rec::kKcr, r.kcr);
    le::putF32(b + rec::kKcrError, r.kcrError);
    return out;
}

RecordParameters ParametersOf(const ZebRecord& r) {
    return {r.concentrationGPerCm3, r.dndcCm3PerG, r.wavelengthNm, r.nSolvent,
            r.nStandard, r.rayleighStandardPerCm, r.viscosityMPas};
}

void SetParameters(ZebRecord& r, const RecordParameters& p) {
    r.concentrationGPerCm3 = p.concentrationGPerCm3;
    r.dndcCm3PerG = p.dndcCm3PerG;
    r.wavelengthNm = p.wavelengthNm;
    r.nSolvent = p.nSolvent;
    r.nStandard = p.nStandard;
    r.rayleighStandardPerCm = p.rayleighStandardPerCm;
    r.viscosityMPas = p.viscosityMPas;
}

std::string RecordNameText(const std::string& field, std::size_t maxChars) {
    std::string s = field.substr(0, std::min(field.find('\0'), maxChars));
    std::size_t len = s.size();
    while (len > 1 && s[len - 1] == ' ') --len;
    s.resize(len);
    return Cp850ToUtf8(s);
}

std::string RecordNameField(const std::string& utf8, std::size_t maxChars) {
    std::string s = Utf8ToCp850(utf8).substr(0, std::min(maxChars, kRecordNameBytes));
    s.resize(kRecordNameBytes, ' ');
    return s;
}

} // namespace zeb
