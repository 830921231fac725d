// Sections, keys and values of the settings file. They are read and written
// exactly as spelled here (note the trailing blank of "Smoothing ").
#pragma once

namespace zeb::tx {

inline constexpr const char* SecSettings = "Settings";
inline constexpr const char* SecSettingsForPlot = "Settings for plot";
inline constexpr const char* SecPrint = "Print";
inline constexpr const char* SecFontSetting = "FontSetting";
inline constexpr const char* SecChartLabels = "ChartLabels";
inline constexpr const char* SecPlotLines = "PlotLines";

inline constexpr const char* KeySymbolSize = "Symbol size";
inline constexpr const char* KeySmoothing = "Smoothing ";
inline constexpr const char* KeyFitDisplay = "Show fit function for only c_0 and q_0";
inline constexpr const char* KeySymbolSizeFF = "Symbol size FF";
inline constexpr const char* KeyDataPath = "DataPath";
inline constexpr const char* KeyShowFilename = "Show Filename";
inline constexpr const char* KeyShowErrorbars = "Show Errorbars";
inline constexpr const char* KeyShowSampleName = "Show sample name";
inline constexpr const char* KeyShowResults = "Show results";
inline constexpr const char* KeyShowFilenameFF = "Show Filename FF";
inline constexpr const char* KeyShowErrorBarsFF = "Show Error Bars FF";
inline constexpr const char* KeyShowSampleNameFF = "Show sample name FF";
inline constexpr const char* KeyPrintResults = "Print results";

// Key patterns; the font keys carry the font index (always 0).
inline constexpr const char* KeyLfHeight = "lfHeight%hd";
inline constexpr const char* KeyLfWidth = "lfWidth%hd";
inline constexpr const char* KeyLfEscapement = "lfEscapement%hd";
inline constexpr const char* KeyLfOrientation = "lfOrientation%hd";
inline constexpr const char* KeyLfWeight = "lfWeight%hd";
inline constexpr const char* KeyLfItalic = "lfItalic%hd";
inline constexpr const char* KeyLfUnderline = "lfUnderline%hd";
inline constexpr const char* KeyLfStrikeOut = "lfStrikeOut%hd";
inline constexpr const char* KeyLfCharSet = "lfCharSet%hd";
inline constexpr const char* KeyLfOutPrecision = "lfOutPrecision%hd";
inline constexpr const char* KeyLfClipPrecision = "lfClipPrecision%hd";
inline constexpr const char* KeyLfQuality = "lfQuality%hd";
inline constexpr const char* KeyLfPitchAndFamily = "lfPitchAndFamily%hd";
inline constexpr const char* KeyLfFaceName = "lfFaceName%hd";
inline constexpr const char* KeyXLabelZimm = "XLabelZimm%d";
inline constexpr const char* KeyYLabelZimm = "YLabelZimm%d";
inline constexpr const char* KeyXLabelFF = "XLabelFF%d";
inline constexpr const char* KeyYLabelFF = "YLabelFF%d";
inline constexpr const char* KeyLineWidth = "LineWidth%d";
inline constexpr const char* KeyLineColor = "LineColor%d";

inline constexpr const char* ValSmall = "small";
inline constexpr const char* ValMedium = "medium";
inline constexpr const char* ValGreat = "great";
inline constexpr const char* ValYes = "Yes";
inline constexpr const char* ValNo = "No";
inline constexpr const char* DefaultFaceName = "Arial";

// The settings file at start and at "Save to INI file"; the file and the
// reason follow on their own line.
inline constexpr const char* SettingsFileNotRead =
    "The settings file is not read; the built-in settings are used.";
inline constexpr const char* SettingsNotSaved = "The settings could not be saved.";

} // namespace zeb::tx
