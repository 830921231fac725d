// The plot options dialog: edits the plot settings of one plot window. OK
// applies them to that window; "Save to INI file" applies them, writes the
// settings file and makes them the defaults of windows opened later; Abort
// changes nothing. Which of the paired settings (measurement plots or
// form-factor plots) it edits follows the window's form-factor mode.
//
// Creating the dialog fills the controls from the settings. The Qt form shows
// the controls below, copies what the user types or clicks into them and calls
// the handlers; the font and colour dialogs are run by the form with the values
// the logic hands out and their results are given back to it.
#pragma once

#include "platform/Platform.h"
#include "plot/Canvas.h"
#include "settings/PlotSettings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zeb {

// What the dialog needs to know about its window besides the settings.
struct OptionsWindowInfo {
    int plotType = 1;         // 1 Zimm .. 6 D-III
    int representation = 11;  // form-factor representation 1..12
    std::vector<int> curves;  // form-factor models in the plot (1..5)
};

class OptionsDialog : public ModalDialog {
public:
    static constexpr int kResultOk = 1;
    static constexpr int kResultAbort = 3;
    static constexpr int kResultYes = 6;  // "Save to INI file"
    static constexpr int kHelpContext = 9;
    // The flags of the font dialog: screen fonts, initialised from the logical
    // font, effects, only existing fonts, only TrueType fonts.
    static constexpr unsigned kFontDialogFlags = 0x50141;
    // The font dialog works with a fifteenth of the chart's font height.
    static constexpr int kFontDialogDivisor = 15;
    // The sizes the chart can be drawn with. A line up to 500 units (a thirtieth
    // of the chart's width) wide; an axis font of 6 to 48 in the font dialog's
    // size (about 4.5 to 36 points), with which the data area keeps at least a
    // third of the chart's height. Beyond, lines swallow the points and the
    // axes crowd out the data; such values are refused with "Invalid input !".
    static constexpr std::int32_t kMaxLineWidth = 500;
    static constexpr int kMinFontDialogHeight = 6;
    static constexpr int kMaxFontDialogHeight = 48;
    // The actual width field of a line row ("lineWidthChartActual", ..., "lineWidthUserFFActual").
    static std::string WidthFieldName(int row);
    // The row's name as the "Chart Design" page shows it.
    static const char* LineRowName(int row);

    // settings.formFactorMode tells which fields are edited. The settings stay
    // untouched until OK or "Save to INI file".
    OptionsDialog(Platform& platform, PlotSettings& settings, const OptionsWindowInfo& window,
                 GlobalDefaults& defaults, std::string settingsPath);

    const char* dialogName() const override { return "OptionsDialog"; }
    // Accepts what is shown (OK); when that is refused, aborts.
    void answerDefault() override;

    // ---- Handlers
    void manualXRangeToggled();  // after manualXRangeBox changed
    void manualYRangeToggled();
    void restoreDefaultXLabel();
    void restoreDefaultYLabel();
    // "Font of Axes' Labels ": the font the dialog opens with (the working copy,
    // its height divided by 15) and what it gives back on OK (a size beyond the
    // range above is refused and the working copy stays).
    LogFont FontForDialog() const;
    void FontDialogAccepted(const LogFont& chosen);
    // Colour panels of rows 3..7: a double click on the default panel copies its
    // colour; one on the actual panel opens the colour dialog with ColorForDialog.
    void copyDefaultColor(int row);
    Rgb ColorForDialog(int row) const;
    void ColorDialogAccepted(int row, Rgb color);
    // The colour dialog's custom colours: "ColorA=<hex>" .. "ColorE=<hex>", the
    // built-in colours of rows 3..7.
    std::vector<std::string> CustomColors() const;
    void accept();
    void saveToSettingsFile();
    void abort();
    void showHelp();

    bool closed() const { return modalResult != 0; }
    bool formFactorMode() const { return formFactorMode_; }
    // The display scale of the range fields (the label scales of the axes).
    double xRangeScale() const { return xScale_; }
    double yRangeScale() const { return yScale_; }

    // ---- Controls, page "Basic Options"
    std::string sampleNameField;
    static constexpr int kSampleNameTypedChars = 63;
    bool manualYRangeBox = false;
    std::string yMinField, yMaxField;
    bool manualXRangeBox = false;
    std::string xMinField, xMaxField;
    int symbolSizeButton = 2;  // smallSymbols 1, mediumSymbols 2, largeSymbols 3 (0: none checked)
    bool showFileNameBox = false;
    bool showErrorBarsBox = false;
    bool showSampleNameBox = false;
    bool showResultsBox = false;
    bool printResultsBox = false;
    bool hideInactiveBox = false;
    bool measurementChecksEnabled = false;  // the last three boxes
    // formFactorLegendPanel: concentrationLegendField, then coilMonoLegendField, coilPolyLegendField, thinRodLegendField, hardSphereLegendField, userDefinedLegendField.
    bool formFactorLegendPanelVisible = false;
    std::array<std::string, 6> legendEdits;
    std::array<bool, 6> legendEnabled{};
    // The weighting, smoothing and fit-display groups (measurement plots only).
    bool measurementGroupsVisible = false;
    bool weightingOn = false;     // else noWeighting
    bool smoothingOn = false;  // else noSmoothing
    int fitDisplayButton = 1;    // fitLinesEverywhere 1, fitLinesWithinData 2, fitLinesWithinDataAndQ 3

    // ---- Controls, page "Chart Design"
    std::string xLabelField, yLabelField;
    // Line rows 1..7 (index 0 unused): widths as text; colours of rows 3..7.
    std::array<std::string, kLineRows + 1> widthDefault;
    std::array<std::string, kLineRows + 1> widthActual;
    std::array<Rgb, kLineRows + 1> colorDefault{};
    std::array<Rgb, kLineRows + 1> colorActual{};
    const LogFont& workingFont() const { return font_; }

    // ---- Hints of the buttons
    std::string hintSaveIni, hintOk, hintAbort;

    std::string focus;  // the control that should take the focus
    int modalResult = 0;

private:
    void fillRangeFields(bool x);
    void refuse(const std::string& limit, std::string field = "chartFontButton");
    bool apply();
    bool readRange(bool x, ManualRange& range);

    Platform& platform_;
    PlotSettings& settings_;
    OptionsWindowInfo window_;
    GlobalDefaults& defaults_;
    std::string settingsPath_;
    bool formFactorMode_ = false;
    double xScale_ = 1e-8;
    double yScale_ = 1.0;
    LogFont font_;
    // The range texts as filled, so that an unedited field keeps its exact value.
    std::string shownXmin_, shownXmax_, shownYmin_, shownYmax_;
};

// A width typed into a line-width field: an integer (a 32-bit one, with its
// sign) with blanks around it allowed; nothing otherwise. A negative width, as
// the settings file may hold one, is drawn as the thinnest line.
std::optional<std::int32_t> ParseLineWidth(const std::string& text);

} // namespace zeb
