// Texts of the form-factor view: models, plot forms, the user form factor file
// and the labels of the curves.
#pragma once

namespace zeb::tx {

inline constexpr const char* FormFactorMenu = "For&m-Factor:Pz";
inline constexpr const char* ModelCoilMono = "Coil, mono disperse";
inline constexpr const char* ModelCoilPoly = "Coil, poly disperse, Mw/Mn = 2";
inline constexpr const char* ModelThinRod = "Thin rod";
inline constexpr const char* ModelHardSphere = "Hard sphere";
inline constexpr const char* ModelUser = "User defined";

inline constexpr const char* PlotForm1 = "Plot 1/Pz(u) vs q²";
inline constexpr const char* PlotForm2 = "Plot sqrt(1/Pz(u)) vs q²";
inline constexpr const char* PlotForm3 = "Plot -ln(Pz(u)) vs q²";
inline constexpr const char* PlotForm4 = "Plot Pz(u)*q² vs q (Kratky)";
inline constexpr const char* PlotForm5 = "Plot Pz(u)*q vs q (Holtzer)";
inline constexpr const char* PlotForm6 = "Plot 1/Pz(u) vs u²";
inline constexpr const char* PlotForm7 = "Plot sqrt(1/Pz(u)) vs u²";
inline constexpr const char* PlotForm8 = "Plot -ln(Pz(u)) vs u²";
inline constexpr const char* PlotForm9 = "Plot Pz(u)*u² vs u (Kratky)";
inline constexpr const char* PlotForm10 = "Plot Pz(u)*u vs u (Holtzer)";
inline constexpr const char* PlotForm11 = "Plot Pz(u) vs q";
inline constexpr const char* PlotForm12 = "Plot Pz(u) vs u";

inline constexpr const char* FormFactorUndefPlot = "FormFactor: Undef. Plot";

// The fields of the parameter dialog (Rg and Mw of the curves) and what OK says of them.
inline constexpr const char* FormFactorParametersNumberPattern = "0.000E-0";
inline constexpr const char* InvalidNumber = "Invalid Number !";

// The user form factor.
inline constexpr const char* UseLoadedUserFormFactor = "Use user defined form factor already loaded ?";
inline constexpr const char* UserFormFactorNeedsFile =
    "This option requires loading a special file with q, Pz\n"
    "data pairs. Read Help for learning about creating a form factor file.";
inline constexpr const char* UserFormFactorFilter = "User form factor (*.FFU)|*.FFU|";
inline constexpr const char* FfuCannotOpen = "Could not open file with form factor data !";
inline constexpr const char* FfuInvalid = "Invalid file. Could not load !";
inline constexpr const char* FfuTooFewPairs = "Less than 4 data pairs !\nCould not load !";
inline constexpr const char* FfuInternalLoadError = "User form factor, internal load error !";
inline constexpr const char* FfuSplineSetup = "Could not setup spline function !";

// Labels of the curves and the data (decimal-format patterns).
inline constexpr const char* LabelPatternCoilMono = "Coil',' mono disperse',' Rg = .00 nm";
inline constexpr const char* LabelPatternCoilPoly = "Coil',' poly disperse',' Mw/Mn = 2',' Rg = .00 nm";
inline constexpr const char* LabelPatternThinRod = "Thin rod',' L = .00 nm";
inline constexpr const char* LabelPatternHardSphere = "Hard sphere',' Rs = .00 nm";
inline constexpr const char* LabelUserDefined = "User defined";
inline constexpr const char* LabelPatternConc = "c = .0000 g/dm³";
inline constexpr const char* LabelConcZero = "Conc. c -> 0";

} // namespace zeb::tx
