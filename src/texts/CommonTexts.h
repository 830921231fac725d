// Program name, version and the message-box captions used throughout.
#pragma once

namespace zeb::tx {

inline constexpr const char* AppTitle = "ZEB-Stat";
inline constexpr const char* FrameCaption = "ZEB / Static & Dynamic FIT and PLOT ";
inline constexpr const char* VersionText = "4.22 11/98";
// A value a dialog cannot take (the options, the form-factor parameters).
inline constexpr const char* InvalidInput = "Invalid input !";
// The clipboard (the results window, the exports).
inline constexpr const char* CouldNotOpenClipboard = "Could not open Clipboard !";
inline constexpr const char* CouldNotAllocateClipboard = "Could not allocate RAM for Clipboard data !";

// Captions of message boxes.
inline constexpr const char* CapZebStat = "ZEB-Stat";                 // questions, frame and export errors
inline constexpr const char* CapInformation = "ZEBStat: Information"; // most information and error messages
inline constexpr const char* CapInformationLower = "ZEBstat: Information"; // the missing-value warning
inline constexpr const char* CapError = "ZEBstat Error";              // file and memory errors of loading
inline constexpr const char* CapZebStatError = "ZEB-Stat: ERROR";
inline constexpr const char* CapPlainError = "Error";
inline constexpr const char* CapInternalError = "Internal Error";
inline constexpr const char* CapZebstat = "ZEBstat";                  // the elimination's messages
inline constexpr const char* CapLfit = "ZEBstat in UTILS lfit()";
inline constexpr const char* CapZebStatInfoColon = "ZEB-Stat: Information";

// Messages shared by several subsystems.
inline constexpr const char* InvalidFloatInput = "Invalid input for floating point number.";
// A typed k that is a number but beyond what the chart of the data can show;
// %s is the limit in the k field's unit.
inline constexpr const char* KTooLargeFormat = "k is too large: the chart takes a k of at most %s, either sign.";

// The help topics the windows and dialogs open (help contexts).
inline constexpr int HelpContents = 1;
inline constexpr int HelpIntroduction = 2;
inline constexpr int HelpOptions = 9;
inline constexpr int HelpFileFormats = 14;
inline constexpr int HelpDialogs = 15;

// Faults of the desktop program itself: a part that was never connected.
inline constexpr const char* NoDialogForm = "No form is registered for the dialog ";
inline constexpr const char* WrongDialogForm = "The form registered under its name does not show the dialog ";
inline constexpr const char* NoPlotWindowFactory = "The main window cannot make plot windows: no file can be opened.";

} // namespace zeb::tx
