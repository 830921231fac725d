#include "dialogs/OptionsDialog.h"

#include "analysis/DecimalFormat.h"
#include "analysis/NumberText.h"
#include "analysis/ShowableRange.h"
#include "texts/AnalysisDialogTexts.h"
#include "texts/CommonTexts.h"
#include "texts/OptionsTexts.h"
#include "texts/SettingsTexts.h"
#include "platform/CodePage.h"
#include "platform/WriteError.h"
#include "plot/AxisCaptions.h"
#include "settings/SettingsFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace zeb {

namespace {

constexpr int kFirstColorRow = kLineFirstFormFactor;  // rows 3..7 have colour panels

std::string WidthText(std::int32_t width) { return CFormat(tx::OptionsWidthFormat, static_cast<long>(width)); }

bool IsColorRow(int row) { return row >= kFirstColorRow && row <= kLineRows; }

} // namespace

std::optional<std::int32_t> ParseLineWidth(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    const auto last = text.find_last_not_of(" \t");
    const std::string s = text.substr(first, last - first + 1);
    std::size_t i = s[0] == '+' || s[0] == '-' ? 1 : 0;
    if (i >= s.size()) return std::nullopt;
    for (std::size_t j = i; j < s.size(); ++j)
        if (s[j] < '0' || s[j] > '9') return std::nullopt;
    errno = 0;
    const long long v = std::strtoll(s.c_str(), nullptr, 10);
    if (errno == ERANGE || v > INT32_MAX || v < INT32_MIN) return std::nullopt;
    return static_cast<std::int32_t>(v);
}

OptionsDialog::OptionsDialog(Platform& platform, PlotSettings& settings, const OptionsWindowInfo& window,
                           GlobalDefaults& defaults, std::string settingsPath)
    : platform_(platform), settings_(settings), window_(window), defaults_(defaults),
      settingsPath_(std::move(settingsPath)), formFactorMode_(settings.formFactorMode) {
    const PlotSettings& s = settings_;
    const bool ff = formFactorMode_;
    // The fields show the numbers of the axis labels.
    xScale_ = ff ? FormFactorXLabelScale(window_.representation) : kMeasurementXLabelScale;
    yScale_ = ff ? FormFactorYLabelScale(window_.representation) : 1.0;

    // 1. Hints.
    hintSaveIni = std::string(tx::OptionsHintSaveIniStart) + settingsPath_ + tx::OptionsHintSaveIniEnd;
    hintOk = tx::OptionsHintOk;
    hintAbort = tx::OptionsHintAbort;
    // 2. The font's working copy.
    font_ = s.axisFont;
    // 3. Line properties.
    for (int r = 1; r <= kLineRows; ++r) {
        const std::size_t i = static_cast<std::size_t>(r);
        widthDefault[i] = WidthText(s.lines.builtIn(r).width);
        widthActual[i] = WidthText(s.lines.row(r).width);
        if (IsColorRow(r)) {
            colorDefault[i] = s.lines.builtIn(r).color;
            colorActual[i] = s.lines.row(r).color;
        }
    }
    // 4. Axis titles.
    xLabelField = s.xTitle;
    yLabelField = s.yTitle;
    // 5. Legend fields disabled, the mode's groups hidden.
    legendEnabled.fill(false);
    formFactorLegendPanelVisible = false;
    measurementGroupsVisible = false;
    measurementChecksEnabled = false;
    // 6. Symbol size and the show flags of the mode.
    const int size = ff ? s.symbolSizeFF : s.symbolSize;
    symbolSizeButton = size >= 1 && size <= 3 ? size : 0;
    showFileNameBox = (ff ? s.showFileNameFF : s.showFileName) == 1;
    showErrorBarsBox = (ff ? s.showErrorBarsFF : s.showErrorBars) == 1;
    showSampleNameBox = (ff ? s.showSampleNameFF : s.showSampleName) == 1;
    // 7. The mode's own controls.
    if (ff) {
        formFactorLegendPanelVisible = true;
        legendEdits[0] = s.legend[0];
        legendEnabled[0] = true;
        for (int model : window_.curves) {
            if (model < 1 || model > 5) continue;
            const std::size_t i = static_cast<std::size_t>(model);
            legendEnabled[i] = true;
            legendEdits[i] = s.legend[i];
        }
    } else {
        measurementChecksEnabled = true;
        showResultsBox = s.showResults == 1;
        printResultsBox = s.printResults == 1;
        hideInactiveBox = s.hideInactive == 1;
        measurementGroupsVisible = true;
        weightingOn = s.weighting == 2;
        smoothingOn = s.smoothing == 2;
        fitDisplayButton = s.fitDisplay == 2 ? 2 : s.fitDisplay == 3 ? 3 : 1;
    }
    // 8. Manual ranges.
    manualXRangeBox = (ff ? s.manualXFF.on : s.manualX.on) != 0;
    manualYRangeBox = (ff ? s.manualYFF.on : s.manualY.on) != 0;
    // 9. Sample name.
    sampleNameField = s.sampleName;
    // 10. Range limits.
    fillRangeFields(true);
    fillRangeFields(false);
}

void OptionsDialog::fillRangeFields(bool x) {
    const PlotSettings& s = settings_;
    const ManualRange& r = x ? (formFactorMode_ ? s.manualXFF : s.manualX) : (formFactorMode_ ? s.manualYFF : s.manualY);
    const double scale = x ? xScale_ : yScale_;
    std::string lo = DecimalFormat(tx::OptionsRangePattern, r.minimum * scale);
    std::string hi = DecimalFormat(tx::OptionsRangePattern, r.maximum * scale);
    if (x) {
        xMinField = shownXmin_ = std::move(lo);
        xMaxField = shownXmax_ = std::move(hi);
    } else {
        yMinField = shownYmin_ = std::move(lo);
        yMaxField = shownYmax_ = std::move(hi);
    }
}

void OptionsDialog::manualXRangeToggled() {
    if (!manualXRangeBox) fillRangeFields(true);
}

void OptionsDialog::manualYRangeToggled() {
    if (!manualYRangeBox) fillRangeFields(false);
}

void OptionsDialog::restoreDefaultXLabel() {
    xLabelField = formFactorMode_ ? BuiltInFormFactorXCaption(window_.representation) : BuiltInXCaption(window_.plotType);
}

void OptionsDialog::restoreDefaultYLabel() {
    yLabelField = formFactorMode_ ? BuiltInFormFactorYCaption(window_.representation) : BuiltInYCaption(window_.plotType);
}

LogFont OptionsDialog::FontForDialog() const {
    LogFont f = font_;
    f.height /= kFontDialogDivisor;
    return f;
}

std::string OptionsDialog::WidthFieldName(int row) {
    static const char* const parts[kLineRows + 1] = {"", "Chart", "Zimm", "CoilMd", "CoilPd", "Rod", "Sphere", "UserFF"};
    return row >= 1 && row <= kLineRows ? std::string("lineWidth") + parts[row] + "Actual" : std::string();
}

void OptionsDialog::FontDialogAccepted(const LogFont& chosen) {
    const int size = std::abs(chosen.height);
    if (size < kMinFontDialogHeight || size > kMaxFontDialogHeight) {
        refuse(CFormat(tx::OptionsFontLimitFormat, kMinFontDialogHeight, kMaxFontDialogHeight));
        focus = "chartFontButton";
        return;
    }
    font_ = chosen;
    font_.height = chosen.height * kFontDialogDivisor;
    if (font_.faceName.size() > LogFont::kFaceNameChars) font_.faceName = Utf8Left(font_.faceName, LogFont::kFaceNameChars);
}

// "Invalid input !" with a line that names the field and what it takes; the
// field gets the focus.
void OptionsDialog::refuse(const std::string& limit, std::string field) {
    platform_.inform(std::string(tx::InvalidInput) + "\n\n" + limit, tx::CapInformation, MsgIcon::None);
    focus = std::move(field);
}

const char* OptionsDialog::LineRowName(int row) {
    static const char* const names[kLineRows + 1] = {"",
                                                     tx::OptionsRowChartFrame,
                                                     tx::OptionsRowZimmSplines,
                                                     tx::OptionsRowCoilMd,
                                                     tx::OptionsRowCoilPd,
                                                     tx::OptionsRowThinRod,
                                                     tx::OptionsRowHardSphere,
                                                     tx::OptionsRowUser};
    return row >= 1 && row <= kLineRows ? names[row] : "";
}

void OptionsDialog::copyDefaultColor(int row) {
    if (IsColorRow(row)) colorActual[static_cast<std::size_t>(row)] = colorDefault[static_cast<std::size_t>(row)];
}

Rgb OptionsDialog::ColorForDialog(int row) const {
    return IsColorRow(row) ? colorActual[static_cast<std::size_t>(row)] : kBlack;
}

void OptionsDialog::ColorDialogAccepted(int row, Rgb color) {
    if (IsColorRow(row)) colorActual[static_cast<std::size_t>(row)] = color & 0x00FFFFFFu;
}

std::vector<std::string> OptionsDialog::CustomColors() const {
    std::vector<std::string> entries;
    for (int r = kFirstColorRow; r <= kLineRows; ++r)
        entries.push_back(CFormat(tx::OptionsCustomColorFormat, 'A' + (r - kFirstColorRow),
                                 static_cast<unsigned long>(colorDefault[static_cast<std::size_t>(r)])));
    return entries;
}

// One range from its two fields. A field left as it was filled keeps the exact
// stored limit (the field shows only four digits of it).
bool OptionsDialog::readRange(bool x, ManualRange& range) {
    const std::string& loText = x ? xMinField : yMinField;
    const std::string& hiText = x ? xMaxField : yMaxField;
    const std::string& loShown = x ? shownXmin_ : shownYmin_;
    const std::string& hiShown = x ? shownXmax_ : shownYmax_;
    const double scale = x ? xRangeScale() : yRangeScale();
    auto value = [&](const std::string& text, const std::string& shown, double stored, const char* field,
                     double& out) {
        if (text == shown) {
            out = stored;
            return true;
        }
        const auto typed = ParseTypedNumber(text);
        const double v = typed ? *typed / scale : 0.0;
        if (!typed || !std::isfinite(v)) {
            platform_.inform(tx::InvalidFloatInput, tx::CapInformation, MsgIcon::Stop);
            focus = field;
            return false;
        }
        out = v;
        return true;
    };
    double lo = 0.0, hi = 0.0;
    if (!value(loText, loShown, range.minimum, x ? "xMinField" : "yMinField", lo)) return false;
    if (!value(hiText, hiShown, range.maximum, x ? "xMaxField" : "yMaxField", hi)) return false;
    // A range whose labels the chart cannot print (or whose ticks it cannot
    // tell apart) is refused, naming the field that holds the larger limit
    // (the upper one when only the span is too small).
    if (lo != hi && !RangeShowable(lo * scale, hi * scale)) {
        const bool lowerTooLarge = std::fabs(lo * scale) > kMaxRangeLabelMagnitude &&
                                   std::fabs(lo) >= std::fabs(hi);
        const char* field = lowerTooLarge ? (x ? "xMinField" : "yMinField") : (x ? "xMaxField" : "yMaxField");
        const char* label = lowerTooLarge ? (x ? tx::OptionsXMin : tx::OptionsYMin) : (x ? tx::OptionsXMax : tx::OptionsYMax);
        refuse(CFormat(tx::OptionsRangeLimitFormat, label), field);
        return false;
    }
    range.on = 1;
    range.minimum = std::min(lo, hi);
    range.maximum = std::max(lo, hi);
    if (lo == hi) range.on = 0;
    return true;
}

// The apply steps. The range fields are read first, so that a range that is not
// a number leaves the window's settings as they were and the dialog open.
bool OptionsDialog::apply() {
    PlotSettings& s = settings_;
    const bool ff = formFactorMode_;
    ManualRange x = ff ? s.manualXFF : s.manualX;
    ManualRange y = ff ? s.manualYFF : s.manualY;
    if (manualXRangeBox) {
        if (!readRange(true, x)) return false;
    } else {
        x.on = 0;
    }
    if (manualYRangeBox) {
        if (!readRange(false, y)) return false;
    } else {
        y.on = 0;
    }
    // A width the chart cannot be drawn with, or one that is no whole number,
    // is refused (an empty field takes the row's built-in width below). A
    // negative width is kept, as the settings file keeps it: the thinnest line
    // is drawn.
    for (int r = 1; r <= kLineRows; ++r) {
        const std::string& text = widthActual[static_cast<std::size_t>(r)];
        const auto width = ParseLineWidth(text);
        const bool blank = text.find_first_not_of(" \t") == std::string::npos;
        if (width ? *width > kMaxLineWidth : !blank) {
            refuse(CFormat(tx::OptionsWidthLimitFormat, LineRowName(r), static_cast<int>(kMaxLineWidth)), WidthFieldName(r));
            return false;
        }
    }

    // 1. Symbol size.
    const std::int16_t size = symbolSizeButton == 1 ? 1 : symbolSizeButton == 2 ? 2 : 3;
    (ff ? s.symbolSizeFF : s.symbolSize) = size;
    // 2. The mode's own controls.
    if (ff) {
        s.legend[0] = legendEdits[0];
        for (int model : window_.curves)
            if (model >= 1 && model <= 5) s.legend[static_cast<std::size_t>(model)] = legendEdits[static_cast<std::size_t>(model)];
    } else {
        s.weighting = weightingOn ? 2 : 1;
        s.smoothing = smoothingOn ? 2 : 1;
        s.fitDisplay = static_cast<std::int16_t>(fitDisplayButton == 1 ? 1 : fitDisplayButton == 3 ? 3 : 2);
        s.showResults = showResultsBox ? 1 : 0;
        s.printResults = printResultsBox ? 1 : 0;
        s.hideInactive = hideInactiveBox ? 1 : 0;
    }
    // 3. Show flags of the mode.
    (ff ? s.showFileNameFF : s.showFileName) = showFileNameBox ? 1 : 0;
    (ff ? s.showErrorBarsFF : s.showErrorBars) = showErrorBarsBox ? 1 : 0;
    (ff ? s.showSampleNameFF : s.showSampleName) = showSampleNameBox ? 1 : 0;
    // 4., 5. Ranges.
    (ff ? s.manualXFF : s.manualX) = x;
    (ff ? s.manualYFF : s.manualY) = y;
    // 6. Sample name.
    s.sampleName = Utf8Left(sampleNameField, kSampleNameChars);
    // 7. Font.
    s.axisFont = font_;
    // 8., 9. Axis titles: a title typed is kept for the plot type (or
    // representation); an empty field brings back the built-in title.
    const std::size_t slot = static_cast<std::size_t>(ff ? window_.representation : window_.plotType);
    const bool slotValid = ff ? slot >= 1 && slot <= kFormFactorRepresentations : slot >= 1 && slot <= kPlotTypes;
    auto title = [&](const std::string& field, std::string& current, std::string* slotText, const char* builtIn) {
        if (field.empty()) {
            current = builtIn;
            if (slotText) slotText->clear();
            return;
        }
        current = Utf8Left(field, kAxisTitleChars);
        if (slotText) *slotText = current;
    };
    if (ff) {
        title(xLabelField, s.xTitle, slotValid ? &s.xTitleFF[slot] : nullptr, BuiltInFormFactorXCaption(window_.representation));
        title(yLabelField, s.yTitle, slotValid ? &s.yTitleFF[slot] : nullptr, BuiltInFormFactorYCaption(window_.representation));
    } else {
        title(xLabelField, s.xTitle, slotValid ? &s.xTitleZimm[slot] : nullptr, BuiltInXCaption(window_.plotType));
        title(yLabelField, s.yTitle, slotValid ? &s.yTitleZimm[slot] : nullptr, BuiltInYCaption(window_.plotType));
    }
    // 10. Line widths and colours; an empty width field takes the row's
    // built-in width.
    for (int r = 1; r <= kLineRows; ++r) {
        const std::size_t i = static_cast<std::size_t>(r);
        const auto width = ParseLineWidth(widthActual[i]);
        s.lines.row(r).width = width ? *width : s.lines.builtIn(r).width;
        if (IsColorRow(r)) s.lines.row(r).color = colorActual[i];
    }
    return true;
}

void OptionsDialog::accept() {
    if (!apply()) return;
    modalResult = kResultOk;
}

void OptionsDialog::saveToSettingsFile() {
    if (!apply()) return;
    // The settings take effect in the window and as the defaults of new windows
    // also when the file could not be written; the message says why it was not.
    const WriteResult saved = SaveSettings(settings_, window_.plotType, window_.representation, defaults_, settingsPath_);
    if (!saved)
        platform_.inform(std::string(tx::SettingsNotSaved) + "\n\n" + FileAndReason(settingsPath_, saved),
                         tx::CapInformation, MsgIcon::Exclamation);
    modalResult = kResultYes;
}

void OptionsDialog::abort() { modalResult = kResultAbort; }

void OptionsDialog::showHelp() { platform_.showHelp(kHelpContext); }

void OptionsDialog::answerDefault() {
    accept();
    if (!closed()) abort();
}

} // namespace zeb
