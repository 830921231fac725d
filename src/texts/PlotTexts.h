// Texts of the plot window's chart, metafiles and printouts.
#pragma once

namespace zeb::tx {

// Built-in axis captions of the measurement plot types.
inline constexpr const char* XCaptionQ2Kc = "(q²+kc) × µm²";
inline constexpr const char* YCaptionZimm = "Kc/R × g/mol";
inline constexpr const char* YCaptionBerry = "sqrt(Kc/R), Kc/R in mol/g";
inline constexpr const char* YCaptionGuinier = "ln(Kc/R), Kc/R in mol/g";
inline constexpr const char* YCaptionDI = "Dapp I / µm²/s";
inline constexpr const char* YCaptionDII = "Dapp II / µm²/s";
inline constexpr const char* YCaptionDIII = "Dapp III / µm²/s";

// Built-in axis captions of the form-factor representations.
inline constexpr const char* FFCaptionQ2 = "q² × µm²";
inline constexpr const char* FFCaptionQ = "q × µm";
inline constexpr const char* FFCaptionU2 = "(q*Rg)²";
inline constexpr const char* FFCaptionU = "q*Rg";
inline constexpr const char* FFCaptionInvPz = "1/Pz(q,Rg)";
inline constexpr const char* FFCaptionSqrtInvPz = "sqrt(1/Pz(q,Rg))";
inline constexpr const char* FFCaptionMinusLnPz = "-ln(Pz(q,Rg))";
inline constexpr const char* FFCaptionPzQ2 = "Pz(q,Rg)q² × µm²";
inline constexpr const char* FFCaptionPzQ = "Pz(q,Rg)q × µm";
inline constexpr const char* FFCaptionPzU2 = "Pz(q,Rg)(q*Rg)²";
inline constexpr const char* FFCaptionPzU = "Pz(q,Rg)(q*Rg)";
inline constexpr const char* FFCaptionPz = "Pz(q,Rg)";

// Tick-label multiplier.
inline constexpr const char* TimesTen = "× 10";


// Metafiles and printing.
inline constexpr const char* PrintJobTitle = "ZEB-Stat: Printing Results";
inline constexpr const char* ContinuationSuffix = " - Continuation";
inline constexpr const char* FooterFormat = "%s (V %s), printed at %s. Data were from: ";
// Spelled with a small c where the picture copy and the paste report it.
inline constexpr const char* ClipboardNotOpened = "Could not open clipboard !";
inline constexpr const char* CouldNotCreateClipboardMetafile =
    "Could not create metafile for clipboard.\nClose other applications to free memory.";
inline constexpr const char* CouldNotCreateMetafile =
    "Could not create metafile.\nEventually close other applications to free memory.";
inline constexpr const char* WmfFilter = "WMF-Files (*.WMF)|*.WMF|";
// The further formats of "&Save plot as WMF-file...", after the metafile.
inline constexpr const char* SvgFilter = "SVG-Files (*.svg)|*.svg|";
inline constexpr const char* PngFilter = "PNG-Files (*.png)|*.png|";
inline constexpr const char* PdfFilter = "PDF-Files (*.pdf)|*.pdf|";

// The residual chart: the residuals of the fits over q², per concentration.
inline constexpr const char* ResidualXCaption = "q² × µm²";
inline constexpr const char* ResidualYCaptionPrefix = "Residual of ";
inline constexpr const char* ResidualChartLine = "Residuals of the fits over q² (order %d), per concentration";
inline constexpr const char* ResidualChartRms = "rms of the residuals: %s";

} // namespace zeb::tx
