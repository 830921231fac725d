// The data export commands of a plot window's "&Edit" menu and the paste of
// measurement data from the clipboard. All six export items run exportData
// with their tag:
//
//   item                  tag  mode  export
//   copyDataToClipboard      7    0   exchange block to the clipboard (also Ctrl+C and the frame's button)
//   ExportASCII2ClipB      14    1   ASCII data to the clipboard
//   ratioToClipboard         35    2   scattering ratio to the clipboard
//   ratioToFile          42    3   scattering ratio to a .RAT file
//   asciiToFile     21    4   ASCII data to an .ASC file
//   createPlxFile              28    5   PLX file of the whole window
//
// Without a chosen concentration (modes 0..4) the export selection dialog is
// shown instead; when it closes, the window's hidden export button
// (runDeferredExport) runs the remembered mode.
//
// Hooks for the view: onItemsChanged (the six items were disabled or enabled
// again: mirror itemsEnabled()), onRepaint (the chart), onPostDeferredExport
// (post runDeferredExport to run once the dialog has gone; unset: it runs at
// once), onAfterPaste (the preparation after a completed load; unset: the
// window's PostLoadSetup). The mutable c0 intercept record, for marking a
// typed c = 0 group, comes through setC0Intercept.
#pragma once

#include "dialogs/ExportSelectionDialog.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace zeb {

class PlotWindow;
struct DataPoint;

// The frame's one save dialog: its file-name field keeps what it held last.
struct FrameSaveDialog {
    std::string fileName;
};

class DataExport {
public:
    static constexpr int kTagExchange = 7;
    static constexpr int kTagAsciiToClipboard = 14;
    static constexpr int kTagAsciiToFile = 21;
    static constexpr int kTagPlx = 28;
    static constexpr int kTagRatioToClipboard = 35;
    static constexpr int kTagRatioToFile = 42;

    enum Mode : std::uint8_t {
        kModeExchange = 0,
        kModeAsciiToClipboard = 1,
        kModeRatioToClipboard = 2,
        kModeRatioToFile = 3,
        kModeAsciiToFile = 4,
        kModePlx = 5,
    };

    // The tag of an item name (-1 for any other name).
    static int TagOf(const std::string& item);

    DataExport(PlotWindow& window, FrameSaveDialog& saveDialog);
    DataExport(const DataExport&) = delete;
    DataExport& operator=(const DataExport&) = delete;

    void setC0Intercept(DataPoint* record);

    // One export; any tag but the six above does nothing.
    void exportData(int tag);
    void exportData(const std::string& item) { exportData(TagOf(item)); }
    // The hidden button the selection dialog clicks when it closes.
    void runDeferredExport();
    // "Paste data from clipboard" (Ctrl+V and the frame's button).
    void pasteFromClipboard();

    std::uint8_t exportMode() const { return mode_; }
    bool itemsEnabled() const { return itemsEnabled_; }
    ExportSelectionDialog& exportDialog() { return dialog_; }

    std::function<void()> onItemsChanged;
    std::function<void()> onRepaint;
    std::function<void()> onPostDeferredExport;
    std::function<void()> onAfterPaste;

private:
    void runExport(std::uint8_t mode);
    void asciiExport(bool toFile);
    void ratioExport(bool toFile);
    bool saveText(const char* filter, const std::string& text);
    void setItemsEnabled(bool enabled);
    bool ready() const;
    void repaint() {
        if (onRepaint) onRepaint();
    }

    PlotWindow& window_;
    FrameSaveDialog& saveDialog_;
    ExportSelectionDialog dialog_;
    std::uint8_t mode_ = kModeExchange;
    bool itemsEnabled_ = true;
};

} // namespace zeb
