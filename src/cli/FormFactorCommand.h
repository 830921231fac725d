// zebstat-batch formfactor: theoretical form factors in one of the twelve plot
// forms, and optionally the measured Pz of one concentration of a file, as JSON.
#pragma once

#include "cli/AnalysisOptions.h"
#include "export/FormFactorRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace zeb {
class ScriptedPlatform;
}

namespace zeb::cli {

struct FormFactorArguments {
    FormFactorRequest request;              // --model, --representation, --rg, --mw, --q-max
    std::optional<std::string> dataFile;    // --data FILE
    int conc = -1;                          // --conc I (0 = extrapolated to c = 0)
    // With --data: how the file is evaluated before its points are compared
    // (--plot zimm|berry|guinier, --q-order, --c-order, --smooth, --weight, --k, --deactivate).
    AnalysisOptions analysis;
    bool analysisGiven = false;
};

// Parses the arguments; throws UsageError.
FormFactorArguments ParseFormFactorArgs(const std::vector<std::string>& args);

// What the formfactor command prints: with --data the file loaded and evaluated
// first, its Mw the one the plot window offers for the compared row. Nothing
// when the file or the user form factor could not be read (the platform holds
// the message); throws UsageError as the command does.
std::optional<Record> FormFactorOutput(const FormFactorArguments& arguments, ScriptedPlatform& platform);

} // namespace zeb::cli
