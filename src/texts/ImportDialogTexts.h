// Texts of the dialogs that review and complete data while a file is read:
// the record review dialog, the standard-file helper and the concentration table.
#pragma once

namespace zeb::tx {

// Record review dialog.
inline constexpr const char* RecordReviewCaption = "ZEB-Stat: ZEB-7100 Data";
inline constexpr const char* RecordReviewGroupFixed = "Fixed Parameter";
inline constexpr const char* RecordReviewGroupAdjustable = "Adjustable Parameters";
inline constexpr const char* RecordReviewLitreNote = "dm\u00b3 = litre";
inline constexpr const char* RecordReviewLabelRecordNo = "No. of Data Record";
inline constexpr const char* RecordReviewLabelStandardName = "Name of standard sample";
inline constexpr const char* RecordReviewLabelSolventName = "Name of solvent sample";
inline constexpr const char* RecordReviewLabelTemperature = "Temperature/K";
inline constexpr const char* RecordReviewLabelNStandard = "n-Standard";
inline constexpr const char* RecordReviewLabelNSolvent = "&n-Solvent";
inline constexpr const char* RecordReviewLabelDndc = "&dn/dc / 1/(g/dm\u00b3) ";
inline constexpr const char* RecordReviewLabelConcentration = "C&oncentration / g/dm\u00b3";
inline constexpr const char* RecordReviewLabelWavelength = "&Wavelength / nm";
inline constexpr const char* RecordReviewLabelRayleigh = "Rayleigh Ratio RR / 1/m";
inline constexpr const char* RecordReviewLabelViscosity = "Viscosity / mPas (cP)";
inline constexpr const char* RecordReviewLabelSampleName = "Sample name";
inline constexpr const char* RecordReviewBtnContinue = "&Continue without any change";
inline constexpr const char* RecordReviewBtnChange = "Ch&ange";
inline constexpr const char* RecordReviewBtnAbort = "&Abort";
inline constexpr const char* RecordReviewExplanation =
    "\"Change\" recalculates all data stored for the concentration shown with the new parameters "
    "and writes them back to the data file. The program asks again when other parameter values "
    "are stored for the same concentration (variations of RR and viscosity below 0.1 % are "
    "ignored) and after reading the next concentration.";
inline constexpr const char* RecordReviewWarning =
    "Make a copy of the data file before pressing \"Change\": the file is overwritten at once !";
// Under the warning of the record review and of the PLT table, when the file
// cannot take a change: why, before the user chooses.
inline constexpr const char* CannotChangeFileNote =
    "\"Change\" cannot be written to this file: %s. \"Continue without any change\" loads it as it is.";
inline constexpr int ImportDialogHelpContext = 15;

// Standard-file helper (refractive index of the standard logged below 1).
inline constexpr const char* StandardIndexExplanation =
    "The first versions of the correlator software logged the refractive index of the standard "
    "with a meaningless value far below 1. If the correct parameters had been set in that "
    "software, no correction is needed and the value may simply be overwritten. If the standard "
    "was measured without entering the sample menu, the default of water, 1.3300, was used. A "
    "correction needs the value used in the measurement; it is stored in the \"Standard File\" "
    "of the measurement and can be fetched with the search button.";
inline constexpr const char* StandardIndexLabelWrong = "Wrong value:";
inline constexpr const char* StandardIndexLabelNew = "New value:";
inline constexpr const char* StandardIndexBtnSearch = "Search for Standard File";
inline constexpr const char* StandardIndexBtnOk = "OK";
inline constexpr const char* StandardIndexBtnAbort = "Abort";
inline constexpr const char* StandardFileFilter = "All Files (*.*)|*.*|Standard Files (*.TOL)|*.TOL|";

// Concentration table of TARN files.
inline constexpr const char* ConcentrationTableCaption = "ZEB-Stat: TARN Data";
inline constexpr const char* ConcentrationTableGroup = "Adjustable Parameters";
inline constexpr const char* ConcentrationTableBtnContinue = "&Continue without any change";
inline constexpr const char* ConcentrationTableBtnIgnore = "&Ignore and continue";
inline constexpr const char* ConcentrationTableBtnChange = "Ch&ange";
inline constexpr const char* ConcentrationTableBtnSave = "&Save";
inline constexpr const char* ConcentrationTableBtnAbort = "&Abort";
inline constexpr const char* ConcentrationTableLabelWavelength = "Wave length / nm";
inline constexpr const char* ConcentrationTableLabelSampleName = "Sample name";
inline constexpr const char* ConcentrationTablePltWarning =
    "Attention ! Changes are written back to file ! If you are not sure, choose \"Abort\" and make "
    "a copy of the data file before changing !";
inline constexpr const char* ConcentrationTablePlxNote =
    "You may enter a viscosity and a temperature value for each concentration and save the data "
    "in a PLX-file.";
inline constexpr const char* ConcentrationTableRowNumber = "No. of Conc.";
inline constexpr const char* ConcentrationTableRowConcentration = "Conc. / g/dm^3";
inline constexpr const char* ConcentrationTableRowViscosity = "Visc. / mPas(cP)";
inline constexpr const char* ConcentrationTableRowTemperature = "Temp. / K";

} // namespace zeb::tx
