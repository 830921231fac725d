// Texts of the file readers and writers and of the load sequence.
#pragma once

namespace zeb::tx {

// The open dialog of the load sequence.
inline constexpr const char* LoadFileFilter =
    "ZEB7100 [stat.-dyn.] (*.sta;*.dat)|*.sta;*.dat|TARN Files (*.plt)|*.plt|"
    "ZEB/Static PLX-files (*.plx)|*.plx|TAB-sep. ASCII Files (*.asc)|*.asc|All Files (*.*)|*.*|";

// Messages shared by every reader.
inline constexpr const char* FileCannotBeOpened = "This file cannot be opened.";
inline constexpr const char* UnexpectedEndOfFile = "Unexpected end of file ! Invalid data file !";
inline constexpr const char* UnexpectedEndTrying =
    "Unexpected end of file ! Invalid data file !\nTrying reading as much data as possible !";
inline constexpr const char* MissingMeasurementValues = "Missing or negative measurement values, ignored, any way.";

// The record file reader.
inline constexpr const char* RecordFileIsDosAscii =
    "ZEB-7100 SLS ASCII File Format, DOS-Software.\n"
    "Conversion into ZEB-7100 Binary Record Format required.\n"
    "Please contact ZEB GmbH.";
inline constexpr const char* NoDataRecord = "File doesn 't contain any data record !";
inline constexpr const char* RecordCountInconsistent =
    "Inconsistence in number of data records (that has been\n"
    "stored as first item in file) and file size.\n"
    "Trying reading as much of data as possible !";

// The load sequence.
inline constexpr const char* ExtensionMissing = "Extension missing !";
inline constexpr const char* UnknownFileFormat =
    "Unknown file format or file extension. Rename the file if necessary.";
inline constexpr const char* NoSlsData = "No SLS data ! File containes DLS correlation data.\nCan not load !";
inline constexpr const char* CloseWindowReally = "Close this window really ?";
inline constexpr const char* LoadingFileLabel = "Loading File ! Please Wait !";
inline constexpr const char* AbortLoadingButton = "Abort Loading";
inline constexpr const char* MenuLoadNewFile = "&Load new file... ";
inline constexpr const char* MenuAddDataFile = "&Add data file...";

// The PLT and PLX writer.
inline constexpr const char* PltSaveFilter = "PLT-Files (*.PLT)|*.PLT|All Files (*.*)|*.*|";
inline constexpr const char* PlxSaveFilter = "PLX-Files (*.PLX)|*.PLX|All Files (*.*)|*.*|";
inline constexpr const char* PltProposedName = "File1.PLT";
inline constexpr const char* PlxProposedName = "File1.PLX";
inline constexpr const char* PlxExtensionInvalid = "Extension missing or invalid ! Extension must be PLX !";
inline constexpr const char* WriteErrorDiskSpace =
    "Write error ! Most probably because of disk space\nbeing expired. Cannot write the data to disk.";
// A write that failed for another reason than a full disk (the reason follows).
inline constexpr const char* WriteErrorOther = "Write error ! Cannot write the data to disk.";

} // namespace zeb::tx
