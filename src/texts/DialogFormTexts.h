// Texts that only the dialog windows show: captions, labels and hints of the
// reflection-correction dialogs and the button captions shared by the forms.
#pragma once

namespace zeb::tx {

// Buttons shared by several forms.
inline constexpr const char* FormBtnHelp = "&Help";
inline constexpr const char* FormBtnOk = "OK";
inline constexpr const char* FormBtnAbort = "Abort";

// The dialog asking for the glass of the cuvette (and the solvent's index).
inline constexpr const char* ReflectionCorrectionCaption = "ZEB-Stat: Correction for Reflection";
inline constexpr const char* ReflectionCorrectionLabelFile = "Data file:";
inline constexpr const char* ReflectionCorrectionLabelConc = "Concentration / g/dm\u00b3:";
inline constexpr const char* ReflectionCorrectionLabelGlass = "Glass of the cuvette:";
inline constexpr const char* ReflectionCorrectionLabelnGlass = "Refractive index of the glass:";
inline constexpr const char* ReflectionCorrectionGroupData = "Concentration";
inline constexpr const char* ReflectionCorrectionGroupGlass = "Cuvette";
inline constexpr const char* ReflectionCorrectionHintn =
    "The data of this concentration carry no refractive index of the solvent. It is needed for "
    "the reflectance at the wall of the cuvette and for the angles of the counter direction.";

// The question whether to extrapolate to a counter angle outside the measured angles.
inline constexpr const char* ReflectionNoticeCaption = "ZEB-Stat: Correction for Reflection";
inline constexpr const char* ReflectionNoticeLabelConc = "Concentration / g/dm\u00b3:";

} // namespace zeb::tx
