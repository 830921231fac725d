// zebstat-batch formfactor: theoretical form factors in one of the twelve plot
// forms, and optionally the measured Pz of one concentration of a file, as JSON.
#pragma once

#include "cli/AnalysisOptions.h"

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
    // With --data: how the file is evaluated before its points are compared
    // (--plot zimm|berry|guinier, --q-order, --c-order, --smooth, --weight, --k, --deactivate).
    AnalysisOptions analysis;
    bool analysisGiven = false;
};

// Parses the arguments; throws UsageError.
FormFactorRequest ParseFormFactorArgs(const std::vector<std::string>& args);

// The JSON object for the request. With a set, the q grid ends at its largest q²
// and the measured points of row `conc` are included (Mw from the request, else
// mwFromSet). Reports a user file that cannot be read through the platform and
// returns an empty string.
std::string FormFactorJson(const FormFactorRequest& request, const MeasurementSet* set, double mwFromSet,
                           ScriptedPlatform& platform);

// What the formfactor command prints: with --data the file loaded and evaluated
// first. An empty text when the file or the user form factor could not be read
// (the platform holds the message); throws UsageError as the command does.
std::string FormFactorOutput(const FormFactorRequest& request, ScriptedPlatform& platform);

} // namespace zeb::cli

namespace zeb {
class TFitF1;
}

namespace zeb::cli {

// The Mw the plot window offers for the compared row of an evaluated window:
// Mw(app) of concentration `conc` when its q² fit was made, Mw(q²) of the last
// calculation for conc 0 when both orders are chosen; 0 when there is none.
double MwOfRow(const TFitF1& window, int conc);

} // namespace zeb::cli
