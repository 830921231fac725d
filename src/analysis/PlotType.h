// The plot types of the measurement plot and the on/off codes of smoothing.
#pragma once

namespace zeb {

enum PlotType : int {
    kPlotZimm = 1,     // Kc/R over q² + k c
    kPlotBerry = 2,    // sqrt(Kc/R)
    kPlotGuinier = 3,  // ln(Kc/R)
    kPlotDI = 4,       // Dapp I
    kPlotDII = 5,      // Dapp II
    kPlotDIII = 6,     // Dapp III
};

inline bool IsStaticPlot(int plotType) { return plotType >= kPlotZimm && plotType <= kPlotGuinier; }
inline bool IsDynamicPlot(int plotType) { return plotType >= kPlotDI && plotType <= kPlotDIII; }

inline constexpr int kSmoothingOff = 1;
inline constexpr int kSmoothingOn = 2;

} // namespace zeb
