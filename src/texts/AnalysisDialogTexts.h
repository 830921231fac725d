// Texts of the reflection correction and its two dialogs, and of the
// form-factor parameter dialog.
#pragma once

namespace zeb::tx {

// The reflection-correction command.
inline constexpr const char* CorrReflectMenu = "C&orrection for Reflection";
inline constexpr const char* ReflectNoWavelength =
    "There are loaded data that have not been extracted\n"
    "from an .STA or .PLT file. Reflection correction cannot\n"
    "be applied for.";
inline constexpr const char* ReflectAlreadyDone = "Correction for reflection has been already done !";
inline constexpr const char* ReflectNoFitFormat =
    "There is no fit polynomial of the q²-dependence\n"
    "available for the concentration of %.5lf g/dm³.\n"
    "Show this message again (YES), in case this will\n"
    "be detected also at the next concentration, or NOt ?";

// ReflectionCorrectionDialog.
inline constexpr const char* GlassSuprasil = "Suprasil, Herasil";
inline constexpr const char* GlassPyrex = "Pyrex, Duran";
inline constexpr const char* GlassUser = "user defined";
inline constexpr const char* LabelnSolv = "Enter refractive index of the solvent :";
inline constexpr const char* BtnForAllCaption = "Assume same refractive index for all concentrations";
inline constexpr const char* BtnPromptCaption = "Prompt when reading new concentration";
inline constexpr const char* BtnAbortCaption = "Abort";
inline constexpr const char* ReflectAbortQuestion =
    "The correction for reflection has been already applied\n"
    "to at least one concentration !\n"
    "Aborting now thus will cause inconsistence among the\n"
    "data of the active window !\n"
    "Abort any way (YES) or NOt ?";

// ReflectionNoticeDialog.
inline constexpr const char* ReflectionNoticeLine1 =
    "For the reflection correction on the angle of %.1lf° there is required a";
inline constexpr const char* ReflectionNoticeLine2 = "ratio value corresponding to the counter angle of 180° - %.1lf°.";
inline constexpr const char* ReflectionNoticeLine3 =
    "As the value of this counter angle is not within the interval of measured";
inline constexpr const char* ReflectionNoticeLine4 =
    "angles, the ratio value therefore only can be obtained by extrapolation";
inline constexpr const char* ReflectionNoticeLine5 = "using the fit polynom of the q**2-dependence.";
inline constexpr const char* ReflectionNoticeExtrapolate = "Extrapolation";
inline constexpr const char* ReflectionNoticeExtrapolateAll = "Extrapolation for others also";
inline constexpr const char* ReflectionNoticeSkip = "Skip";
inline constexpr const char* ReflectionNoticeSkipAll = "Skip for others also";

// FormFactorParametersDialog.
inline constexpr const char* FormFactorParametersLabelC = "c/(g/dm³)";
inline constexpr const char* FormFactorParametersLabelRg = "Rg/nm:";
inline constexpr const char* FormFactorParametersLabelMw = "Mw/(g/mol):";
inline constexpr const char* MemoWillPlot =
    "Form factor will be calculated with Rg and Mw obtained \r\n"
    "by extrapolating the data of the concentration c for q->0. \r\n"
    "You may change the settings for Rg and Mw on your discretion.";
inline constexpr const char* MemoRgkl0 =
    "The value of Rg, extracted from the data record with concentration\r\n"
    "c given below, is less than 0. No theoretical form factor will be\r\n"
    "calculated.\r\n"
    "In case you wish to plot the form factor any way, you must enter \r\n"
    "appropriate values for Rg and Mw in the edit fields below: ";
inline constexpr const char* MemoNo =
    "There are no values for Mw and Rg available, as there is no data \r\n"
    "record, with the extrapolation q->0 being performed, selected.\r\n"
    "In case you wish to plot the form factor any way, you must enter \r\n"
    "appropriate values for Rg and Mw in the edit fields below: ";

} // namespace zeb::tx
