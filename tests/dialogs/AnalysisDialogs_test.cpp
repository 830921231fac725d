#include "texts/AnalysisDialogTexts.h"
#include "dialogs/ReflectionCorrectionDialog.h"
#include "dialogs/FormFactorParametersDialog.h"
#include "dialogs/ReflectionNoticeDialog.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(FormFactorParametersDialog, NoDataRecordAndItsValidation) {
    ScriptedPlatform platform;
    double rg = -1.0, mw = -1.0;
    FormFactorParametersDialog d(platform, -1.0, rg, mw);
    EXPECT_EQ(d.shownMemo, "noPlotNote");
    EXPECT_FALSE(d.concentrationLabelVisible);
    EXPECT_FALSE(d.concentrationFieldVisible);
    EXPECT_EQ(d.rgField, "");
    d.accept();
    EXPECT_FALSE(d.closed());
    EXPECT_EQ(platform.lastMessage().text, "Invalid Number !");
    EXPECT_EQ(platform.lastMessage().caption, "ZEBStat: Information");
    EXPECT_EQ(platform.lastMessage().icon, MsgIcon::Stop);
    EXPECT_EQ(d.focus, "rgField");
    // Rg with a decimal comma is read as 15 and stored although Mw fails.
    d.rgTyped("1,5e1");
    d.accept();
    EXPECT_EQ(rg, 15.0);
    EXPECT_EQ(d.focus, "mwField");
    d.mwTyped("0");
    d.accept();
    EXPECT_EQ(platform.lastMessage().text, "Invalid input !");
    EXPECT_EQ(platform.lastMessage().icon, MsgIcon::None);
    EXPECT_FALSE(d.closed());
    d.abort();
    EXPECT_TRUE(d.closed());
    EXPECT_TRUE(d.aborted());
    EXPECT_TRUE(d.rgEdited());
}

TEST(FormFactorParametersDialog, FieldsOfARecordWithAndWithoutRg) {
    ScriptedPlatform platform;
    double rg = 45.678, mw = 512345.0;
    FormFactorParametersDialog with(platform, 0.0025, rg, mw);
    EXPECT_EQ(with.shownMemo, "willPlotNote");
    EXPECT_EQ(with.concentrationField, "2.500E0");
    EXPECT_EQ(with.rgField, "4.568E1");
    EXPECT_EQ(with.mwField, "5.123E5");
    with.answerDefault();
    EXPECT_EQ(with.modalResult, FormFactorParametersDialog::kResultOk);
    EXPECT_EQ(rg, 45.68);  // what the field showed
    double negative = -1.0;
    FormFactorParametersDialog without(platform, 0.0025, negative, mw);
    EXPECT_EQ(without.shownMemo, "negativeRgNote");
    EXPECT_TRUE(without.concentrationFieldVisible);
    EXPECT_EQ(without.rgField, "");
    EXPECT_EQ(without.mwField, "");
    without.answerDefault();  // nothing to accept: aborted
    EXPECT_TRUE(without.aborted());
}

TEST(ReflectionCorrectionDialog, GlassChoiceAndTypedIndices) {
    ScriptedPlatform platform;
    ReflectionCorrectionDialog d(platform);
    EXPECT_EQ(d.glassIndexField, "1.460");
    EXPECT_EQ(ReflectionCorrectionDialog::GlassNames(), (std::vector<std::string>{"Suprasil, Herasil", "Pyrex, Duran", "user defined"}));
    d.chooseGlass(1);
    EXPECT_EQ(d.nGlass, 1.47);
    EXPECT_EQ(d.glassIndexField, "1.470");
    d.chooseGlass(2);
    EXPECT_EQ(d.glassIndexField, "");
    EXPECT_EQ(d.focus, "glassIndexField");
    d.chooseGlass(0);
    d.glassIndexEdited("1,52");
    EXPECT_EQ(d.glassChoice, 2);

    d.PrepareFor("/data/a.sta", 0.0012, true);
    d.prepareToShow();
    EXPECT_TRUE(d.solventIndexLabelVisible && d.solventIndexFieldVisible && d.solventIndexHintVisible);
    EXPECT_EQ(d.forAllButtonCaption, "Assume same refractive index for all concentrations");
    EXPECT_EQ(d.concentrationField, "1.20000");
    EXPECT_EQ(d.focus, "solventIndexField");
    d.solventIndexField = "water";
    d.correctAllConcentrations();
    EXPECT_EQ(platform.lastMessage().text, "Invalid input for floating point number.");
    EXPECT_EQ(d.focus, "solventIndexField");
    EXPECT_EQ(d.modalResult, 0);
    EXPECT_EQ(d.nGlass, 1.52);
    d.solventIndexField = "1,333";
    d.correctAllConcentrations();
    EXPECT_EQ(d.nTyped, 1.333);
    EXPECT_EQ(d.modalResult, ReflectionCorrectionDialog::kResultForAll);
    d.glassIndexField = "-1";  // not a refractive index
    d.correctAndPromptAgain();
    EXPECT_EQ(d.focus, "glassIndexField");

    d.PrepareFor("/data/b.sta", 0.002, false);
    d.prepareToShow();
    EXPECT_FALSE(d.solventIndexFieldVisible);
    EXPECT_EQ(d.focus, "glassIndexField");
}

TEST(ReflectionCorrectionDialog, AbortAfterACorrectionAsks) {
    ScriptedPlatform platform;
    ReflectionCorrectionDialog d(platform);
    d.abort();
    EXPECT_EQ(d.modalResult, ReflectionCorrectionDialog::kResultAbort);
    EXPECT_TRUE(platform.messages.empty());
    d.PrepareFor("x", 0.001, false);
    d.correctionApplied = true;
    platform.answers = {MsgAnswer::No};
    d.abort();
    EXPECT_EQ(d.modalResult, 0);
    const RecordedMessage& q = platform.lastMessage();
    EXPECT_EQ(q.text, tx::ReflectAbortQuestion);
    EXPECT_EQ(q.buttons, MsgButtons::YesNo);
    EXPECT_EQ(q.icon, MsgIcon::Exclamation);
    EXPECT_EQ(q.caption, "ZEBStat: Information");
    platform.answers = {MsgAnswer::Yes};
    d.abort();
    EXPECT_EQ(d.modalResult, ReflectionCorrectionDialog::kResultAbort);
    // Left to its defaults the question keeps the dialog open and the correction goes on.
    d.PrepareFor("x", 0.001, false);
    d.answerDefault();
    EXPECT_EQ(d.modalResult, ReflectionCorrectionDialog::kResultPrompt);
}

TEST(ReflectionNoticeDialog, ExplanationForTheAngleAndButtons) {
    ReflectionNoticeDialog d;
    EXPECT_EQ(d.memoTemplate().substr(0, 51), "For the reflection correction on the angle of %.1lf");
    d.Prepare(35.25, 0.0015);
    EXPECT_EQ(d.explanation,
              "For the reflection correction on the angle of 35.2° there is required a\r\n"
              "ratio value corresponding to the counter angle of 180° - 35.2°.\r\n"
              "As the value of this counter angle is not within the interval of measured\r\n"
              "angles, the ratio value therefore only can be obtained by extrapolation\r\n"
              "using the fit polynom of the q**2-dependence.");
    EXPECT_EQ(d.concentrationField, "1.50000");
    d.answerDefault();
    EXPECT_EQ(d.modalResult, ReflectionNoticeDialog::kSkip);
    d.extrapolateAll();
    EXPECT_EQ(d.modalResult, 5);
    d.skipAll();
    EXPECT_EQ(d.modalResult, 7);
}

} // namespace
} // namespace zeb
