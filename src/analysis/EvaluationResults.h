// What one calculation derives from the fits: the per-concentration apparent
// values, the extrapolated values, the four labels, edit-field texts and result
// lines, the relative errors and the results text. A value that cannot be
// computed (its fit was refused or the arithmetic gave no finite number) is an
// empty optional.
#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace zeb {

// The value when it is a finite number, else nothing.
inline std::optional<double> Finite(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

// Positions of the four result fields, labels and lines.
enum ResultSlot : int { kSlotMwc = 0, kSlotMwq = 1, kSlotRg = 2, kSlotA2 = 3 };

struct ConcentrationValues {
    bool fitted = false;  // its q² fit was made (row 0: the c -> 0 line was fitted)
    // Static plot types.
    std::optional<double> mwApp;     // g/mol, rounded to 3 digits as printed
    std::optional<double> s2AppCm2;  // <S²>(app), may be negative
    std::optional<double> rgAppNm;   // only when <S²> >= 0
    // Dynamic plot types.
    std::optional<double> dzApp;     // µm²/s, rounded to 3 digits as printed
    std::optional<double> cs2AppUm2; // C<S²>(app)
    std::optional<double> rhNm;      // only with temperature and viscosity
};

// The results text in the pieces the results window and the printout show.
// The text is these pieces joined: first line, CR LF, second line, CR LF, each
// table line with CR LF, CR LF, closing text.
struct ResultsReportParts {
    std::string firstLine;                // the version line
    std::string secondLine;               // the plot's header with the orders (and " smoothed")
    std::vector<std::string> tableLines;  // the column header, then one line per row; fields TAB-separated
    std::string closingText;              // the result lines and the relative errors
};

struct EvaluationResults {
    int plotType = 1;
    // Static: Mw(c) and A2 from the q -> 0 line, Mw(q²) and <S²> (Rg) from the c -> 0 line.
    std::optional<double> mwC, mwQ2, s2Cm2, rgNm, a2;
    // Dynamic: Dz(c) and kD from the q -> 0 line, Dz(q²) and C<S²> from the c -> 0 line.
    std::optional<double> dzC, dzQ2, cs2Um2, kD;

    std::array<std::string, 4> labels;
    std::array<std::string, 4> fieldTexts{" ", " ", " ", " "};
    std::array<std::string, 4> lines;

    // Relative errors in percent (absolute values), present when printed.
    std::array<std::optional<double>, 4> relErrPercent;

    // Index 0 (the c -> 0 line) .. lastConcIndex.
    std::vector<ConcentrationValues> conc;

    ResultsReportParts report;
    std::string text;     // the results text (report joined)
    bool anyRow = false;  // at least one row was written
};

} // namespace zeb
