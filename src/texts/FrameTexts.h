// Texts of the frame window: menus, hints, tool bar and its questions.
#pragma once

namespace zeb::tx {

inline constexpr const char* FinishSessionQuestion = "Finish ZEB-Stat session really ?";
inline constexpr const char* CouldNotRegisterClipboardFormat = "Could not register specific clipboad format !";
inline constexpr const char* NotEnoughMemoryForWindow = "Not enough memory for opening the requested window !";
inline constexpr const char* HelpFileName = "ZEB-STA.HLP";

// Menus of the frame and their status-bar hints.
inline constexpr const char* MenuFile = "&File";
inline constexpr const char* MenuFileHint = "File related commands";
inline constexpr const char* MenuLoadNewFileHint = "Open an existing file";
inline constexpr const char* MenuExit = "E&xit";
inline constexpr const char* MenuExitHint = "Exit all";
inline constexpr const char* MenuWindow = "&Window";
inline constexpr const char* MenuWindowHint = "Window related commands such as Tile and Cascade";
inline constexpr const char* MenuCascade = "&Cascade";
inline constexpr const char* MenuCascadeHint = "Arrange windows to overlap";
inline constexpr const char* MenuTile = "&Tile";
inline constexpr const char* MenuTileHint = "Arrange windows without overlap";
inline constexpr const char* MenuArrangeIcons = "&Arrange Icons";
inline constexpr const char* MenuArrangeIconsHint = "Arrange window icons at bottom of main window";
inline constexpr const char* MenuMinimizeAll = "&Minimize All";
inline constexpr const char* MenuMinimizeAllHint = "Minimize all windows";
inline constexpr const char* MenuHelp = "&Help";
inline constexpr const char* MenuHelpHint = "Help topics";
inline constexpr const char* MenuIntroduction = "Intro&duction";
inline constexpr const char* MenuHelpContents = "&Help";
inline constexpr const char* MenuFileFormat = "&File Format";
inline constexpr const char* MenuAbout = "&About ZEB-Stat";

// Tool bar tooltips.
inline constexpr const char* TipOpen = "Load new data file";
inline constexpr const char* TipCut = "De-/Activate data record";
inline constexpr const char* TipCopy = "Export data to clipboard";
inline constexpr const char* TipPaste = "Paste data from clipboard";
inline constexpr const char* TipExit = "Exit all";

// About box and print notice.
inline constexpr const char* AboutCaption = "About ZEB-Stat";
inline constexpr const char* ProductName = "ZEB / Static & Dynamic FIT and PLOT ";
inline constexpr const char* PrintNoticeCaption = "ZEB-Stat: Information";
inline constexpr const char* PrintNoticeSending = "Sending print job to:";
inline constexpr const char* PrintNoticeWait = "Please wait!";

// Program start without a window system.
inline constexpr const char* NoDisplay =
    "zebstat: no display to show the windows on (%s).\n"
    "Evaluate files without windows with zebstat-batch, or set DISPLAY (X11), WAYLAND_DISPLAY (Wayland)\n"
    "or QT_QPA_PLATFORM (for example QT_QPA_PLATFORM=offscreen) and start zebstat again.\n";


} // namespace zeb::tx
