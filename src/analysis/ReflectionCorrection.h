// The correction of static data for light reflected at the cuvette's exit
// window: the detector at angle θ also sees the scattering of the counter angle
// 180° - θ, weighted with the reflectance R_F of the glass-solvent interface.
// The scattering at the counter angle comes from the concentration's own q²
// polynomial (in the plot type's representation).
#pragma once

#include "data/MeasurementSet.h"

#include <functional>

namespace zeb {

struct Reflectance {
    double rF = 0.0;  // ((n_glass - n) / (n_glass + n))²
    double t = 1.0;   // 1 - R_F when positive, else 0
};
Reflectance ReflectanceOf(double nGlass, double nSolvent);

// θ in degrees of a q² (cm⁻²) for the wavelength (cm) and refractive index;
// not a number when the q² cannot occur at that wavelength.
double AngleOfQ2Deg(double q2PerCm2, double wavelengthCm, double n);
// q² of an angle in degrees.
double Q2OfAngle(double thetaDeg, double wavelengthCm, double n);

// Refuses the command: a point with a value but without wavelength (data not from
// a record or PLT file).
bool AnyPointWithoutWavelength(const MeasurementSet& set);
// Every point with a value has been corrected already.
bool AllPointsCorrected(const MeasurementSet& set);
// nSolvent of the first point of concentration p with a value; -1 when none.
double SolventIndexOf(const MeasurementSet& set, int p);

// How the points outside the measured range are handled; the modes follow the
// answers of the information dialog.
enum ExtrapolationMode : int {
    kModeAsk = 1,        // ask at the next such point; this one is corrected
    kModeCorrectAll = 2, // correct this and all further ones without asking
    kModeSkipAsk = 3,    // skip this one, ask again at the next
    kModeSkipAll = 4,    // skip this and all further ones without asking
};
// The mode that an answer of the information dialog (1, 5, 2, 7) selects.
int ModeOfAnswer(int dialogResult);

enum class CorrectionOutcome { AlreadyCorrected, NoFit, Corrected };

struct ReflectionInput {
    int plotType = 1;
    int qOrder = 1;
    double nGlass = 1.46;
    double nTyped = -1.0;  // the solvent index typed in the dialog, for points without one
    // Asked for a point whose counter angle lies outside the measured range:
    // receives θ in degrees and returns the dialog's result (1, 5, 2 or 7).
    std::function<int(double thetaDeg)> askOutside;
};

// Corrects Kc/R of every point of concentration p once. Sets correctionApplied
// when a correction was made (even if every point was skipped). A point whose
// corrected Kc/R is not larger than its error (or not a finite number) leaves
// the set (hasData 0).
CorrectionOutcome CorrectConcentration(MeasurementSet& set, int p, const ReflectionInput& input,
                                       bool& correctionApplied, Reflectance* used = nullptr);

} // namespace zeb
