// Texts of the numerical kernels and the calculation.
#pragma once

namespace zeb::tx {

inline constexpr const char* IllegalFitMode = "Internal Error: Illegal Fit Mode";
inline constexpr const char* NegativeCovariance = "covar[i][i])<0";
inline constexpr const char* BadListPermutation1 = "Bad lista permutation in lfit-1";
inline constexpr const char* BadListPermutation2 = "Bad lista permutation in lfit-2";
inline constexpr const char* GaussjMNotOne = "Schwerer Fehler in ZEBstat utils gaussj() m!=1";
inline constexpr const char* GaussjSingular1 = "Schwerer Fehler in ZEBstat mrqmin,\r\n GAUSSJ: Singular Matrix - 1";
inline constexpr const char* GaussjSingular2 = "Schwerer Fehler in ZEBstat mrqmin,\r\n GAUSSJ: Singular Matrix - 2";
inline constexpr const char* NotEnoughMemoryForFitting = "Not enough memory for fitting !";
inline constexpr const char* SplineNoMemory = "Could not allocate memory for spline function !";

} // namespace zeb::tx
