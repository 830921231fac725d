// Texts of the data export (ASCII and scattering-ratio texts) and of the
// clipboard exchange of measurement data.
#pragma once

namespace zeb::tx {

// The clipboard format of the exchange block, registered by the main window.
inline constexpr const char* ClipboardFormatName = "CF_ZEB_STAT_SPECIAL";

// ---- ASCII export
inline constexpr const char* AsciiDataExtractedFrom = "Data extracted from: %s\r\n";
inline constexpr const char* AsciiNoOfConcentrations = "No of concentrations: %hd\r\n";
// The axis line per plot type 1..6.
inline constexpr const char* AsciiAxisLines[] = {
    "x=q^2/(micrometer^(-2)); y=Kc/R/(mol/g)\r\n",
    "x=q^2/(micrometer^(-2)); y=Kc/R/(mol/g)\r\n",
    "x=q^2/(micrometer^(-2)); y=Kc/R/(mol/g)\r\n",
    "x=q^2/(micrometer^(-2)); y=DappI/(micrometer^2/s)\r\n",
    "x=q^2/(micrometer^(-2)); y=DappII/(micrometer^2/s)\r\n",
    "x=q^2/(micrometer^(-2)); y=DappIII/(micrometer^2/s)\r\n",
};
inline constexpr const char* AsciiConcentrationLine = "c=%11.3lE g/dm^3\r\n";
inline constexpr const char* AsciiPointLine = " %11.3lE %11.3lE\r\n";
inline constexpr const char* AsciiSaveFilter = "ASC-Files (*.ASC)|*.ASC|All Files (*.*)|*.*|";

// ---- Scattering-ratio export
inline constexpr const char* RatioNoData = "No data for Scattering Ratio available !";
inline constexpr const char* RatioHeader =
    "Excess Scattering Ratio R vs q for the concentrations given below.\r\n"
    "With R = (RSolu - RSolv)/RStd*RRStd*(nSolv/nStd)**2,\r\n"
    "the refractive index term is the Hermans, Levinson correction factor.\r\n"
    "In the first column are the q-values, the next columns contain the\r\n"
    "Ratio and its error dR for each concentration, i.e.:\r\n"
    "  q R(c1) dR(c1) R(c2) dR(c2) ...\r\n";
inline constexpr const char* RatioUnits = "q in 1/micrometer; conc. in g/dm^3 (dm^3 = litre); R in 1/m\r\n";
inline constexpr const char* RatioNegativeNote =
    "Negative R because source of data not being\r\n"
    "ZEB-binary Static and Dynamic .STA-file.\r\n";
inline constexpr const char* RatioNoOfConcentrations = "No. of concentrations: %ld\r\n";
inline constexpr const char* RatioConcentrationLine = "c[%ld] = %12.5lE  from file: %s\r\n";
inline constexpr const char* RatioQ = "%15.8lE";
inline constexpr const char* RatioValuePair = " %12.5lE %12.5lE";
inline constexpr const char* RatioSaveFilter = "RAT-Files (*.RAT)|*.RAT|All Files (*.*)|*.*|";
inline constexpr const char* RatioProposedName = "File1.RAT";

// ---- Clipboard exchange of measurement data
inline constexpr const char* NoExtrapolatedValuesExported = "No extrapolated values are exported with this function !";
inline constexpr const char* PasteQuestion = "Add clipboard data to the records of the current window ?";
inline constexpr const char* PasteNoDataAvailable = "No data available !";
inline constexpr const char* PasteNoPointer = "Could not get pointer to clipboard data !";
// A block that is not what this program writes (cut short, wrong counts, values that are not numbers).
inline constexpr const char* PasteInvalidBlock =
    "The clipboard data are damaged or incomplete !\nNothing has been imported.";
inline constexpr const char* PasteTooManyAngles =
    "Could not import clipboard data, as the maximum number of angle values will be exceeded !";
inline constexpr const char* PasteTooManyConcentrations =
    "Could not import clipboard data, as the maximum number of concentration values will be exceeded !";

} // namespace zeb::tx
