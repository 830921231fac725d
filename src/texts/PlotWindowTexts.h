// Texts of the plot window: its menus, their status-bar hints and the controls
// at the left of the chart.
#pragma once

namespace zeb::tx {

struct MenuText {
    const char* name;     // the item's name (the Qt action's object name)
    const char* caption;
    const char* shortcut; // "" for none
    const char* hint;     // status-bar hint
};

inline constexpr const char* MenuOpenEvaluation = "Open evaluation...";
inline constexpr const char* MenuOpenEvaluationHint = "Open a saved evaluation in a new window: its files, with its settings";
inline constexpr const char* MenuSaveEvaluation = "Save evaluation...";
inline constexpr const char* MenuSaveEvaluationHint = "Save the files and settings of this evaluation (.zeb), to open it again";

// "&File"
inline constexpr MenuText FileItems[] = {
    {"loadNewFile", "&Load new file... ", "Ctrl+L", "Open an existing file"},
    {"addDataFile", "&Add data file...", "Ctrl+A", "Add the data of a further file to this window"},
    {nullptr, nullptr, nullptr, nullptr},
    {"openEvaluation", MenuOpenEvaluation, "", MenuOpenEvaluationHint},
    {"saveEvaluation", MenuSaveEvaluation, "", MenuSaveEvaluationHint},
    {"savePlotAs", "Save plot as...", "", "Save plot as WMF-file (Windows-Meta-File), or as SVG, PNG or PDF"},
    {nullptr, nullptr, nullptr, nullptr},
    {"printerSetup", "Printer Setup...", "Ctrl+E", "Choosing and setup of the printer"},
    {"print", "&Print...", "Ctrl+P", "Print plot"},
    {nullptr, nullptr, nullptr, nullptr},
    {"exitWindow", "E&xit ", "Alt+F4", "Close this window"},
};

// Under the result fields while points were switched on or off since the last calculation.
inline constexpr const char* ResultsOutOfDate = "Calculate (Ctrl+N) to update";

// "&Edit". Ctrl+Z belongs to "De-/Activate data"; the Zimm item of the plot-type
// menu keeps its caption without the shortcut.
inline constexpr MenuText EditItems[] = {
    {"copyPlot", "&Copy plot to clipboard (WMF)", "", "Copy plot to Clipboard, WMF-format"},
    {"savePlot", "&Save plot as WMF-file...", "", "Save plot as WMF-file (Windows-Meta-File), or as SVG, PNG or PDF"},
    {nullptr, nullptr, nullptr, nullptr},
    {"copyDataToClipboard", "Export data to clipboard", "Ctrl+C",
     "Export of the binary data of the concentrations choosen to clipboard"},
    {"pasteFromClipboard", "Paste data from clipboard", "Ctrl+V", "Import of binary data from clipboard"},
    {nullptr, nullptr, nullptr, nullptr},
    {"ExportASCII2ClipB", "Export ASCII data to clipboard", "",
     "Export of the ASCII-data of the concentrations choosen to clipboard"},
    {"asciiToFile", "Export ASCII data to file...", "",
     "Export of the ASCII-data of the concentrations choosen to file"},
    {nullptr, nullptr, nullptr, nullptr},
    {"ratioToClipboard", "Scattering Ratio to clipboard", "",
     "Export of the Scattering Ratio vs q for the concentrations choosen to clipboard (ASCII-data)"},
    {"ratioToFile", "Scattering Ratio to file...", "",
     "Export of the Scattering Ratio vs q for the concentrations choosen to file (ASCII-data)"},
    {nullptr, nullptr, nullptr, nullptr},
    {"createPlxFile", "Create PLX file...", "", "Export of the data of active window in ASCII file with format similar to .PLT"},
    {nullptr, nullptr, nullptr, nullptr},
    {"toggleChosenPoints", "De-/Activate data", "Ctrl+Z", "De-/Activate all points of the chosen data records"},
    {nullptr, nullptr, nullptr, nullptr},
    {"activateAllPoints", "Activate &all points", "", "Activate all data points"},
    {"deactivateAllPoints", "Deactivate all poi&nts", "", "Deactivate all data points"},
    {"pointSelectionMode", "Point-select-mode", "", "Select points with the arrow keys, toggle with Enter or Space"},
};

// The items of the plot-type, q²-Dep., c-Dep., Calculation and form-factor
// menus: caption, shortcut ("" for none) and status-bar hint. The plot window's
// menu table gives each its name and command.
struct ItemText {
    const char* caption;
    const char* shortcut;
    const char* hint;
};

// "&Plot-Type" ("&Zimm" has no shortcut: Ctrl+Z belongs to "De-/Activate data")
inline constexpr ItemText ItemZimm{"&Zimm", "", "Zimm plot: Kc/R over q² + kc"};
inline constexpr ItemText ItemBerry{"&Berry", "Ctrl+B", "Berry plot: sqrt(Kc/R) over q² + kc"};
inline constexpr ItemText ItemGuinier{"&Guinier", "Ctrl+G", "Guinier plot: ln(Kc/R) over q² + kc"};
inline constexpr ItemText ItemDI{"&D-I", "", "Dynamic light scattering: Dapp I over q² + kc"};
inline constexpr ItemText ItemDII{"D&-II", "", "Dynamic light scattering: Dapp II over q² + kc"};
inline constexpr ItemText ItemDIII{"D-&III", "", "Dynamic light scattering: Dapp III over q² + kc"};

// "&q²-Dep."
inline constexpr ItemText ItemQNone{"&no", "Ctrl+0", "No q²-dependence"};
inline constexpr ItemText ItemQ1{"&1", "Ctrl+1", "q²-dependence linear regression"};
inline constexpr ItemText ItemQ2{"&2", "Ctrl+2", "q²-dependence regression of 2nd order"};
inline constexpr ItemText ItemQ3{"&3", "Ctrl+3", "q²-dependence regression of 3rd order"};
inline constexpr ItemText ItemQ4{"&4", "Ctrl+4", "q²-dependence regression of 4th order"};
inline constexpr ItemText ItemQ5{"&5", "Ctrl+5", "q²-dependence regression of 5th order"};
inline constexpr ItemText ItemSmooth{"&smooth", "Ctrl+S", "The plot is smoothed (see help - F1)"};

// "&c-Dep."
inline constexpr ItemText ItemCNone{"&no", "Ctrl+F6", "No c-dependence"};
inline constexpr ItemText ItemC1{"&1", "Ctrl+F1", "c-dependence polynom of 1st degree"};
inline constexpr ItemText ItemC2{"&2", "Ctrl+F2", "c-dependence polynom of 2nd degree"};
inline constexpr ItemText ItemC3{"&3", "Ctrl+F3", "c-dependence polynom of 3rd degree"};
inline constexpr ItemText ItemC4{"&4", "Ctrl+F4", "c-dependence polynom of 4th degree"};
inline constexpr ItemText ItemC5{"&5", "Ctrl+F5", "c-dependence polynom of 5th degree"};

// "C&alculation"
inline constexpr ItemText ItemCalculate{"&Calculate", "Ctrl+N", "Calculate the fit (q² and c dependence)"};
inline constexpr ItemText ItemResults{"&Results", "Ctrl+R", "Show the results of the calculation"};
inline constexpr ItemText ItemResiduals{"Re&siduals of the fits...", "",
                                "Show the residuals of the fits over q² per concentration as a chart"};
inline constexpr ItemText ItemCopyResults{"C&opy results", "", ""};
inline constexpr ItemText ItemCorrectReflection{"C&orrection for Reflection", "",
                                        "Correct the static data for light reflected at the cuvette wall"};

// "For&m-Factor:Pz": the models, then the plot forms
inline constexpr ItemText ItemCoilMd{"Coil, mono disperse", "", "Form factor of a monodisperse coil"};
inline constexpr ItemText ItemCoilPd{"Coil, poly disperse, Mw/Mn = 2", "", "Form factor of a polydisperse coil"};
inline constexpr ItemText ItemThinRod{"Thin rod", "", "Form factor of a thin rod"};
inline constexpr ItemText ItemHardSphere{"Hard sphere", "", "Form factor of a hard sphere"};
inline constexpr ItemText ItemFFUser{"User defined", "", "Form factor from a file of q, Pz pairs"};
inline constexpr ItemText ItemPzQ{"Plot Pz(u) vs q", "", ""};
inline constexpr ItemText Item1dPzQ2{"Plot 1/Pz(u) vs q²", "", ""};
inline constexpr ItemText ItemW1dPzQ2{"Plot sqrt(1/Pz(u)) vs q²", "", ""};
inline constexpr ItemText ItemLnPzQ2{"Plot -ln(Pz(u)) vs q²", "", ""};
inline constexpr ItemText ItemPzQ2Q{"Plot Pz(u)*q² vs q (Kratky)", "", ""};
inline constexpr ItemText ItemPzQQ{"Plot Pz(u)*q vs q (Holtzer)", "", ""};
inline constexpr ItemText ItemPzU{"Plot Pz(u) vs u", "", ""};
inline constexpr ItemText Item1dPzU2{"Plot 1/Pz(u) vs u²", "", ""};
inline constexpr ItemText ItemW1dPzU2{"Plot sqrt(1/Pz(u)) vs u²", "", ""};
inline constexpr ItemText ItemLnPzU2{"Plot -ln(Pz(u)) vs u²", "", ""};
inline constexpr ItemText ItemPzU2U{"Plot Pz(u)*u² vs u (Kratky)", "", ""};
inline constexpr ItemText ItemPzUU{"Plot Pz(u)*u vs u (Holtzer)", "", ""};
inline constexpr ItemText ItemFitFormFactors{"&Fit form factors...", "",
                                     "Fit the models to the points extrapolated to c = 0: Mw and Rg of each"};

inline constexpr const char* MenuEdit = "&Edit";
inline constexpr const char* MenuPlotType = "&Plot-Type";
inline constexpr const char* MenuQDep = "&q²-Dep.";
inline constexpr const char* MenuCDep = "&c-Dep.";
inline constexpr const char* MenuPlotOptions = "Plot-&Options";
inline constexpr const char* MenuCalculation = "C&alculation";
inline constexpr const char* MenuFormFactor = "For&m-Factor:Pz";

// The residual chart and the form-factor fits of the window: their windows,
// and why the window cannot show them now.
inline constexpr const char* CapResidualChart = "ZEB-Stat: Residuals of the Fits";
inline constexpr const char* CapFormFactorFits = "ZEB-Stat: Form-Factor Fits";
inline constexpr const char* ResidualsNeedQFit =
    "The residual chart shows the fits over q². Choose an order in the q²-Dep. menu first.";
inline constexpr const char* ResidualsNone =
    "No concentration has a fit over q² of this order: there are no residuals to show.";
inline constexpr const char* FormFactorFitsNeedCFit =
    "The form factors are fitted to the points extrapolated to c = 0. Choose an order in the c-Dep. menu first.";
inline constexpr const char* FormFactorFitsNeedStatic =
    "The form factors are fitted to Kc/R: choose a static plot type (Zimm, Berry or Guinier) first.";
inline constexpr const char* PointsChangedSinceCalculation =
    "Points were switched on or off since the last calculation. Calculate (Ctrl+N) first.";
inline constexpr const char* EvaluationNotRepeated = "The evaluation could not be repeated: %s";

// The controls at the left of the chart.
inline constexpr const char* LabelK = "&k:";
inline constexpr const char* ButtonKSmaller = "&<<";
inline constexpr const char* ButtonKLarger = "&>>";

} // namespace zeb::tx
