// The values a light-scattering measurement can have. Every reader checks
// every measured value and every parameter it takes from a file against this
// one table: a value outside its range is as impossible as one that is not a
// number, and the record or line that holds it is left out, with a message
// that names the file, the record or line, the quantity and the value (a file
// is refused only when nothing of it is left). The bounds are generous: they
// keep out what no instrument measures (a concentration of 3.5e38 g/cm³, a
// Kc/R of 1e-45 mol/g), never an unusual but real measurement. Units are those
// of the files. help/formats.html lists the table for the user.
#pragma once

#include <string>

namespace zeb {

enum class Quantity {
    Angle,
    Wavelength,
    NSolvent,
    NStandard,
    RayleighStandard,
    Dndc,
    Concentration,
    Viscosity,
    Temperature,
    Q2,
    Kcr,
    Dapp,
    RSample,
};

struct PlausibleRange {
    Quantity quantity;
    const char* name;  // as a message names it
    const char* unit;  // with its leading blank where it takes one: " nm", "\u00b0"
    double lower;      // the bounds, both belonging to the range
    double upper;
    bool zeroNotGiven;  // 0 stands for "not given" and is allowed
    bool signFree;      // the bounds are those of the magnitude (dn/dc may be negative)
    const char* why;
};

// Bounds are compared with a relative tolerance of this much, so that a value
// at a bound passes also from a file that holds it in single precision (1e-14
// is 9.99999988e-15 there).
inline constexpr double kRangeTolerance = 1e-6;

inline constexpr PlausibleRange kPlausibleRanges[] = {
    {Quantity::Angle, "angle", "\u00b0", 0.1, 179.9, false, false,
     "between the incident beam (0\u00b0) and the way back (180\u00b0), rounded to 0.1\u00b0 as q\u00b2 is computed"},
    {Quantity::Wavelength, "wavelength", " nm", 100.0, 10000.0, false, false,
     "light from the far ultraviolet to the infrared; the lasers of light scattering lie far inside"},
    {Quantity::NSolvent, "refractive index of the solvent", "", 1.0, 3.0, false, false,
     "no liquid has an index below vacuum's 1; the highest reach about 1.8"},
    {Quantity::NStandard, "refractive index of the standard", "", 0.0, 3.0, false, false,
     "as the solvent's; below 1 the record names none (the review then asks for the standard's file)"},
    {Quantity::RayleighStandard, "Rayleigh ratio", " 1/cm", 1e-12, 1.0, true, false,
     "standards scatter about 1e-5/cm in visible light; a liquid scattering 1/cm would be opaque; 0: not given"},
    {Quantity::Dndc, "dn/dc", " cm\u00b3/g", 1e-4, 1.0, true, true,
     "refractive index increments lie between a few 0.001 and 0.4, of either sign; 0 only without Kc/R"},
    {Quantity::Concentration, "concentration", " g/cm\u00b3", 1e-9, 3.0, false, false,
     "a solution holds solute (at c = 0 only the solvent is measured), never more than its density"},
    {Quantity::Viscosity, "viscosity", " mPa\u00b7s", 1e-3, 1e7, true, false,
     "from gases (0.01) to polymer melts; 0: not given"},
    {Quantity::Temperature, "temperature", " K", 1.0, 1000.0, true, false,
     "liquids between liquid helium and molten salts; 0: not given"},
    {Quantity::Q2, "q\u00b2", " 1/cm\u00b2", 1.0, 1e14, false, false,
     "what the angles, indices and wavelengths of this table give (120 to 1.4e13), with room"},
    {Quantity::Kcr, "Kc/R", " mol/g", 1e-14, 1.0, false, false,
     "about 1/Mw: molar masses between 1 and 1e14 g/mol"},
    {Quantity::Dapp, "Dapp", " cm\u00b2/s", 1e-16, 1.0, false, false,
     "gases diffuse at 0.1 cm\u00b2/s, particles of micrometres in viscous solvents at 1e-12 and less"},
    {Quantity::RSample, "excess scattering ratio", " 1/cm", 1e-16, 1.0, true, false,
     "a solution scattering 1/cm would be opaque; 0, and -1 in PLX files: not known"},
};

const PlausibleRange& RangeOf(Quantity quantity);

// Whether v lies in the range of its quantity (0 too where 0 means "not
// given"). Not a number and the infinities never do.
bool Plausible(Quantity quantity, double v);

// Whether error can be the error of value: 0 (not given), or at most the
// upper bound of the quantity and at least a millionth of the value (the
// readers' defaults are 0.1 % and 1 %). The sign does not count.
bool PlausibleError(Quantity quantity, double value, double error);

// How a message names a value: "Kc/R 1e+30 mol/g", "angle 0°". name replaces
// the quantity's name ("Dapp II", "error of Kc/R").
std::string ValueText(Quantity quantity, double v, const char* name = nullptr);

} // namespace zeb
