// The plot window after a load: the load sequence's hooks run the post-load
// setup (first load and every added file), and the k field ignores Enter
// while a file is read.
#include "analysis/NumberText.h"
#include "app/texts/CommonTexts.h"
#include "data/RoundSig.h"
#include "platform/ScriptedPlatform.h"
#include "plot/TFitF1.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

using test::Example;

double DefaultK(const MeasurementSet& s) {
    return RoundSig(s.q2[s.lastAngleIndex] / s.concentration[s.lastConcIndex] * 10, 3);
}

TEST(TFitF1Load, FirstLoadAndAddedFilesRunThePostLoadSetup) {
    ScriptedPlatform platform;
    TFitF1 w(platform);
    platform.openAnswers.push_back(Example("ps-static.sta"));
    w.FormActivate();
    ASSERT_FALSE(w.view().closeRequested);
    EXPECT_TRUE(w.calculated());
    EXPECT_EQ(w.k(), DefaultK(w.set()));
    EXPECT_EQ(w.widget("EditIDC_EING_K").text, Gcvt6(w.k() * 1e-11));
    // The file holds static data only.
    EXPECT_TRUE(w.menuItem("PLOTTYP_BERRY").enabled);
    EXPECT_FALSE(w.menuItem("PLOTTYP_DI").enabled);
    EXPECT_TRUE(w.widget("BtnIDC_K_KL").visible);
    EXPECT_TRUE(w.menuItem("ID_BER_BERECHNE").enabled);

    // Orders stay, k and its step start again, the new data's plot types are offered.
    w.OnBerechnungQ1();
    w.OnBerechnungC1();
    w.OnClicked_K_Kl();
    ASSERT_EQ(w.kStep(), 9);
    ASSERT_EQ(w.results().conc.size(), 6u);
    platform.openAnswers.push_back(Example("ps-toluene.sta"));
    ASSERT_EQ(w.ID_DATEI_DAZULADENClick(), kLoadOk);
    EXPECT_EQ(w.set().lastConcIndex, 9);
    EXPECT_EQ(w.kStep(), 10);
    EXPECT_EQ(w.k(), DefaultK(w.set()));
    EXPECT_TRUE(w.menuItem("PLOTTYP_DIII").enabled);
    EXPECT_TRUE(w.menuItem("ID_BER_Q_1").checked);
    ASSERT_EQ(w.results().conc.size(), 10u);
    for (int c = 1; c <= 9; ++c) EXPECT_TRUE(w.results().conc[static_cast<std::size_t>(c)].fitted) << c;
    EXPECT_TRUE(w.results().mwQ2.has_value());

    // A failed add leaves data and results as they were.
    const std::string text = w.resultsText();
    platform.openAnswers.push_back("/nonexistent/more.sta");
    EXPECT_EQ(w.ID_DATEI_DAZULADENClick(), kLoadFailed);
    EXPECT_EQ(w.set().lastConcIndex, 9);
    EXPECT_EQ(w.resultsText(), text);
}

TEST(TFitF1Load, EnterInTheKFieldIsIgnoredWhileAFileIsRead) {
    ScriptedPlatform platform;
    TFitF1 w(platform);
    platform.openAnswers.push_back(Example("ps-static.sta"));
    w.FormActivate();
    int pressedWhileLoading = 0;
    platform.onPendingMessages = [&] {
        if (!w.loading()) return;
        ++pressedWhileLoading;
        w.EditIDC_EING_KEnter();
        w.setWidgetText("EditIDC_EING_K", "no number");
        w.EditIDC_EING_KKeyDown(13);
    };
    platform.messages.clear();
    platform.openAnswers.push_back(Example("ps-small.asc"));
    ASSERT_EQ(w.ID_DATEI_DAZULADENClick(), kLoadOk);
    ASSERT_GT(pressedWhileLoading, 0);
    EXPECT_FALSE(platform.saw(tx::InvalidFloatInput));
    EXPECT_EQ(w.k(), DefaultK(w.set()));
    // Once loaded, Enter reads the field.
    platform.onPendingMessages = nullptr;
    w.setWidgetText("EditIDC_EING_K", "no number");
    w.EditIDC_EING_KKeyDown(13);
    EXPECT_TRUE(platform.saw(tx::InvalidFloatInput));
}

} // namespace
} // namespace zeb
