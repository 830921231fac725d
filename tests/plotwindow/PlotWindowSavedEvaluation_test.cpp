// Saving a plot window's evaluation and opening it in a new window: the same
// results text, settings, switched-off points and form-factor view; changed,
// missing and damaged files named; what an evaluation cannot hold refused.
#include "texts/SavedEvaluationTexts.h"
#include "analysis/FitPolynomial.h"
#include "analysis/PlotType.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/SavedEvaluationCommands.h"
#include "plotwindow/PlotWindowSavedEvaluation.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace zeb {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// The examples copied into one folder, as a user keeps a measurement series.
fs::path CopyExamples(const fs::path& folder) {
    fs::create_directories(folder);
    for (const char* name : {"ps-toluene.sta", "ps-static.sta", "coil-40nm.ffu"})
        fs::copy_file(test::Example(name), folder / name);
    return folder;
}

void Load(PlotWindow& w, ScriptedPlatform& platform, const std::vector<fs::path>& files) {
    platform.openAnswers.push_back(files.front().string());
    w.activate();
    ASSERT_FALSE(w.view().closeRequested);
    for (std::size_t i = 1; i < files.size(); ++i) {
        platform.openAnswers.push_back(files[i].string());
        ASSERT_EQ(w.addDataFile(), kLoadOk);
    }
}

std::string Save(PlotWindow& w, ScriptedPlatform& platform, const fs::path& zeb) {
    platform.saveAnswers.push_back(zeb.string());
    const auto written = saveEvaluation(w, platform);
    return written ? *written : std::string();
}

// Opens the evaluation in a new window of its own platform; nullptr when it did not open.
std::unique_ptr<PlotWindow> Open(ScriptedPlatform& platform, const fs::path& zeb) {
    const auto opened = PrepareEvaluation(platform, zeb.string());
    if (!opened) return nullptr;
    auto w = std::make_unique<PlotWindow>(platform);
    if (!OpenEvaluationInWindow(*w, *opened)) return nullptr;
    return w;
}

void ExpectSameWindow(const PlotWindow& a, const PlotWindow& b) {
    EXPECT_EQ(a.resultsText(), b.resultsText());
    EXPECT_EQ(a.plotType(), b.plotType());
    EXPECT_EQ(a.qOrder(), b.qOrder());
    EXPECT_EQ(a.cOrder(), b.cOrder());
    EXPECT_EQ(a.smoothing(), b.smoothing());
    EXPECT_EQ(a.rememberedSmoothing(), b.rememberedSmoothing());
    EXPECT_EQ(a.weighting(), b.weighting());
    EXPECT_EQ(a.k(), b.k());
    EXPECT_EQ(a.deactivatedPoints(), b.deactivatedPoints());
    for (PlotWidget w : {PlotWidget::KField, PlotWidget::MwcField, PlotWidget::MwqField, PlotWidget::RgField, PlotWidget::A2Field})
        EXPECT_EQ(a.widget(w).text, b.widget(w).text) << PlotWidgetName(w);
    for (const PlotMenuEntry& e : PlotMenuTable()) {
        EXPECT_EQ(a.menuItem(e.item).checked, b.menuItem(e.item).checked) << e.name;
        EXPECT_EQ(a.menuItem(e.item).enabled, b.menuItem(e.item).enabled) << e.name;
    }
}

TEST(PlotWindowSavedEvaluation, SavedAndOpenedAgainGivesTheSameWindowAlsoWhenTheFolderMoves) {
    TempDir tmp;
    const fs::path data = CopyExamples(tmp.path() / "series");
    ScriptedPlatform platform;
    PlotWindow w(platform);
    Load(w, platform, {data / "ps-toluene.sta", data / "ps-static.sta"});
    w.setWeighting(Weighting::On);
    w.setPlotType(PlotType::Berry);
    w.setQOrder(FitOrder::Two);
    w.toggleSmoothing();  // smoothing on
    w.setCOrder(FitOrder::One);
    w.stepKDown();
    w.set().cell(1, 3)->active = 0;
    w.set().cell(2, 7)->active = 0;
    w.calculate();
    ASSERT_EQ(w.smoothing(), Smoothing::On);
    ASSERT_FALSE(w.resultsText().empty());

    const std::string zeb = Save(w, platform, data / "polystyrene");  // ".zeb" is added
    ASSERT_EQ(zeb, (data / "polystyrene.zeb").string());
    EXPECT_EQ(platform.saveRequests.back().proposedName, "ps-toluene.zeb");
    EXPECT_EQ(platform.saveRequests.back().initialDir, data.string());
    const std::string text = test::ReadFile(zeb);
    EXPECT_NE(text.find("\"path\": \"ps-toluene.sta\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"deactivated\": [[1, 3], [2, 7]]"), std::string::npos) << text;

    ScriptedPlatform platform2;
    auto opened = Open(platform2, zeb);
    ASSERT_TRUE(opened);
    // The same messages as the loads of the first window (the static file has no Dapp), no more.
    auto texts = [](const ScriptedPlatform& p) {
        std::vector<std::string> t;
        for (const auto& m : p.messages) t.push_back(m.text);
        return t;
    };
    EXPECT_EQ(texts(platform2), texts(platform));
    // The files went through the load sequence: the record review dialog came up as for any load.
    EXPECT_FALSE(platform2.dialogsShown.empty());
    ExpectSameWindow(w, *opened);

    // A colleague gets the folder under another name: the paths are relative to it.
    fs::rename(data, tmp.path() / "copy for a colleague");
    ScriptedPlatform platform3;
    auto moved = Open(platform3, tmp.path() / "copy for a colleague" / "polystyrene.zeb");
    ASSERT_TRUE(moved);
    ExpectSameWindow(w, *moved);
}

TEST(PlotWindowSavedEvaluation, TheFormFactorViewIsRebuiltWithItsParametersAndUserFile) {
    TempDir tmp;
    const fs::path data = CopyExamples(tmp.path() / "d");
    ScriptedPlatform platform;
    PlotWindow w(platform);
    Load(w, platform, {data / "ps-toluene.sta"});
    w.setQOrder(FitOrder::One);
    w.setCOrder(FitOrder::One);
    w.toggleFormFactorModel(kModelCoilPoly);  // polydisperse coil
    platform.openAnswers.push_back((data / "coil-40nm.ffu").string());
    w.toggleFormFactorModel(kModelUser);  // the user's table
    w.showFormFactorPlot(6);
    ASSERT_TRUE(w.formFactor().viewShown);
    ASSERT_EQ(w.formFactor().models, (std::vector<int>{2, 5}));

    const std::string zeb = Save(w, platform, data / "ff.zeb");
    ASSERT_FALSE(zeb.empty()) << platform.lastMessage().text;
    ScriptedPlatform platform2;
    auto opened = Open(platform2, zeb);
    ASSERT_TRUE(opened);
    EXPECT_TRUE(platform2.messages.empty());
    const FormFactorState& a = w.formFactor();
    const FormFactorState& b = opened->formFactor();
    EXPECT_TRUE(b.viewShown);
    EXPECT_EQ(a.models, b.models);
    EXPECT_EQ(a.form, b.form);
    EXPECT_EQ(a.rgNm, b.rgNm);
    EXPECT_EQ(a.mwGPerMol, b.mwGPerMol);
    EXPECT_EQ(a.row, b.row);
    EXPECT_EQ(a.dataLabel, b.dataLabel);
    ASSERT_EQ(a.measured.size(), b.measured.size());
    for (int model : {2, 5}) {
        const auto ca = w.formFactorCurve(model), cb = opened->formFactorCurve(model);
        ASSERT_EQ(ca.size(), cb.size());
        for (std::size_t i = 0; i < ca.size(); ++i) EXPECT_EQ(ca[i].y, cb[i].y) << model << " " << i;
    }
    EXPECT_EQ(w.menuItem(PlotMenuItem::Calculate).enabled, opened->menuItem(PlotMenuItem::Calculate).enabled);
    EXPECT_EQ(w.widget(PlotWidget::KSmallerButton).visible, opened->widget(PlotWidget::KSmallerButton).visible);
}

TEST(PlotWindowSavedEvaluation, ChangedMissingAndDamagedFilesAreNamed) {
    TempDir tmp;
    const fs::path data = CopyExamples(tmp.path() / "d");
    ScriptedPlatform platform;
    PlotWindow w(platform);
    Load(w, platform, {data / "ps-toluene.sta", data / "ps-static.sta"});
    w.setQOrder(FitOrder::One);
    const std::string zeb = Save(w, platform, data / "e.zeb");
    ASSERT_FALSE(zeb.empty());

    // One byte changed, the size the same: the hash tells. No (preselected) opens nothing.
    std::string bytes = test::ReadFile((data / "ps-static.sta").string());
    bytes[bytes.size() - 3] ^= 1;
    test::WriteFile((data / "ps-static.sta").string(), bytes);
    ScriptedPlatform asked;
    asked.answers.push_back(MsgAnswer::No);
    EXPECT_FALSE(Open(asked, zeb));
    ASSERT_EQ(asked.messages.size(), 1u);
    const RecordedMessage& question = asked.messages.front();
    EXPECT_EQ(question.text, std::string(tx::EvaluationFilesChanged) + (data / "ps-static.sta").string() + "\n" +
                                 tx::EvaluationOpenChangedQuestion);
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.defaultAnswer, MsgAnswer::No);
    // Yes opens it with the file as it is now.
    ScriptedPlatform accepted;
    accepted.answers.push_back(MsgAnswer::Yes);
    auto opened = Open(accepted, zeb);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->set().lastConcIndex, w.set().lastConcIndex);

    // A missing file is named and nothing opens; no question is asked.
    fs::remove(data / "ps-toluene.sta");
    ScriptedPlatform missing;
    EXPECT_FALSE(Open(missing, zeb));
    ASSERT_EQ(missing.messages.size(), 1u);
    EXPECT_EQ(missing.messages[0].text.rfind(tx::EvaluationFilesMissing, 0), 0u);
    EXPECT_NE(missing.messages[0].text.find((data / "ps-toluene.sta").string() + ": No such file"), std::string::npos)
        << missing.messages[0].text;
    EXPECT_EQ(missing.messages[0].buttons, MsgButtons::Ok);

    // A damaged evaluation file is refused with what is wrong in it.
    test::WriteFile((data / "bad.zeb").string(), "{\"format\": 2}");
    ScriptedPlatform damaged;
    EXPECT_FALSE(Open(damaged, data / "bad.zeb"));
    ASSERT_EQ(damaged.messages.size(), 1u);
    EXPECT_EQ(damaged.messages[0].text, std::string(tx::EvaluationDamaged) + (data / "bad.zeb").string() +
                                            ": the file has format 2; this program reads evaluations of format 1.");
}

TEST(PlotWindowSavedEvaluation, SavingCalculatesPendingSwitchesAndRefusesAFileChangedSinceItWasLoaded) {
    TempDir tmp;
    const fs::path data = CopyExamples(tmp.path() / "d");
    ScriptedPlatform platform;
    PlotWindow w(platform);
    Load(w, platform, {data / "ps-toluene.sta"});
    w.setQOrder(FitOrder::One);
    w.setCOrder(FitOrder::One);
    const std::string before = w.resultsText();
    // A point switched off by a click counts from the next calculation: saving makes it.
    w.set().cell(1, 1)->active = 0;
    ASSERT_TRUE(w.pointsChangedSinceCalculation());
    const std::string zeb = Save(w, platform, data / "e.zeb");
    ASSERT_FALSE(zeb.empty());
    EXPECT_NE(w.resultsText(), before);
    ScriptedPlatform platform2;
    auto opened = Open(platform2, zeb);
    ASSERT_TRUE(opened);
    ExpectSameWindow(w, *opened);

    // A data file is never replaced by the evaluation.
    platform.messages.clear();
    const std::string dataBefore = test::ReadFile((data / "ps-toluene.sta").string());
    EXPECT_TRUE(Save(w, platform, data / "ps-toluene.sta").empty());
    EXPECT_EQ(test::ReadFile((data / "ps-toluene.sta").string()), dataBefore);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text.rfind(tx::EvaluationWouldReplaceData, 0), 0u) << platform.messages[0].text;

    // The file changed after it was loaded: the window's data are no longer the file's.
    test::WriteFile((data / "ps-toluene.sta").string(), test::ReadFile((data / "ps-toluene.sta").string()) + " ");
    platform.messages.clear();
    EXPECT_TRUE(Save(w, platform, data / "later.zeb").empty());
    EXPECT_FALSE(fs::exists(data / "later.zeb"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text.rfind(tx::EvaluationFileChangedSinceLoad, 0), 0u);
    EXPECT_NE(platform.messages[0].text.find((data / "ps-toluene.sta").string()), std::string::npos);
}

TEST(PlotWindowSavedEvaluation, PointsThatDoNotExistAreNamedAndLeftOut) {
    TempDir tmp;
    const fs::path data = CopyExamples(tmp.path() / "d");
    ScriptedPlatform platform;
    PlotWindow w(platform);
    Load(w, platform, {data / "ps-toluene.sta"});
    auto e = CaptureEvaluation(w, (data / "e.zeb").string());
    ASSERT_TRUE(e.evaluation) << e.problem;
    e.evaluation->options.switchedOff = {{1, 2}, {60, 3}};
    ScriptedPlatform platform2;
    PlotWindow w2(platform2);
    ASSERT_TRUE(OpenEvaluationInWindow(w2, {*e.evaluation, (data / "e.zeb").string()}));
    EXPECT_EQ(w2.deactivatedPoints(), (std::vector<PointIndex>{{1, 2}}));
    ASSERT_EQ(platform2.messages.size(), 1u);
    EXPECT_EQ(platform2.messages[0].text, std::string(tx::EvaluationPointsMissing) + "60:3 ");
}

TEST(PlotWindowSavedEvaluation, ReadOnlyDataOpenForAnOrdinaryUser) {
    TempDir tmp;
    const fs::path data = CopyExamples(tmp.path() / "d");
    fs::create_directories(tmp.path() / "out");
    {
        ScriptedPlatform platform;
        PlotWindow w(platform);
        Load(w, platform, {data / "ps-toluene.sta"});
        w.setQOrder(FitOrder::One);
        ASSERT_FALSE(Save(w, platform, data / "e.zeb").empty());
    }
    test::GiveToOrdinaryUser(tmp.path());
    for (const auto& entry : fs::directory_iterator(data)) ::chmod(entry.path().c_str(), 0444);
    ::chmod(data.c_str(), 0555);
    ::chmod(tmp.path().c_str(), 0755);
    const int result = test::RunAsOrdinaryUser([&] {
        ScriptedPlatform platform;
        auto w = Open(platform, data / "e.zeb");
        if (!w || w->qOrder() != FitOrder::One) return 1;
        // Saved again elsewhere: the data files are only read.
        return Save(*w, platform, tmp.path() / "out" / "again.zeb").empty() ? 2 : 0;
    });
    ::chmod(data.c_str(), 0755);
    EXPECT_EQ(result, 0);
}

} // namespace
} // namespace zeb
