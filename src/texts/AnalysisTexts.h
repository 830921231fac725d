// Texts of the numerical kernels and the calculation.
#pragma once

namespace zeb::tx {

inline constexpr const char* NegativeCovariance = "covar[i][i])<0";
inline constexpr const char* BadListPermutation1 = "Bad lista permutation in lfit-1";
inline constexpr const char* BadListPermutation2 = "Bad lista permutation in lfit-2";
inline constexpr const char* GaussjMNotOne = "Schwerer Fehler in ZEBstat utils gaussj() m!=1";
inline constexpr const char* GaussjSingular1 = "Schwerer Fehler in ZEBstat mrqmin,\r\n GAUSSJ: Singular Matrix - 1";
inline constexpr const char* GaussjSingular2 = "Schwerer Fehler in ZEBstat mrqmin,\r\n GAUSSJ: Singular Matrix - 2";
inline constexpr const char* NotEnoughMemoryForFitting = "Not enough memory for fitting !";
inline constexpr const char* SplineNoMemory = "Could not allocate memory for spline function !";

// The calculation of the plot window.
inline constexpr const char* ExtrapolationNotPossible =
    "Extrapolation to q = 0 and/or c = 0 not possible ! -\n"
    "Because number of q and/or c values is less than\n"
    "or equal the requested order of fitting polynomials.";
inline constexpr const char* KcrNegative = "Kc/R < 0";
inline constexpr const char* KcrNotPositive = "Kc/R <= 0";
inline constexpr const char* KTypedZeroText = "1.0";

// Labels of the four result fields.
inline constexpr const char* LabelMwc = "Mw(c):[g/mol]";
inline constexpr const char* LabelMwq = "Mw(q²):[g/mol]";
inline constexpr const char* LabelRg = "Rg:[nm]";
inline constexpr const char* LabelS2 = "<S>²:[µm²]";
inline constexpr const char* LabelA2 = "A2:[mol dm³/g²]";
inline constexpr const char* LabelDzc = "Dz(c):[µm²/s]";
inline constexpr const char* LabelDzq = "Dz(q²):[µm²/s]";
inline constexpr const char* LabelCS2 = "C<S²>[µm²]:";
inline constexpr const char* LabelKD = "kD:[dm³/g]";

// The four result lines: their beginnings and units.
inline constexpr const char* LineMwc = "Mw(c): ";
inline constexpr const char* LineMwq = "Mw(q²): ";
inline constexpr const char* LineRg = "Rg: ";
inline constexpr const char* LineS2 = "<S>²: ";
inline constexpr const char* LineA2 = "A2: ";
inline constexpr const char* LineDzc = "Dz(c): ";
inline constexpr const char* LineDzq = "Dz(q²): ";
inline constexpr const char* LineCS2 = "C<S²>: ";
inline constexpr const char* LineKD = "kD: ";
inline constexpr const char* UnitGPerMol = " g/mol";
inline constexpr const char* UnitNm = " nm";
inline constexpr const char* UnitUm2 = " µm²";
inline constexpr const char* UnitA2 = " mol dm³/g²";
inline constexpr const char* UnitUm2PerS = " µm²/s";
inline constexpr const char* UnitDm3PerG = " dm³/g";
// What the line must contain for its relative error to be printed.
inline constexpr const char* MarkRg = "Rg:";
inline constexpr const char* MarkA2 = "A2:";
inline constexpr const char* MarkCS2 = "C<S²>:";
inline constexpr const char* MarkKD = "kD:";
// A value that cannot be computed.
inline constexpr const char* NoValue = "---";
inline constexpr const char* NoRh = "--\r\n";

// The results text (lines without their line ends).
inline constexpr const char* HeaderZimm = "Static Light Scattering, results of Zimm-Plot,";
inline constexpr const char* HeaderBerry = "Static Light Scattering, results of Berry-Plot,";
inline constexpr const char* HeaderGuinier = "Static Light Scattering, results of Guinier-Plot,";
inline constexpr const char* HeaderDI = "Dynamic Light Scattering, results of D-I-Plot,";
inline constexpr const char* HeaderDII = "Dynamic Light Scattering, results of D-II-Plot,";
inline constexpr const char* HeaderDIII = "Dynamic Light Scattering, results of D-III-Plot,";
inline constexpr const char* OrdersFormat = " q²-dep.: %d,  c-dep.: %d";
inline constexpr const char* Smoothed = " smoothed";
inline constexpr const char* ColumnsStatic =
    "File           \tConc/(g/dm³)\tMw(app)/(g/mol)\t<S²>(app)/µm²\tRg(app)/nm";
inline constexpr const char* ColumnsDynamic = "File\tConc/(g/dm³)\tDz(app)/(µm²/s)\tC<S²>(app)/µm²\t   Rh/nm";
inline constexpr const char* RowConcZero = "Conc.=0";
inline constexpr const char* ErrorOpen = " (± ";
inline constexpr const char* ErrorClose = " %)";
inline constexpr const char* SummaryGap = "    ";

} // namespace zeb::tx
