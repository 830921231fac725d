// Texts of the export selection dialog.
#pragma once

namespace zeb::tx {

inline constexpr const char* ExportDialogCaption = "ZEB-Stat: Export Data";
inline constexpr const char* ExportNoRecordsSelected = "No data records selected !";
inline constexpr const char* ExportDialogMemo[] = {
    "Select the data records you want to export in one of the following two ways:",
    " ",
    "1)  With the <CTRL> key of the keyboard being pressed, move the mouse",
    "     cursor into the chart to one of the data points corresponding to the data",
    "     record you wish to export and click the LEFT mouse button. The color of ",
    "     all data points of that record will change, indicating the selection.",
    "     With the <CTRL> key being pressed, you can select some more data ",
    "     records in the same way, while clicking into a pixel of an already ",
    "     selected record will de-select the record.",
    "",
    "2) Enter the concentration numbers, separated by <SPACE>, of the data ",
    "    records into the edit field below. Hit <SPACE> after the last number also.",
    "    Use <BACKSPACE> for correcting the input, hit <SPACE> to confirm ",
    "    the change.    ",
};
inline constexpr const char* ExportDialogOk = "OK";
inline constexpr const char* ExportDialogAbort = "&Abort";
inline constexpr const char* ExportInvalidInput = "Invalid Input: Other than blanc or number !";

} // namespace zeb::tx
