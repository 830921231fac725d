// Corrections of record parameters: which parameters the user changed (the
// change mask) and how Kc/R and the apparent diffusion coefficients of a
// record follow them.
#pragma once

#include "data/RecordLayout.h"

namespace zeb {

enum ChangeBit : unsigned {
    kChangedConcentration = 1,  // Kc/R × new / old
    kChangedDndc = 2,           // Kc/R × new² / old²
    kChangedWavelength = 4,     // Kc/R × old⁴ / new⁴, Dapp × new² / old²
    kChangedNSolvent = 8,       // Dapp × old² / new²
    kChangedRayleigh = 16,      // Kc/R × old / new
    kChangedViscosity = 32,     // only stored
    kChangedNStandard = 64,     // Kc/R × new² / old² (old >= 1), else × ratio² when the ratio is positive
};

// The bits of every parameter whose new value differs at all from the old one.
unsigned ChangeMask(const RecordParameters& oldSet, const RecordParameters& newSet);

// Writes the new values of the changed parameters into the record and scales
// Kc/R, its error and the six Dapp values and errors by their factors.
// nStandardRatio is the correct/wrong ratio of the standard's refractive index
// (-1 = none). A factor that is not finite (an old value of 0) is not applied,
// so a record never receives an infinite or undefined value.
void ApplyChange(ZebRecord& record, unsigned mask, const RecordParameters& oldSet,
                 const RecordParameters& newSet, double nStandardRatio);

// True when a record belongs to the remembered parameter set: concentration,
// dn/dc, wavelength and both refractive indices equal, Rayleigh ratio and
// viscosity within 0.1 %.
bool SameParameterSet(const RecordParameters& record, const RecordParameters& remembered);

} // namespace zeb
