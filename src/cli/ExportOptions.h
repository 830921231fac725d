// The export options of `zebstat-batch eval`: the chosen concentrations
// (--choose "1 3") and the ASCII, scattering-ratio and PLX files the plot
// window's "&Edit" menu writes. Parsed beside the other eval options; applied
// after the analysis and chart options, so that the exports see the window as
// the options left it (the plot type decides the y of the ASCII export).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zeb {
class EvaluationView;
class Platform;
}

namespace zeb::cli {

struct ExportOptions {
    bool choose = false;           // --choose given
    std::vector<int> chosen;       // its numbers in the order typed (0: the group at c = 0)
    std::string ascFile;           // --export-asc OUT: ASCII data of the chosen concentrations
    std::string ratFile;           // --export-rat OUT: scattering ratio of the chosen concentrations
    std::string plxFile;           // --export-plx OUT.plx: PLX file of the whole window
};

// Takes the option at args[i] (and its value, advancing i); false when args[i]
// is not an export option. Throws UsageError for a missing or bad value:
// --choose takes concentration numbers separated by blanks, the PLX file name
// must end in .plx.
bool ParseExportOption(const std::vector<std::string>& args, std::size_t& i, ExportOptions& options);

// Throws UsageError when an export of chosen concentrations is asked for
// without --choose.
void CheckExportOptions(const ExportOptions& options);

// Makes the --choose numbers the chosen concentrations (marking their points as
// a choice in the chart does). Throws UsageError for a number that is no
// concentration of the evaluation.
void ApplyChosenConcentrations(EvaluationView& view, const ExportOptions& options);

// Writes the files asked for. Returns 0, or 1 when a file was not written (a
// line on stderr, or the window's message, says why); the others are still tried.
int WriteExports(const EvaluationView& view, Platform& platform, const ExportOptions& options);

} // namespace zeb::cli
