// Texts of the dialogs that review and complete data while a file is read:
// the record review dialog, the standard-file helper and the concentration table.
#pragma once

namespace zeb::tx {

// Record review dialog.
inline constexpr const char* Pavo7100Caption = "ZEB-Stat: ZEB-7100 Data";
inline constexpr const char* Pavo7100GroupFixed = "Fixed Parameter";
inline constexpr const char* Pavo7100GroupAdjustable = "Adjustable Parameters";
inline constexpr const char* Pavo7100LitreNote = "dm\u00b3 = litre";
inline constexpr const char* Pavo7100LabelRecordNo = "No. of Data Record";
inline constexpr const char* Pavo7100LabelStandardName = "Name of standard sample";
inline constexpr const char* Pavo7100LabelSolventName = "Name of solvent sample";
inline constexpr const char* Pavo7100LabelTemperature = "Temperature/K";
inline constexpr const char* Pavo7100LabelNStandard = "n-Standard";
inline constexpr const char* Pavo7100LabelNSolvent = "&n-Solvent";
inline constexpr const char* Pavo7100LabelDndc = "&dn/dc / 1/(g/dm\u00b3) ";
inline constexpr const char* Pavo7100LabelConcentration = "C&oncentration / g/dm\u00b3";
inline constexpr const char* Pavo7100LabelWavelength = "&Wavelength / nm";
inline constexpr const char* Pavo7100LabelRayleigh = "Rayleigh Ratio RR / 1/m";
inline constexpr const char* Pavo7100LabelViscosity = "Viscosity / mPas (cP)";
inline constexpr const char* Pavo7100LabelSampleName = "Sample name";
inline constexpr const char* Pavo7100BtnContinue = "&Continue without any change";
inline constexpr const char* Pavo7100BtnChange = "Ch&ange";
inline constexpr const char* Pavo7100BtnAbort = "&Abort";
inline constexpr const char* Pavo7100Explanation =
    "\"Change\" recalculates all data stored for the concentration shown with the new parameters "
    "and writes them back to the data file. The program asks again when other parameter values "
    "are stored for the same concentration (variations of RR and viscosity below 0.1 % are "
    "ignored) and after reading the next concentration.";
inline constexpr const char* Pavo7100Warning =
    "Make a copy of the data file before pressing \"Change\": the file is overwritten at once !";
inline constexpr int ImportDialogHelpContext = 15;

// Standard-file helper (refractive index of the standard logged below 1).
inline constexpr const char* NStdExplanation =
    "The first versions of the correlator software logged the refractive index of the standard "
    "with a meaningless value far below 1. If the correct parameters had been set in that "
    "software, no correction is needed and the value may simply be overwritten. If the standard "
    "was measured without entering the sample menu, the default of water, 1.3300, was used. A "
    "correction needs the value used in the measurement; it is stored in the \"Standard File\" "
    "of the measurement and can be fetched with the search button.";
inline constexpr const char* NStdLabelWrong = "Wrong value:";
inline constexpr const char* NStdLabelNew = "New value:";
inline constexpr const char* NStdBtnSearch = "Search for Standard File";
inline constexpr const char* NStdBtnOk = "OK";
inline constexpr const char* NStdBtnAbort = "Abort";
inline constexpr const char* StandardFileFilter = "All Files (*.*)|*.*|Standard Files (*.TOL)|*.TOL|";

// Concentration table of TARN files.
inline constexpr const char* Tarn1Caption = "ZEB-Stat: TARN Data";
inline constexpr const char* Tarn1Group = "Adjustable Parameters";
inline constexpr const char* Tarn1BtnContinue = "&Continue without any change";
inline constexpr const char* Tarn1BtnIgnore = "&Ignore and continue";
inline constexpr const char* Tarn1BtnChange = "Ch&ange";
inline constexpr const char* Tarn1BtnSave = "&Save";
inline constexpr const char* Tarn1BtnAbort = "&Abort";
inline constexpr const char* Tarn1LabelWavelength = "Wave length / nm";
inline constexpr const char* Tarn1LabelSampleName = "Sample name";
inline constexpr const char* Tarn1PltWarning =
    "Attention ! Changes are written back to file ! If you are not sure, choose \"Abort\" and make "
    "a copy of the data file before changing !";
inline constexpr const char* Tarn1PlxNote =
    "You may enter a viscosity and a temperature value for each concentration and save the data "
    "in a PLX-file.";
inline constexpr const char* Tarn1RowNumber = "No. of Conc.";
inline constexpr const char* Tarn1RowConcentration = "Conc. / g/dm^3";
inline constexpr const char* Tarn1RowViscosity = "Visc. / mPas(cP)";
inline constexpr const char* Tarn1RowTemperature = "Temp. / K";

} // namespace zeb::tx
