// Example and test data written from the documented file layouts alone (it
// shares no code with the readers): ZEB-7100 record files, TARN PLT files,
// PLX files, number tables, user form-factor tables and standard files, with
// values from a documented polymer model and reproducible noise.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zeb::examples {

// One data record of a record file, values as the file holds them.
struct RecordSpec {
    std::array<std::uint8_t, 198> base{};  // bytes of the fields the reader does not interpret
    std::string sampleName;                // code page 850 bytes, blank padded to 25
    std::string solventName;
    std::string standardName;
    float nStandard = 1.496f;
    float nSolvent = 1.496f;
    float rayleighStandardPerCm = 1.36e-5f;
    float dndcCm3PerG = 0.110f;
    float wavelengthNm = 632.8f;
    float viscosityMPas = 0.552f;
    float concentrationGPerCm3 = 0.001f;
    float temperatureK = 298.15f;
    float angleDeg = 90.0f;
    float dapp[3] = {0, 0, 0};
    float dappError[3] = {0, 0, 0};
    float kcr = 0;
    float kcrError = 0;
};

// A whole record file: the header record (4 magic bytes, then the count,
// records + 1 unless given) and the data records.
std::string RecordFileBytes(const std::vector<RecordSpec>& records, std::optional<std::int16_t> headerCount = {},
                            const std::string& magic = "ZSTA");
std::array<std::uint8_t, 198> RecordBytes(const RecordSpec& record);

// A dilute polymer solution in the Zimm approximation:
//   Kc/R = 1 / (Mw P(q² Rg²)) + 2 A2 c   with the Debye function P(x) = 2 (e^-x + x - 1) / x²,
//   Dapp = Dz (1 + C q²) (1 + kD c),
//   q = 4 pi n / lambda sin(theta / 2),  R = K c / (Kc/R),  K = 4 pi² n² (dn/dc)² / (N_A lambda⁴), N_A = 6.022e23.
struct PolymerModel {
    std::string sample;
    std::string solvent;
    double mwGPerMol;
    double rgNm;
    double a2MolCm3PerG2;
    double dzCm2PerS;
    double cCm2;
    double kdCm3PerG;
    double nSolvent;
    double dndcCm3PerG;
    double wavelengthNm;
    double temperatureK;
    double viscosityMPas;
    double rayleighStandardPerCm;
    double nStandard;
};

// Polystyrene in toluene, 632.8 nm: Mw 1.0e6 g/mol, Rg 40 nm, A2 3.0e-4, Dz 1.465e-7 cm²/s.
PolymerModel PolystyreneLarge();
// Polystyrene in toluene, 632.8 nm: Mw 4.0e5 g/mol, Rg 22 nm, A2 4.5e-4 (static only).
PolymerModel PolystyreneSmall();

double Q2PerCm2(const PolymerModel& m, double angleDeg);
double KcR(const PolymerModel& m, double q2PerCm2, double cGPerCm3);
double DappCm2PerS(const PolymerModel& m, double q2PerCm2, double cGPerCm3);
double ScatteringRatioPerCm(const PolymerModel& m, double kcr, double cGPerCm3);
double Debye(double x);

// Reproducible normal noise (splitmix64 and Box-Muller), the same on every machine.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : state_(seed) {}
    double normal();
    // value × (1 + relative × normal())
    double perturb(double value, double relative) { return value * (1.0 + relative * normal()); }

private:
    double uniform();
    std::uint64_t state_;
    bool haveSpare_ = false;
    double spare_ = 0;
};

// Records of a model: for each concentration (g/cm³) every angle (degrees);
// dynamic = with the three apparent diffusion coefficients.
std::vector<RecordSpec> ModelRecords(const PolymerModel& m, const std::vector<double>& concentrations,
                                     const std::vector<double>& angles, bool dynamic, std::uint64_t seed);

// Text files, lines ended by CR LF.
std::string PltText(const PolymerModel& m, const std::vector<double>& concentrations,
                    const std::vector<double>& angles, std::uint64_t seed);
std::string PlxText(const PolymerModel& m, const std::vector<double>& concentrations,
                    const std::vector<double>& angles, const std::vector<std::string>& sources, std::uint64_t seed);
std::string AscText(const PolymerModel& m, const std::vector<double>& concentrations,
                    const std::vector<double>& angles, std::uint64_t seed);
// Pz of a monodisperse coil (Debye function) over q in 1/µm.
std::string FfuText(double rgNm, const std::vector<double>& qPerMicrometre);
std::string StandardFileText(const std::string& name, double refractiveIndex, double rayleighPerCm,
                             double wavelengthNm);

// Writes every example file into dir; false when a file cannot be written.
bool WriteExamples(const std::string& dir);
// The names of the example files WriteExamples writes.
std::vector<std::string> ExampleFileNames();
// The contents of one example file.
std::string ExampleFile(const std::string& name);

// The largest record file a window loads: 99 concentrations (1e-5 .. 9.9e-4
// g/cm³) × 135 angles (10° .. 144°) of the large polystyrene, static and
// dynamic values, 13,365 data records (2.6 MB). The benchmarks of reading and
// of the whole process use it.
std::string MaximalRecordFile();

} // namespace zeb::examples
