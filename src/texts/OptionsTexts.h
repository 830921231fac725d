// Texts of the plot options dialog and of printing a plot.
#pragma once

namespace zeb::tx {

inline constexpr const char* OptionsCaption = "ZEB-Stat: Plot Options";
inline constexpr const char* OptionsPageBasic = "Basic Options";
inline constexpr const char* OptionsPageDesign = "Chart Design";

// "Basic Options".
inline constexpr const char* OptionsGroupSampleName = "Sample n&ame";
inline constexpr const char* OptionsGroupYAxis = "y-axis";
inline constexpr const char* OptionsYManual = "Set range manuall&y";
inline constexpr const char* OptionsYMin = "ymin";
inline constexpr const char* OptionsYMax = "ymax";
inline constexpr const char* OptionsGroupXAxis = "x-axis";
inline constexpr const char* OptionsXManual = "Set range man&ually";
inline constexpr const char* OptionsXMin = "xmin";
inline constexpr const char* OptionsXMax = "xmax";
inline constexpr const char* OptionsGroupSymbolSize = "Size of plot symbol";
inline constexpr const char* OptionsSymbolSmall = "&small";
inline constexpr const char* OptionsSymbolMiddle = "&middle";
inline constexpr const char* OptionsSymbolLarge = "&large";
inline constexpr const char* OptionsGroupDetails = "Plot details";
inline constexpr const char* OptionsShowFileName = "Display &file name";
inline constexpr const char* OptionsShowErrorBars = "Display error &bars";
inline constexpr const char* OptionsShowSampleName = "Display sample &name";
inline constexpr const char* OptionsShowResults = "Display resul&ts";
inline constexpr const char* OptionsPrintResults = "&Print results";
inline constexpr const char* OptionsHideInactive = "&Hide deactive points";
inline constexpr const char* OptionsLegendConc = "Conc. c";
inline constexpr const char* OptionsLegendCoilMd = "Coil, mono dsp.";
inline constexpr const char* OptionsLegendCoilPd = "Coil, Mw/Mn = 2";
inline constexpr const char* OptionsLegendThinRod = "Thin rod";
inline constexpr const char* OptionsLegendHardSphere = "Hard sphere";
inline constexpr const char* OptionsLegendUser = "User defined";
inline constexpr const char* OptionsGroupWeighting = "Use errors of data points for &weighting";
inline constexpr const char* OptionsWeightingYes = "yes";
inline constexpr const char* OptionsWeightingNo = "no weighting";
inline constexpr const char* OptionsGroupSmoothing = "Sm&oothing";
inline constexpr const char* OptionsSmoothingYes = "yes";
inline constexpr const char* OptionsSmoothingNo = "no";
inline constexpr const char* OptionsGroupFitDisplay = "Display fit fun&ction";
inline constexpr const char* OptionsFitLimitOnly = "only for the extrapolated values q=0 and c=0";
inline constexpr const char* OptionsFitAll = "all ";
inline constexpr const char* OptionsFitLimitAndQ = "only for extrapolated values and for y vs q|c=const.";

// "Chart Design".
inline constexpr const char* OptionsXTitle = "x-axis title:";
inline constexpr const char* OptionsYTitle = "y-axis title:";
inline constexpr const char* OptionsDefaultTitle = "Default";
inline constexpr const char* OptionsChartFont = "Font of Axes' Labels ";
inline constexpr const char* OptionsLineProperties = "Line Properties";
inline constexpr const char* OptionsColumnDefault = "default";
inline constexpr const char* OptionsColumnActual = "actual";
inline constexpr const char* OptionsColumnWidth = "Width";
inline constexpr const char* OptionsColumnColor = "Color";
inline constexpr const char* OptionsRowChartFrame = "Chart frame";
inline constexpr const char* OptionsRowZimmSplines = "Splines in plots of Zimm type";
inline constexpr const char* OptionsFormFactorPlot = "Form factor plot";
inline constexpr const char* OptionsRowCoilMd = "Coil, mono disperse";
inline constexpr const char* OptionsRowCoilPd = "Coil, poly disperse, Mw/Mn = 2";
inline constexpr const char* OptionsRowThinRod = "Thin rod";
inline constexpr const char* OptionsRowHardSphere = "Hard sphere";
inline constexpr const char* OptionsRowUser = "User defined";

// Button row.
inline constexpr const char* OptionsSaveIni = "Save to INI file";

// Hints.
inline constexpr const char* OptionsHintSaveIniStart = "Settings are saved into ";
inline constexpr const char* OptionsHintSaveIniEnd = ". \nUsing them when loading a new file or in next session.";
inline constexpr const char* OptionsHintOk = "Accepting the settings for the actual plot only.";
inline constexpr const char* OptionsHintAbort = "Abort Option Window, ignoring change of settings.";
inline constexpr const char* OptionsHintDefaultColor = "For setting default color, double click left in this field.";
inline constexpr const char* OptionsHintActualColor = "For color selection, double click left in this field.";
inline constexpr const char* OptionsHintWidth = "For changing line width, edit the integer value shown.";

// Formats: the range fields, the width fields and the colour dialog's custom colours.
inline constexpr const char* OptionsRangePattern = "0.000E-0";
inline constexpr const char* OptionsWidthFormat = "%ld";
inline constexpr const char* OptionsCustomColorFormat = "Color%c=%lX";

// The line under "Invalid input !" that names the field and what it takes.
inline constexpr const char* OptionsRangeLimitFormat =
    "%s: a number from -1E+12 to 1E+12, and the range at least a millionth of its larger limit wide.";
inline constexpr const char* OptionsWidthLimitFormat = "Line width of \"%s\": a whole number up to %d.";
inline constexpr const char* OptionsFontLimitFormat = "Font of the axes' labels: a size from %d to %d.";

// Printing: a job the printer refused to start (followed by the printer's name).
inline constexpr const char* PrintCouldNotStart = "Could not start the print job on ";

} // namespace zeb::tx
