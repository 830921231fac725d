// zebstat-batch formfactor: theoretical form factors in one of the twelve plot
// forms, and optionally the measured Pz of one concentration of a file, as JSON.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zeb {
class MeasurementSet;
class ScriptedPlatform;
}

namespace zeb::cli {

struct FormFactorRequest {
    std::vector<int> models;                // 1..5 in the order given
    std::string userFile;                   // the .FFU file of model 5
    int representation = 0;                 // 1..12
    double rgNm = 0.0;
    std::optional<double> mwGPerMol;
    std::optional<std::string> dataFile;    // --data FILE
    int conc = -1;                          // --conc I (0 = extrapolated to c = 0)
    std::optional<double> qMaxPerCm;        // --q-max: the grid's end without data (default 5/Rg)
};

// Parses the arguments; throws UsageError.
FormFactorRequest ParseFormFactorArgs(const std::vector<std::string>& args);

// The JSON object for the request. With a set, the q grid ends at its largest q²
// and the measured points of row `conc` are included (Mw from the request, else
// mwFromSet). Reports a user file that cannot be read through the platform and
// returns an empty string.
std::string FormFactorJson(const FormFactorRequest& request, const MeasurementSet* set, double mwFromSet,
                           ScriptedPlatform& platform);

} // namespace zeb::cli
