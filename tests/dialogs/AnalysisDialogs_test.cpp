#include "texts/AnalysisDialogTexts.h"
#include "dialogs/TFormCorrReflex.h"
#include "dialogs/TFormInputFormF.h"
#include "dialogs/TFormRefCorrInfo.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(TFormInputFormF, NoDataRecordAndItsValidation) {
    ScriptedPlatform platform;
    double rg = -1.0, mw = -1.0;
    TFormInputFormF d(platform, -1.0, rg, mw);
    EXPECT_EQ(d.shownMemo, "MemoNo");
    EXPECT_FALSE(d.LabelCVisible);
    EXPECT_FALSE(d.EditCVisible);
    EXPECT_EQ(d.EditRg, "");
    d.BitBtn1Click();
    EXPECT_FALSE(d.closed());
    EXPECT_EQ(platform.lastMessage().text, "Invalid Number !");
    EXPECT_EQ(platform.lastMessage().caption, "ZEBStat: Information");
    EXPECT_EQ(platform.lastMessage().icon, MsgIcon::Stop);
    EXPECT_EQ(d.focus, "EditRg");
    // Rg with a decimal comma is read as 15 and stored although Mw fails.
    d.EditRgChange("1,5e1");
    d.BitBtn1Click();
    EXPECT_EQ(rg, 15.0);
    EXPECT_EQ(d.focus, "EditMw");
    d.EditMwChange("0");
    d.BitBtn1Click();
    EXPECT_EQ(platform.lastMessage().text, "Invalid input !");
    EXPECT_EQ(platform.lastMessage().icon, MsgIcon::None);
    EXPECT_FALSE(d.closed());
    d.BitBtn2Click();
    EXPECT_TRUE(d.closed());
    EXPECT_TRUE(d.aborted());
    EXPECT_TRUE(d.rgEdited());
}

TEST(TFormInputFormF, FieldsOfARecordWithAndWithoutRg) {
    ScriptedPlatform platform;
    double rg = 45.678, mw = 512345.0;
    TFormInputFormF with(platform, 0.0025, rg, mw);
    EXPECT_EQ(with.shownMemo, "MemoWillPlot");
    EXPECT_EQ(with.EditC, "2.500E0");
    EXPECT_EQ(with.EditRg, "4.568E1");
    EXPECT_EQ(with.EditMw, "5.123E5");
    with.answerDefault();
    EXPECT_EQ(with.modalResult, TFormInputFormF::kResultOk);
    EXPECT_EQ(rg, 45.68);  // what the field showed
    double negative = -1.0;
    TFormInputFormF without(platform, 0.0025, negative, mw);
    EXPECT_EQ(without.shownMemo, "MemoRgkl0");
    EXPECT_TRUE(without.EditCVisible);
    EXPECT_EQ(without.EditRg, "");
    EXPECT_EQ(without.EditMw, "");
    without.answerDefault();  // nothing to accept: aborted
    EXPECT_TRUE(without.aborted());
}

TEST(TFormCorrReflex, GlassChoiceAndTypedIndices) {
    ScriptedPlatform platform;
    TFormCorrReflex d(platform);
    EXPECT_EQ(d.EditnGlas, "1.460");
    EXPECT_EQ(TFormCorrReflex::GlassNames(), (std::vector<std::string>{"Suprasil, Herasil", "Pyrex, Duran", "user defined"}));
    d.ComboGlasChange(1);
    EXPECT_EQ(d.nGlass, 1.47);
    EXPECT_EQ(d.EditnGlas, "1.470");
    d.ComboGlasChange(2);
    EXPECT_EQ(d.EditnGlas, "");
    EXPECT_EQ(d.focus, "EditnGlas");
    d.ComboGlasChange(0);
    d.EditnGlasChange("1,52");
    EXPECT_EQ(d.ComboGlas, 2);

    d.PrepareFor("/data/a.sta", 0.0012, true);
    d.FormShow();
    EXPECT_TRUE(d.LabelnSolvVisible && d.EditnSolvVisible && d.MemoHintnVisible);
    EXPECT_EQ(d.BtnForAllCaption, "Assume same refractive index for all concentrations");
    EXPECT_EQ(d.EditConc, "1.20000");
    EXPECT_EQ(d.focus, "EditnSolv");
    d.EditnSolv = "water";
    d.BtnForAllClick();
    EXPECT_EQ(platform.lastMessage().text, "Invalid input for floating point number.");
    EXPECT_EQ(d.focus, "EditnSolv");
    EXPECT_EQ(d.modalResult, 0);
    EXPECT_EQ(d.nGlass, 1.52);
    d.EditnSolv = "1,333";
    d.BtnForAllClick();
    EXPECT_EQ(d.nTyped, 1.333);
    EXPECT_EQ(d.modalResult, TFormCorrReflex::kResultForAll);
    d.EditnGlas = "-1";  // not a refractive index
    d.BtnPromptClick();
    EXPECT_EQ(d.focus, "EditnGlas");

    d.PrepareFor("/data/b.sta", 0.002, false);
    d.FormShow();
    EXPECT_FALSE(d.EditnSolvVisible);
    EXPECT_EQ(d.focus, "EditnGlas");
}

TEST(TFormCorrReflex, AbortAfterACorrectionAsks) {
    ScriptedPlatform platform;
    TFormCorrReflex d(platform);
    d.BitBtnAbortClick();
    EXPECT_EQ(d.modalResult, TFormCorrReflex::kResultAbort);
    EXPECT_TRUE(platform.messages.empty());
    d.PrepareFor("x", 0.001, false);
    d.correctionApplied = true;
    platform.answers = {MsgAnswer::No};
    d.BitBtnAbortClick();
    EXPECT_EQ(d.modalResult, 0);
    const RecordedMessage& q = platform.lastMessage();
    EXPECT_EQ(q.text, tx::ReflectAbortQuestion);
    EXPECT_EQ(q.buttons, MsgButtons::YesNo);
    EXPECT_EQ(q.icon, MsgIcon::Exclamation);
    EXPECT_EQ(q.caption, "ZEBStat: Information");
    platform.answers = {MsgAnswer::Yes};
    d.BitBtnAbortClick();
    EXPECT_EQ(d.modalResult, TFormCorrReflex::kResultAbort);
    // Left to its defaults the question keeps the dialog open and the correction goes on.
    d.PrepareFor("x", 0.001, false);
    d.answerDefault();
    EXPECT_EQ(d.modalResult, TFormCorrReflex::kResultPrompt);
}

TEST(TFormRefCorrInfo, MemoForTheAngleAndButtons) {
    TFormRefCorrInfo d;
    EXPECT_EQ(d.memoTemplate().substr(0, 51), "For the reflection correction on the angle of %.1lf");
    d.Prepare(35.25, 0.0015);
    EXPECT_EQ(d.Memo1,
              "For the reflection correction on the angle of 35.2° there is required a\r\n"
              "ratio value corresponding to the counter angle of 180° - 35.2°.\r\n"
              "As the value of this counter angle is not within the interval of measured\r\n"
              "angles, the ratio value therefore only can be obtained by extrapolation\r\n"
              "using the fit polynom of the q**2-dependence.");
    EXPECT_EQ(d.EditConc, "1.50000");
    d.answerDefault();
    EXPECT_EQ(d.modalResult, TFormRefCorrInfo::kSkip);
    d.Button2Click();
    EXPECT_EQ(d.modalResult, 5);
    d.Button4Click();
    EXPECT_EQ(d.modalResult, 7);
}

} // namespace
} // namespace zeb
