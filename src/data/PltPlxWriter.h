// The writer of PLT files (TARN layout, static data at one wavelength) and of
// the program's PLX files (all columns with source names, viscosities,
// temperatures, dynamic values and the excess scattering ratio).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zeb {

class MeasurementSet;
class Platform;
struct WriteResult;

enum class PltPlxMode { Plt, Plx };

struct PltPlxWriteRequest {
    PltPlxMode mode = PltPlxMode::Plx;
    // The columns base+1 .. lastConcIndex are written.
    int base = 0;
    // PLT header values.
    double temperatureK = 0.0;
    double wavelengthNm = 0.0;
    // Without a name a save dialog asks for one.
    std::optional<std::string> fileName;
    // The rows to write, in this order, with their q² (1/cm²); without a list
    // every row 1..lastAngleIndex with the set's q².
    std::optional<std::vector<int>> angleIndices;
    std::vector<double> q2PerCm2;
};

// Results of WritePltPlxFile.
inline constexpr int kWriteDone = 1;
inline constexpr int kWriteCancelled = 0;
inline constexpr int kWriteFailed = -1;  // refused name or failed write; the message has been shown

// Writes the file through a temporary file renamed into place: a failed write
// leaves an existing file as it was, and its message gives the file and the
// reason (also in *written when given).
int WritePltPlxFile(Platform& platform, const MeasurementSet& set, const PltPlxWriteRequest& request,
                    WriteResult* written = nullptr);

// The whole file as it would be written (the writer's bytes, for tests and the export).
std::string FormatPltPlxFile(const MeasurementSet& set, const PltPlxWriteRequest& request);

} // namespace zeb
