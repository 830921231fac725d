#include "ExampleData.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace zeb::examples {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kAvogadro = 6.022e23;

std::string format(const char* fmt, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

std::string formatInt(const char* fmt, int v) {
    char buf[128];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

std::string padded(const std::string& text, std::size_t width) {
    std::string s = text.substr(0, width);
    s.resize(width, ' ');
    return s;
}

void putFloat(std::array<std::uint8_t, 198>& b, std::size_t offset, float v) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &v, 4);
    for (int i = 0; i < 4; ++i) b[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void putText(std::array<std::uint8_t, 198>& b, std::size_t offset, const std::string& text) {
    const std::string s = padded(text, 25);
    for (std::size_t i = 0; i < 25; ++i) b[offset + i] = static_cast<std::uint8_t>(s[i]);
}

// Five values to a line, "%W.PE," and "%W.PE\r\n"; a last line that is not full keeps its comma.
std::string numberList(const std::vector<double>& values, const char* withComma, const char* atEnd) {
    std::string out;
    for (std::size_t i = 0; i < values.size(); ++i) out += format(i % 5 == 4 ? atEnd : withComma, values[i]);
    if (values.size() % 5 != 0) out += "\r\n";
    return out;
}

std::vector<double> range(double first, double last, double step) {
    std::vector<double> v;
    for (double x = first; x <= last + 1e-9; x += step) v.push_back(x);
    return v;
}

} // namespace

std::array<std::uint8_t, 198> RecordBytes(const RecordSpec& r) {
    auto b = r.base;
    putText(b, 0, r.sampleName);
    putText(b, 40, r.solventName);
    putText(b, 65, r.standardName);
    putFloat(b, 90, r.nStandard);
    putFloat(b, 94, r.nSolvent);
    putFloat(b, 102, r.rayleighStandardPerCm);
    putFloat(b, 106, r.dndcCm3PerG);
    putFloat(b, 110, r.wavelengthNm);
    putFloat(b, 114, r.viscosityMPas);
    putFloat(b, 118, r.concentrationGPerCm3);
    putFloat(b, 122, r.temperatureK);
    putFloat(b, 126, r.angleDeg);
    for (int k = 0; k < 3; ++k) {
        putFloat(b, 134 + 8 * k, r.dapp[k]);
        putFloat(b, 138 + 8 * k, r.dappError[k]);
    }
    putFloat(b, 182, r.kcr);
    putFloat(b, 186, r.kcrError);
    return b;
}

std::string RecordFileBytes(const std::vector<RecordSpec>& records, std::optional<std::int16_t> headerCount,
                            const std::string& magic) {
    std::string out(198, '\0');
    for (std::size_t i = 0; i < 4 && i < magic.size(); ++i) out[i] = magic[i];
    const auto count = static_cast<std::uint16_t>(headerCount ? *headerCount : static_cast<std::int16_t>(records.size() + 2));
    out[4] = static_cast<char>(count & 0xFF);
    out[5] = static_cast<char>(count >> 8);
    for (const auto& r : records) {
        const auto b = RecordBytes(r);
        out.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    return out;
}

PolymerModel PolystyreneLarge() {
    return {"PS 1.0e6 in toluene", "Toluene", 1.0e6, 40.0, 3.0e-4, 1.465e-7, 2.7e-12, 40.0,
            1.496, 0.110, 632.8, 298.15, 0.552, 1.36e-5, 1.496};
}

PolymerModel PolystyreneSmall() {
    return {"PS 4.0e5 in toluene", "Toluene", 4.0e5, 22.0, 4.5e-4, 0.0, 0.0, 0.0,
            1.496, 0.110, 632.8, 298.15, 0.552, 1.36e-5, 1.496};
}

double Debye(double x) {
    if (x < 1e-6) return 1.0 - x / 3.0;
    return 2.0 * (std::exp(-x) + x - 1.0) / (x * x);
}

double Q2PerCm2(const PolymerModel& m, double angleDeg) {
    const double q = 4.0 * kPi * m.nSolvent / (m.wavelengthNm * 1e-7) * std::sin(angleDeg * kPi / 360.0);
    return q * q;
}

double KcR(const PolymerModel& m, double q2, double c) {
    const double rgCm = m.rgNm * 1e-7;
    return 1.0 / (m.mwGPerMol * Debye(q2 * rgCm * rgCm)) + 2.0 * m.a2MolCm3PerG2 * c;
}

double DappCm2PerS(const PolymerModel& m, double q2, double c) {
    return m.dzCm2PerS * (1.0 + m.cCm2 * q2) * (1.0 + m.kdCm3PerG * c);
}

double ScatteringRatioPerCm(const PolymerModel& m, double kcr, double c) {
    const double lambdaCm = m.wavelengthNm * 1e-7;
    const double k = 4.0 * kPi * kPi * m.nSolvent * m.nSolvent * m.dndcCm3PerG * m.dndcCm3PerG /
                     (kAvogadro * std::pow(lambdaCm, 4));
    return k * c / kcr;
}

double Noise::uniform() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return (static_cast<double>(z >> 11) + 0.5) / 9007199254740992.0;  // (0, 1)
}

double Noise::normal() {
    if (haveSpare_) {
        haveSpare_ = false;
        return spare_;
    }
    const double u1 = uniform(), u2 = uniform();
    const double r = std::sqrt(-2.0 * std::log(u1));
    spare_ = r * std::sin(2.0 * kPi * u2);
    haveSpare_ = true;
    return r * std::cos(2.0 * kPi * u2);
}

std::vector<RecordSpec> ModelRecords(const PolymerModel& m, const std::vector<double>& concentrations,
                                     const std::vector<double>& angles, bool dynamic, std::uint64_t seed) {
    Noise noise(seed);
    std::vector<RecordSpec> out;
    for (double c : concentrations) {
        for (double angle : angles) {
            RecordSpec r;
            const char stamp[] = "12.11.98 10:15";  // the correlator's time stamp, not read
            std::memcpy(r.base.data() + 25, stamp, sizeof stamp - 1);
            r.sampleName = m.sample;
            r.solventName = m.solvent;
            r.standardName = m.solvent;
            r.nStandard = static_cast<float>(m.nStandard);
            r.nSolvent = static_cast<float>(m.nSolvent);
            r.rayleighStandardPerCm = static_cast<float>(m.rayleighStandardPerCm);
            r.dndcCm3PerG = static_cast<float>(m.dndcCm3PerG);
            r.wavelengthNm = static_cast<float>(m.wavelengthNm);
            r.viscosityMPas = static_cast<float>(m.viscosityMPas);
            r.concentrationGPerCm3 = static_cast<float>(c);
            r.temperatureK = static_cast<float>(m.temperatureK);
            r.angleDeg = static_cast<float>(angle);
            const double q2 = Q2PerCm2(m, angle);
            const double kcr = noise.perturb(KcR(m, q2, c), 0.003);
            r.kcr = static_cast<float>(kcr);
            r.kcrError = static_cast<float>(0.003 * kcr);
            if (dynamic) {
                for (int k = 0; k < 3; ++k) {
                    const double d = noise.perturb(DappCm2PerS(m, q2, c), 0.01);
                    r.dapp[k] = static_cast<float>(d);
                    r.dappError[k] = static_cast<float>(0.01 * d);
                }
            }
            out.push_back(r);
        }
    }
    return out;
}

std::string PltText(const PolymerModel& m, const std::vector<double>& concentrations,
                    const std::vector<double>& angles, std::uint64_t seed) {
    Noise noise(seed);
    std::vector<double> q2;
    for (double a : angles) q2.push_back(Q2PerCm2(m, a));
    std::string out = padded(m.sample, 40) + ", sample 40 characters\r\n";
    out += padded(m.solvent, 25) + ", solvent 25 characters\r\n";
    out += format("%.3f  , temperature in K\r\n", m.temperatureK);
    out += formatInt("%d  , No. of wavelength\r\n", 1);
    out += format(" %.3f  , wavelength in nm\r\n", m.wavelengthNm);
    out += formatInt("%d  , No. of q^2 values, q in 1/cm. Formatted with 5 values per line\r\n",
                     static_cast<int>(q2.size()));
    out += numberList(q2, "%12.5E,", "%12.5E\r\n");
    out += formatInt("%d  , No. of conc., conc in g/cm^3\r\n", static_cast<int>(concentrations.size()));
    out += numberList(concentrations, "%12.5E,", "%12.5E\r\n");
    out += "Each line contains: Kc/R,error,DappI,error,DappII,error,DappIII,error\r\n";
    out += "Order: q2 index is increased fast, conc index slowly\r\n";
    for (double c : concentrations) {
        for (double x : q2) {
            const double kcr = noise.perturb(KcR(m, x, c), 0.003);
            out += format("%12.5E,", kcr) + format("%12.5E,", 0.003 * kcr);
            out += format("%12.5E,", -1.0) + format("%12.5E,", 0.0) + format("%12.5E,", -1.0) +
                   format("%12.5E,", 0.0) + format("%12.5E,", -1.0) + format("%12.5E\r\n", 0.0);
        }
    }
    return out;
}

std::string PlxText(const PolymerModel& m, const std::vector<double>& concentrations,
                    const std::vector<double>& angles, const std::vector<std::string>& sources, std::uint64_t seed) {
    Noise noise(seed);
    std::vector<double> q2;
    for (double a : angles) q2.push_back(Q2PerCm2(m, a));
    std::string out = padded(m.sample, 40) + ", sample 40 characters\r\n";
    out += padded(m.solvent, 25) + ", solvent 25 characters\r\n";
    out += formatInt("%d  , No. of conc., conc in g/cm^3\r\n", static_cast<int>(concentrations.size()));
    for (std::size_t i = 0; i < concentrations.size(); ++i)
        out += format("%12.5lE from file: ", concentrations[i]) + sources[i] + "\r\n";
    out += "viscosity values, same number as concentration, viscosity in mPas(cP)\r\n";
    out += numberList(std::vector<double>(concentrations.size(), m.viscosityMPas), "%12.5E,", "%12.5E\r\n");
    out += "temperature values, same number as concentration, temperature in K\r\n";
    out += numberList(std::vector<double>(concentrations.size(), m.temperatureK), "%12.5E,", "%12.5E\r\n");
    out += formatInt("%d  , No. of q^2 values, q in 1/cm. Formatted with 5 values per line\r\n",
                     static_cast<int>(q2.size()));
    out += numberList(q2, "%15.8E,", "%15.8E\r\n");
    out += "Each line contains: Kc/R,error,DappI,error,DappII,error,DappIII,error,Rsampl,error\r\n";
    out += "Order: q2 index is increased fast, conc index slowly; Kc/R in mol/g; D in cm^2/s; Rsampl in 1/cm \r\n";
    for (double c : concentrations) {
        for (double x : q2) {
            const double kcr = noise.perturb(KcR(m, x, c), 0.003);
            std::string line = format("%12.5E,", kcr) + format("%12.5E,", 0.003 * kcr);
            for (int k = 0; k < 3; ++k) {
                const double d = noise.perturb(DappCm2PerS(m, x, c), 0.01);
                line += format("%12.5E,", d) + format("%12.5E,", 0.01 * d);
            }
            const double r = ScatteringRatioPerCm(m, kcr, c);
            line += format("%12.5E,", r) + format("%12.5E\r\n", 0.003 * r);
            out += line;
        }
    }
    return out;
}

std::string AscText(const PolymerModel& m, const std::vector<double>& concentrations,
                    const std::vector<double>& angles, std::uint64_t seed) {
    Noise noise(seed);
    std::string out = formatInt("%d", static_cast<int>(concentrations.size())) + "\t" +
                      formatInt("%d", static_cast<int>(angles.size()));
    for (double c : concentrations) {
        out += '\t';
        out += format("%.6E", c);
    }
    out += "\r\n";
    for (double a : angles) {
        const double q2 = Q2PerCm2(m, a);
        out += format("%.1f", a) + "\t" + format("%.6E", q2);
        for (double c : concentrations) {
            out += '\t';
            out += format("%.6E", noise.perturb(KcR(m, q2, c), 0.003));
        }
        out += "\r\n";
    }
    return out;
}

std::string FfuText(double rgNm, const std::vector<double>& qPerMicrometre) {
    std::string out = "/ User form factor: monodisperse coil (Debye function)\r\n";
    out += format("/ Rg = %.1f nm; columns: q in 1/um, Pz\r\n", rgNm);
    for (double q : qPerMicrometre) {
        const double u = q * 1e4 * rgNm * 1e-7;
        out += format("%.4f ", q) + format("%.8f\r\n", Debye(u * u));
    }
    return out;
}

std::string StandardFileText(const std::string& name, double refractiveIndex, double rayleighPerCm,
                             double wavelengthNm) {
    std::string out = name + "\r\n";
    out += format("Rayleigh ratio %.4E 1/cm", rayleighPerCm) + format(" at %.1f nm\r\n", wavelengthNm);
    out += format("%.4f\r\n", refractiveIndex);
    out += "Standard file of the light-scattering photometer\r\n";
    return out;
}

std::vector<std::string> ExampleFileNames() {
    return {"ps-toluene.sta", "ps-static.sta", "ps-tarn.plt", "ps-toluene.plx",
            "ps-small.asc",   "coil-40nm.ffu", "toluene.tol"};
}

std::string ExampleFile(const std::string& name) {
    const PolymerModel large = PolystyreneLarge();
    const PolymerModel small = PolystyreneSmall();
    if (name == "ps-toluene.sta") {
        const auto records = ModelRecords(large, {0.5e-3, 1.0e-3, 1.5e-3, 2.0e-3}, range(30, 150, 10), true, 1);
        return RecordFileBytes(records);
    }
    if (name == "ps-static.sta") {
        const auto records =
            ModelRecords(small, {1.0e-3, 2.0e-3, 3.0e-3, 4.0e-3, 5.0e-3}, range(30, 130, 10), false, 2);
        return RecordFileBytes(records);
    }
    if (name == "ps-tarn.plt") return PltText(large, {0.5e-3, 1.0e-3, 1.5e-3}, {30, 45, 60, 75, 90, 105, 120}, 3);
    if (name == "ps-toluene.plx")
        return PlxText(large, {0.5e-3, 1.0e-3, 1.5e-3}, range(30, 150, 15),
                       {"ps1e6-toluene-c1.sta", "ps1e6-toluene-c2.sta", "ps1e6-toluene-c3.sta"}, 4);
    if (name == "ps-small.asc") return AscText(small, {1.0e-3, 2.0e-3, 3.0e-3, 4.0e-3}, range(30, 120, 10), 5);
    if (name == "coil-40nm.ffu") return FfuText(40.0, range(1, 30, 1));
    if (name == "toluene.tol") return StandardFileText("Toluene", 1.496, 1.36e-5, 632.8);
    return {};
}

std::string MaximalRecordFile() {
    std::vector<double> conc, angles;
    for (int c = 1; c <= 99; ++c) conc.push_back(1e-5 * c);
    for (int a = 0; a < 135; ++a) angles.push_back(10.0 + a);
    return RecordFileBytes(ModelRecords(PolystyreneLarge(), conc, angles, true, 9), std::int16_t{-1});
}

bool WriteExamples(const std::string& dir) {
    for (const auto& name : ExampleFileNames()) {
        std::ofstream out(dir + "/" + name, std::ios::binary | std::ios::trunc);
        const std::string bytes = ExampleFile(name);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return false;
    }
    return true;
}

} // namespace zeb::examples
