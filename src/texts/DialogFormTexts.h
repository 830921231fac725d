// Texts that only the dialog windows show: captions, labels and hints of the
// reflection-correction dialogs and the button captions shared by the forms.
#pragma once

namespace zeb::tx {

// Buttons shared by several forms.
inline constexpr const char* FormBtnHelp = "&Help";
inline constexpr const char* FormBtnOk = "OK";
inline constexpr const char* FormBtnAbort = "Abort";

// The dialog asking for the glass of the cuvette (and the solvent's index).
inline constexpr const char* CorrReflexCaption = "ZEB-Stat: Correction for Reflection";
inline constexpr const char* CorrReflexLabelFile = "Data file:";
inline constexpr const char* CorrReflexLabelConc = "Concentration / g/dm\u00b3:";
inline constexpr const char* CorrReflexLabelGlass = "Glass of the cuvette:";
inline constexpr const char* CorrReflexLabelnGlass = "Refractive index of the glass:";
inline constexpr const char* CorrReflexGroupData = "Concentration";
inline constexpr const char* CorrReflexGroupGlass = "Cuvette";
inline constexpr const char* CorrReflexHintn =
    "The data of this concentration carry no refractive index of the solvent. It is needed for "
    "the reflectance at the wall of the cuvette and for the angles of the counter direction.";

// The question whether to extrapolate to a counter angle outside the measured angles.
inline constexpr const char* RefCorrInfoCaption = "ZEB-Stat: Correction for Reflection";
inline constexpr const char* RefCorrInfoLabelConc = "Concentration / g/dm\u00b3:";

} // namespace zeb::tx
