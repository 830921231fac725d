// The choices an evaluation is made with: the plot type of the measurement
// plot, the orders of the q² and c fits, smoothing and weighting. Files and the
// numerical kernels carry them as numbers (plot type 1..6, order 0..5, 1 = off
// and 2 = on); the conversions below are the only place those numbers are read.
#pragma once

#include <optional>

namespace zeb {

enum class PlotType : int {
    Zimm = 1,     // Kc/R over q² + k c
    Berry = 2,    // sqrt(Kc/R)
    Guinier = 3,  // ln(Kc/R)
    DI = 4,       // Dapp I
    DII = 5,      // Dapp II
    DIII = 6,     // Dapp III
};
inline constexpr int kPlotTypeCount = 6;

// The numbers of the plot types as the kernels and the files know them.
inline constexpr int kPlotZimm = static_cast<int>(PlotType::Zimm);
inline constexpr int kPlotBerry = static_cast<int>(PlotType::Berry);
inline constexpr int kPlotGuinier = static_cast<int>(PlotType::Guinier);
inline constexpr int kPlotDI = static_cast<int>(PlotType::DI);
inline constexpr int kPlotDII = static_cast<int>(PlotType::DII);
inline constexpr int kPlotDIII = static_cast<int>(PlotType::DIII);

constexpr int PlotTypeNumber(PlotType t) { return static_cast<int>(t); }
constexpr std::optional<PlotType> PlotTypeFromNumber(int n) {
    if (n < kPlotZimm || n > kPlotDIII) return std::nullopt;
    return static_cast<PlotType>(n);
}

inline bool IsStaticPlot(int plotType) { return plotType >= kPlotZimm && plotType <= kPlotGuinier; }
inline bool IsDynamicPlot(int plotType) { return plotType >= kPlotDI && plotType <= kPlotDIII; }
constexpr bool IsStaticPlot(PlotType t) { return t == PlotType::Zimm || t == PlotType::Berry || t == PlotType::Guinier; }
constexpr bool IsDynamicPlot(PlotType t) { return !IsStaticPlot(t); }

// The order of a polynomial fit over q² or over c; None makes no fit.
enum class FitOrder : int { None = 0, One = 1, Two = 2, Three = 3, Four = 4, Five = 5 };
inline constexpr int kFitOrderCount = 6;

constexpr int OrderNumber(FitOrder o) { return static_cast<int>(o); }
constexpr std::optional<FitOrder> FitOrderFromNumber(int n) {
    if (n < 0 || n > 5) return std::nullopt;
    return static_cast<FitOrder>(n);
}

enum class Smoothing { Off, On };
enum class Weighting { Off, On };  // On: each point weighted by 1/sigma²

inline constexpr int kSmoothingOff = 1;
inline constexpr int kSmoothingOn = 2;

// The settings file, the options dialog and saved evaluations store 1 (off) and 2 (on).
constexpr int SmoothingCode(Smoothing s) { return s == Smoothing::On ? kSmoothingOn : kSmoothingOff; }
constexpr Smoothing SmoothingFromCode(int code) { return code == kSmoothingOn ? Smoothing::On : Smoothing::Off; }
constexpr int WeightingCode(Weighting w) { return w == Weighting::On ? 2 : 1; }
constexpr Weighting WeightingFromCode(int code) { return code == 2 ? Weighting::On : Weighting::Off; }

} // namespace zeb
