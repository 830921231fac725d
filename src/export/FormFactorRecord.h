// Theoretical form factors in one of the twelve plot forms, and optionally the
// measured Pz of one row of an evaluated set, as a record (`zebstat-batch
// formfactor`, the Python module's formfactor()).
#pragma once

#include "export/Record.h"

#include <optional>
#include <string>
#include <vector>

namespace zeb {

class MeasurementSet;
class ScriptedPlatform;

struct FormFactorRequest {
    std::vector<int> models;           // 1..5 in the order given
    std::string userFile;              // the .FFU table of model 5
    int representation = 0;            // plot form 1..12
    double rgNm = 0.0;
    std::optional<double> mwGPerMol;
    std::optional<double> qMaxPerCm;   // the grid's end without data (default 5/Rg)
};

// The compared data: an evaluated set and its row (0: extrapolated to c = 0),
// with the Mw the plot window offers for that row.
struct FormFactorData {
    const MeasurementSet* set = nullptr;
    int row = -1;
    double mwOfRow = 0.0;
};

// The record of the curves (and the measured points of data.row): the q grid
// ends at the set's largest q² (without data at qMaxPerCm). The messages are
// told to the platform and the record ends with all it has kept. Nothing when
// the user table cannot be read (the platform has been told why).
std::optional<Record> FormFactorRecord(const FormFactorRequest& request, const FormFactorData& data,
                                       ScriptedPlatform& platform);

} // namespace zeb
