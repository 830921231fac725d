// The plot options dialog: filling the controls from a window's settings, the
// apply steps of OK and "Save to INI file", range checks, the font's working
// copy, line rows and what Abort leaves.
#include "texts/PlotTexts.h"
#include "dialogs/OptionsDialog.h"
#include "platform/ScriptedPlatform.h"
#include "plot/AxisCaptions.h"
#include "plot/AxisScaling.h"
#include "settings/Profile.h"
#include "settings/SettingsFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zeb {
namespace {

struct Fixture {
    test::TempDir dir;
    std::string ini = dir.file("zebstat.ini");
    ScriptedPlatform platform;
    GlobalDefaults defaults;
    PlotSettings s = ReadWindowSettings(GlobalDefaults{}, ini);
    OptionsWindowInfo info;
    Fixture() {
        s.sampleName = "PS in toluene";
        s.manualX = {0, 0.0, 3.7e10};  // an automatic range as the last rescale left it
        s.manualY = {0, 1.5e-6, 2.2512345e-6};
        SelectAxisTitles(s, 1, 11);
    }
    OptionsDialog open() { return OptionsDialog(platform, s, info, defaults, ini); }
};

TEST(OptionsDialog, OpeningAMeasurementPlotFillsTheControls) {
    Fixture f;
    f.s.symbolSize = 3;
    f.s.showErrorBars = 1;
    f.s.hideInactive = 1;
    f.s.printResults = 0;
    f.s.weighting = 2;
    f.s.fitDisplay = 3;
    f.s.lines.row(4) = {77, 0x123456};
    OptionsDialog d = f.open();

    EXPECT_EQ(d.hintSaveIni, "Settings are saved into " + f.ini +
                                 ". \nUsing them when loading a new file or in next session.");
    EXPECT_EQ(d.hintOk, "Accepting the settings for the actual plot only.");
    EXPECT_EQ(d.hintAbort, "Abort Option Window, ignoring change of settings.");
    // x in µm⁻² (× 1e-8), y as stored, both with four digits.
    EXPECT_EQ(d.xMinField, "0.000E0");
    EXPECT_EQ(d.xMaxField, "3.700E2");
    EXPECT_EQ(d.yMinField, "1.500E-6");
    EXPECT_EQ(d.yMaxField, "2.251E-6");
    EXPECT_FALSE(d.manualXRangeBox);
    EXPECT_EQ(d.symbolSizeButton, 3);
    EXPECT_TRUE(d.showFileNameBox);
    EXPECT_TRUE(d.showErrorBarsBox);
    EXPECT_TRUE(d.hideInactiveBox);
    EXPECT_FALSE(d.printResultsBox);
    EXPECT_TRUE(d.measurementChecksEnabled);
    EXPECT_TRUE(d.measurementGroupsVisible);
    EXPECT_FALSE(d.formFactorLegendPanelVisible);
    EXPECT_TRUE(d.weightingOn);
    EXPECT_FALSE(d.smoothingOn);
    EXPECT_EQ(d.fitDisplayButton, 3);
    EXPECT_EQ(d.sampleNameField, "PS in toluene");
    EXPECT_EQ(d.xLabelField, tx::XCaptionQ2Kc);
    EXPECT_EQ(d.yLabelField, tx::YCaptionZimm);
    // Line rows: built-in "default" and the window's "actual" values.
    EXPECT_EQ(d.widthDefault[4], "21");
    EXPECT_EQ(d.widthActual[4], "77");
    EXPECT_EQ(d.colorDefault[4], 0x00FF00u);
    EXPECT_EQ(d.colorActual[4], 0x123456u);
    EXPECT_EQ(d.widthDefault[1], "23");
    EXPECT_EQ(d.CustomColors(),
              (std::vector<std::string>{"ColorA=FF", "ColorB=FF00", "ColorC=FF0000", "ColorD=FF00FF", "ColorE=87FF"}));
}

TEST(OptionsDialog, OpeningAFormFactorPlotEditsItsOwnFields) {
    Fixture f;
    f.s.formFactorMode = true;
    f.s.symbolSizeFF = 1;
    f.s.showFileName = 0;  // the measurement flag is not the one shown
    f.s.showFileNameFF = 1;
    f.s.manualXFF = {1, 2.0e9, 8.0e9};  // q in cm⁻¹
    f.s.manualYFF = {0, 0.0, 5.0e7};
    f.s.legend = {"c = .0010 g/dm³", "Coil A", "Coil B", "Rod", "Sphere", "User"};
    f.info.representation = 4;  // Pz·q² over q
    f.info.curves = {3, 1};
    OptionsDialog d = f.open();

    EXPECT_TRUE(d.formFactorLegendPanelVisible);
    EXPECT_FALSE(d.measurementGroupsVisible);
    EXPECT_FALSE(d.measurementChecksEnabled);
    EXPECT_EQ(d.symbolSizeButton, 1);
    EXPECT_TRUE(d.showFileNameBox);
    EXPECT_TRUE(d.manualXRangeBox);
    // q in µm⁻¹ (× 1e-4); Pz·q² as its axis labels show it (× 1e-8).
    EXPECT_EQ(d.xMinField, "2.000E5");
    EXPECT_EQ(d.xMaxField, "8.000E5");
    EXPECT_EQ(d.yMaxField, "5.000E-1");
    EXPECT_EQ(d.legendEdits[0], "c = .0010 g/dm³");
    EXPECT_EQ(d.legendEnabled, (std::array<bool, 6>{true, true, false, true, false, false}));
    EXPECT_EQ(d.legendEdits[3], "Rod");
    EXPECT_EQ(d.legendEdits[2], "") << "a curve not in the plot shows no text";

    // Applying writes the form-factor fields only.
    d.legendEdits[1] = "Coil, typed";
    d.legendEdits[2] = "not applied";
    d.xMinField = "1";
    d.symbolSizeButton = 2;
    d.showErrorBarsBox = true;
    d.accept();
    ASSERT_EQ(d.modalResult, OptionsDialog::kResultOk);
    EXPECT_EQ(f.s.legend[1], "Coil, typed");
    EXPECT_EQ(f.s.legend[2], "Coil B");
    EXPECT_DOUBLE_EQ(f.s.manualXFF.minimum, 1e4);
    EXPECT_DOUBLE_EQ(f.s.manualXFF.maximum, 8.0e9) << "the untouched field keeps its value";
    EXPECT_EQ(f.s.symbolSizeFF, 2);
    EXPECT_EQ(f.s.symbolSize, 2) << "the measurement size stays";
    EXPECT_EQ(f.s.showErrorBarsFF, 1);
    EXPECT_EQ(f.s.showErrorBars, 0);
    EXPECT_EQ(f.s.manualX.on, 0);
}

TEST(OptionsDialog, RangesAreSortedAndEqualLimitsSwitchTheRangeOff) {
    Fixture f;
    {
        OptionsDialog d = f.open();
        d.manualXRangeBox = true;
        d.manualXRangeToggled();
        d.xMinField = "5";
        d.xMaxField = "1";
        d.manualYRangeBox = true;
        d.yMinField = " 2,5e-6 ";  // a comma is read as the point
        d.accept();
        ASSERT_EQ(d.modalResult, OptionsDialog::kResultOk);
        EXPECT_TRUE(f.platform.messages.empty());
    }
    EXPECT_EQ(f.s.manualX.on, 1);
    EXPECT_DOUBLE_EQ(f.s.manualX.minimum, 1e8);
    EXPECT_DOUBLE_EQ(f.s.manualX.maximum, 5e8);
    EXPECT_EQ(f.s.manualY.on, 1);
    EXPECT_EQ(f.s.manualY.minimum, 2.2512345e-6) << "the unedited ymax keeps its exact value";
    EXPECT_DOUBLE_EQ(f.s.manualY.maximum, 2.5e-6);
    {
        OptionsDialog d = f.open();
        EXPECT_TRUE(d.manualXRangeBox);
        EXPECT_EQ(d.xMinField, "1.000E0");
        d.xMinField = "2";
        d.xMaxField = "2";
        d.accept();
    }
    EXPECT_EQ(f.s.manualX.on, 0) << "equal limits leave the axis automatic";
    EXPECT_EQ(f.s.manualY.on, 1);
    {
        OptionsDialog d = f.open();
        d.manualYRangeBox = false;
        d.manualYRangeToggled();
        d.accept();
    }
    EXPECT_EQ(f.s.manualY.on, 0);
}

// A range whose labels the chart cannot print, or whose ticks it cannot tell
// apart, is refused naming the field; nothing is applied and the dialog stays.
TEST(OptionsDialog, RangesTheChartCannotShowAreRefused) {
    const std::string limit = ": a number from -1E+12 to 1E+12, and the range at least a millionth of its larger limit wide.";
    struct Case { const char *lo, *hi, *field, *label; };
    for (const Case& c : {Case{"-1e300", "1e300", "yMinField", "ymin"}, Case{"-5", "2e12", "yMaxField", "ymax"},
                          Case{"1", "1.0000001", "yMaxField", "ymax"}, Case{"-1e13", "1e13", "yMinField", "ymin"}}) {
        Fixture f;
        OptionsDialog d = f.open();
        d.manualYRangeBox = true;
        d.yMinField = c.lo;
        d.yMaxField = c.hi;
        d.accept();
        EXPECT_FALSE(d.closed()) << c.lo << " " << c.hi;
        EXPECT_EQ(d.focus, c.field) << c.lo << " " << c.hi;
        ASSERT_EQ(f.platform.messages.size(), 1u);
        EXPECT_EQ(f.platform.lastMessage().text, std::string("Invalid input !\n\n") + c.label + limit);
        EXPECT_EQ(f.s.manualY.on, 0);
    }
    Fixture f;
    OptionsDialog d = f.open();
    d.manualYRangeBox = true;
    d.yMinField = "-1e12";
    d.yMaxField = "1E12";
    d.accept();
    EXPECT_TRUE(d.closed());
    EXPECT_EQ(f.s.manualY.on, 1);
    // A settings file may hold such a range: the chart scales that axis itself.
    ManualRange stored{1, -1e300, 1e300};
    const AxisScale axis = ScaleAxis(0.5, 2.0, stored, AxisDirection::Y, 1.0);
    EXPECT_EQ(stored.on, 0);
    EXPECT_LE(axis.maximum, 10.0);
    for (const std::string& label : axis.labels) EXPECT_LE(label.size(), 8u) << label;
}

TEST(OptionsDialog, UncheckingARangeRefillsItsFields) {
    Fixture f;
    OptionsDialog d = f.open();
    d.manualYRangeBox = true;
    d.manualYRangeToggled();
    d.yMinField = "abc";
    d.manualYRangeBox = false;
    d.manualYRangeToggled();
    EXPECT_EQ(d.yMinField, "1.500E-6");
    d.accept();
    EXPECT_EQ(d.modalResult, OptionsDialog::kResultOk) << "an unchecked range is not read";
    EXPECT_TRUE(f.platform.messages.empty());
}

TEST(OptionsDialog, ARangeThatIsNoNumberKeepsTheDialogOpenAndChangesNothing) {
    Fixture f;
    const PlotSettings before = f.s;
    OptionsDialog d = f.open();
    d.symbolSizeButton = 1;
    d.sampleNameField = "renamed";
    d.manualXRangeBox = true;
    d.xMaxField = "4.5x";
    d.accept();
    EXPECT_EQ(d.modalResult, 0);
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.platform.lastMessage().text, "Invalid input for floating point number.");
    EXPECT_EQ(f.platform.lastMessage().caption, "ZEBStat: Information");
    EXPECT_EQ(f.platform.lastMessage().icon, MsgIcon::Stop);
    EXPECT_EQ(d.focus, "xMaxField");
    EXPECT_EQ(d.xMaxField, "4.5x") << "the input stays for correction";
    EXPECT_EQ(f.s.symbolSize, before.symbolSize);
    EXPECT_EQ(f.s.sampleName, before.sampleName);

    // A number too large for the axis once unscaled is refused the same way.
    d.xMaxField = "1e305";
    d.saveToSettingsFile();
    EXPECT_EQ(d.modalResult, 0);
    EXPECT_EQ(f.platform.messages.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(f.ini));

    // Corrected, OK applies everything anew.
    d.xMaxField = "4,5";
    d.accept();
    EXPECT_EQ(d.modalResult, OptionsDialog::kResultOk);
    EXPECT_EQ(f.s.symbolSize, 1);
    EXPECT_EQ(f.s.sampleName, "renamed");
    EXPECT_DOUBLE_EQ(f.s.manualX.maximum, 4.5e8);
}

TEST(OptionsDialog, SampleNameAndPlotDetails) {
    Fixture f;
    OptionsDialog d = f.open();
    const std::string typed = "Polystyrene 2 Mio in toluene at 25 C, filtered 0.2 um, batch 7b";
    ASSERT_EQ(typed.size(), 63u);
    d.sampleNameField = typed;
    d.symbolSizeButton = 0;  // none checked: large
    d.showFileNameBox = false;
    d.showResultsBox = false;
    d.hideInactiveBox = true;
    d.weightingOn = true;
    d.smoothingOn = true;
    d.fitDisplayButton = 2;
    d.accept();
    EXPECT_EQ(f.s.sampleName, typed.substr(0, 41));
    EXPECT_EQ(f.s.symbolSize, 3);
    EXPECT_EQ(f.s.showFileName, 0);
    EXPECT_EQ(f.s.showResults, 0);
    EXPECT_EQ(f.s.hideInactive, 1);
    EXPECT_EQ(f.s.weighting, 2);
    EXPECT_EQ(f.s.smoothing, 2);
    EXPECT_EQ(f.s.fitDisplay, 2);
}

TEST(OptionsDialog, FontWorkingCopy) {
    Fixture f;
    f.s.axisFont.height = -250;
    {
        OptionsDialog d = f.open();
        EXPECT_EQ(d.FontForDialog().height, -16) << "integer division by 15";
        // The font dialog was cancelled: nothing given back.
        d.accept();
    }
    EXPECT_EQ(f.s.axisFont.height, -250);
    {
        OptionsDialog d = f.open();
        LogFont chosen = d.FontForDialog();
        chosen.height = -20;
        chosen.weight = 400;
        chosen.italic = 1;
        chosen.faceName = std::string(40, 'F');
        d.FontDialogAccepted(chosen);
        EXPECT_EQ(f.s.axisFont.height, -250) << "the window's font changes only when applied";
        d.abort();
        EXPECT_EQ(f.s.axisFont.height, -250);
        d.accept();
    }
    EXPECT_EQ(f.s.axisFont.height, -300);
    EXPECT_EQ(f.s.axisFont.weight, 400);
    EXPECT_EQ(f.s.axisFont.italic, 1);
    EXPECT_EQ(f.s.axisFont.faceName.size(), LogFont::kFaceNameChars);
}

TEST(OptionsDialog, AxisTitles) {
    Fixture f;
    f.info.plotType = 2;
    SelectAxisTitles(f.s, 2, 11);
    {
        OptionsDialog d = f.open();
        d.yLabelField = "sqrt(Kc/R) typed";
        d.accept();
    }
    EXPECT_EQ(f.s.yTitle, "sqrt(Kc/R) typed");
    EXPECT_EQ(f.s.yTitleZimm[2], "sqrt(Kc/R) typed");
    EXPECT_EQ(f.s.yTitleZimm[1], "") << "only the slot of the current plot type";
    {
        OptionsDialog d = f.open();
        EXPECT_EQ(d.yLabelField, "sqrt(Kc/R) typed");
        d.restoreDefaultYLabel();
        EXPECT_EQ(d.yLabelField, tx::YCaptionBerry);
        d.yLabelField = "";  // an empty field also brings the built-in title back
        d.xLabelField = "";
        d.saveToSettingsFile();
        EXPECT_EQ(d.modalResult, OptionsDialog::kResultYes);
    }
    EXPECT_EQ(f.s.yTitle, tx::YCaptionBerry);
    SelectAxisTitles(f.s, 2, 11);  // as the next rescale does
    EXPECT_EQ(f.s.yTitle, tx::YCaptionBerry);
    EXPECT_EQ(GetPrivateProfileString("ChartLabels", "XLabelZimm2", "missing", 255, f.ini), tx::XCaptionQ2Kc);
    EXPECT_EQ(GetPrivateProfileString("ChartLabels", "YLabelZimm2", "missing", 255, f.ini), tx::YCaptionBerry);

    // Form-factor mode: the representation's default and slot.
    f.s.formFactorMode = true;
    f.info.representation = 5;
    OptionsDialog d = f.open();
    d.restoreDefaultXLabel();
    EXPECT_EQ(d.xLabelField, tx::FFCaptionQ);
    d.yLabelField = "Holtzer";
    d.accept();
    EXPECT_EQ(f.s.yTitleFF[5], "Holtzer");
}

TEST(OptionsDialog, LineWidthsAndColours) {
    Fixture f;
    {
        OptionsDialog d = f.open();
        d.widthActual[1] = " 40 ";
        d.widthActual[2] = "  ";  // empty: the built-in width
        d.widthActual[3] = " -3";  // kept, as the settings file keeps it: the thinnest line
        d.widthActual[4] = "";
        d.widthActual[5] = "0";
        d.ColorDialogAccepted(5, 0x00ABCDEF);
        d.ColorDialogAccepted(6, 0x00112233);
        d.copyDefaultColor(6);  // back to the built-in colour
        d.accept();
    }
    const LineTable& t = f.s.lines;
    EXPECT_EQ(t.row(1).width, 40);
    EXPECT_EQ(t.row(2).width, 23);
    EXPECT_EQ(t.row(3).width, -3);
    EXPECT_EQ(t.row(4).width, 21);
    EXPECT_EQ(t.row(5).width, 0);
    EXPECT_EQ(t.row(5).color, 0xABCDEFu);
    EXPECT_EQ(t.row(6).color, BuiltInLine(6).color);
    EXPECT_EQ(t.builtIn(5), BuiltInLine(5)) << "the built-in entries never change";
    EXPECT_EQ(f.open().widthActual[3], "-3");

    EXPECT_EQ(ParseLineWidth("+12"), 12);
    EXPECT_EQ(ParseLineWidth("-2147483648"), INT32_MIN);
    for (const char* refused : {"99999999999", "-2147483649", "12 3", "-", "--3", "- 3", "3-"})
        EXPECT_EQ(ParseLineWidth(refused), std::nullopt) << refused;
}

// Sizes the chart cannot be drawn with are refused with "Invalid input !": the
// dialog stays open with the field focused and nothing is applied.
TEST(OptionsDialog, LineWidthsAndFontSizesOutOfRangeAreRefused) {
    Fixture f;
    {
        OptionsDialog d = f.open();
        d.symbolSizeButton = 1;
        d.widthActual[1] = "500";
        d.widthActual[4] = "99999";
        d.accept();
        EXPECT_FALSE(d.closed());
        EXPECT_EQ(d.focus, "lineWidthCoilPdActual");
        ASSERT_EQ(f.platform.messages.size(), 1u);
        EXPECT_EQ(f.platform.lastMessage().text,
                  "Invalid input !\n\nLine width of \"Coil, poly disperse, Mw/Mn = 2\": a whole number up to 500.");
        EXPECT_EQ(f.platform.lastMessage().caption, "ZEBStat: Information");
        EXPECT_EQ(f.s.lines.row(1).width, 23) << "nothing applied";
        EXPECT_EQ(f.s.symbolSize, 2);
        // Beyond any int: refused too, not taken for the built-in width.
        d.widthActual[4] = " +99999999999 ";
        d.saveToSettingsFile();
        EXPECT_FALSE(d.closed());
        EXPECT_EQ(f.platform.messages.size(), 2u);
        EXPECT_FALSE(std::filesystem::exists(f.ini));
        d.widthActual[4] = "-99999999999";
        d.accept();
        EXPECT_FALSE(d.closed());
        EXPECT_EQ(f.platform.messages.size(), 3u);
        // No whole number: refused the same way, not replaced by the built-in width.
        for (const char* text : {"abc", "2.5", "1e2"}) {
            d.widthActual[4] = text;
            d.accept();
            EXPECT_FALSE(d.closed()) << text;
        }
        EXPECT_EQ(f.platform.messages.size(), 6u);
        d.widthActual[4] = "21";
        d.accept();
        EXPECT_TRUE(d.closed());
    }
    EXPECT_EQ(f.s.lines.row(1).width, 500);
    EXPECT_EQ(f.s.symbolSize, 1);

    OptionsDialog d = f.open();
    const int before = d.workingFont().height;
    for (int size : {5, 49, 400, -49}) {
        LogFont chosen = d.FontForDialog();
        chosen.height = size;
        d.FontDialogAccepted(chosen);
        EXPECT_EQ(d.workingFont().height, before) << size;
        EXPECT_EQ(d.focus, "chartFontButton");
    }
    EXPECT_EQ(f.platform.messages.size(), 10u);
    EXPECT_EQ(f.platform.lastMessage().text, "Invalid input !\n\nFont of the axes' labels: a size from 6 to 48.");
    for (int size : {-6, -48, 48}) {
        LogFont chosen = d.FontForDialog();
        chosen.height = size;
        d.FontDialogAccepted(chosen);
        EXPECT_EQ(d.workingFont().height, size * 15);
    }
    EXPECT_EQ(f.platform.messages.size(), 10u);
}

TEST(OptionsDialog, AbortChangesNothingAndSaveWritesTheFileAndTheDefaults) {
    Fixture f;
    const PlotSettings before = f.s;
    {
        OptionsDialog d = f.open();
        d.sampleNameField = "x";
        d.symbolSizeButton = 1;
        d.manualXRangeBox = true;
        d.xMinField = "7";
        d.widthActual[1] = "99";
        d.smoothingOn = true;
        d.abort();
        EXPECT_EQ(d.modalResult, OptionsDialog::kResultAbort);
    }
    EXPECT_EQ(static_cast<const GlobalDefaults&>(f.s), static_cast<const GlobalDefaults&>(before));
    EXPECT_EQ(f.s.sampleName, before.sampleName);
    EXPECT_EQ(f.s.lines, before.lines);
    EXPECT_FALSE(std::filesystem::exists(f.ini));

    {
        OptionsDialog d = f.open();
        d.symbolSizeButton = 1;
        d.smoothingOn = true;
        d.weightingOn = true;
        d.accept();
    }
    EXPECT_FALSE(std::filesystem::exists(f.ini)) << "OK is for this window only";
    EXPECT_EQ(f.defaults.symbolSize, 2);

    {
        OptionsDialog d = f.open();
        d.widthActual[7] = "60";
        d.saveToSettingsFile();
        EXPECT_EQ(d.modalResult, OptionsDialog::kResultYes);
    }
    EXPECT_EQ(f.defaults.symbolSize, 1);
    EXPECT_EQ(f.defaults.smoothing, 2);
    EXPECT_EQ(f.defaults.weighting, 1) << "weighting is not a default for later windows";
    EXPECT_EQ(GetPrivateProfileString("Settings", "Symbol size", "", 255, f.ini), "small");
    EXPECT_EQ(GetPrivateProfileString("Settings", "Smoothing ", "", 255, f.ini), "Yes");
    EXPECT_EQ(GetPrivateProfileString("PlotLines", "LineWidth7", "", 255, f.ini), "60");
    // A window opened later reads what was saved.
    const PlotSettings later = ReadWindowSettings(f.defaults, f.ini);
    EXPECT_EQ(later.lines.row(7).width, 60);
    EXPECT_EQ(later.symbolSize, 1);
}

TEST(OptionsDialog, AFailedSaveSaysWhyAndTheSettingsStillHold) {
    Fixture f;
    test::WriteFile(f.ini, "[Settings]\nSymbol size=great\n");
    std::filesystem::permissions(f.ini, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    OptionsDialog d = f.open();
    d.symbolSizeButton = 1;
    d.saveToSettingsFile();
    EXPECT_EQ(d.modalResult, OptionsDialog::kResultYes);
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.platform.lastMessage().text,
              "The settings could not be saved.\n\n" + f.ini + ": the file is write-protected");
    EXPECT_EQ(f.platform.lastMessage().caption, "ZEBStat: Information");
    EXPECT_EQ(f.platform.lastMessage().icon, MsgIcon::Exclamation);
    EXPECT_EQ(test::ReadFile(f.ini), "[Settings]\nSymbol size=great\n");
    // The window and windows opened later take them all the same.
    EXPECT_EQ(f.s.symbolSize, 1);
    EXPECT_EQ(f.defaults.symbolSize, 1);
}

TEST(OptionsDialog, HelpAndTheBatchAnswer) {
    Fixture f;
    OptionsDialog d = f.open();
    d.showHelp();
    EXPECT_EQ(f.platform.helpContexts, std::vector<int>{9});
    EXPECT_EQ(d.modalResult, 0);
    d.manualXRangeBox = true;
    d.xMinField = "?";
    d.answerDefault();
    EXPECT_EQ(d.modalResult, OptionsDialog::kResultAbort) << "what cannot be accepted is abandoned";
}

} // namespace
} // namespace zeb
