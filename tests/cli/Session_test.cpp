// zebstat-batch eval with saved evaluations: --save-session then --session
// gives the same output as the options it was made with; the command line
// overrides the evaluation; changed, missing and damaged files fail with status 1.
#include "platform/ScriptedPlatform.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/SavedEvaluationCommands.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zeb {
namespace {

namespace fs = std::filesystem;
using test::RunBatch;
using test::TempDir;

struct Series {
    TempDir dir;
    std::string toluene, statics, ffu;
    Series() {
        for (const char* name : {"ps-toluene.sta", "ps-static.sta", "coil-40nm.ffu"})
            fs::copy_file(test::Example(name), dir.path() / name);
        toluene = dir.file("ps-toluene.sta");
        statics = dir.file("ps-static.sta");
        ffu = dir.file("coil-40nm.ffu");
    }
};

TEST(BatchSession, SaveSessionThenSessionGivesTheSameJsonAsTheOptions) {
    Series s;
    const std::vector<std::string> options = {"--plot", "berry", "--q-order", "2", "--c-order", "1", "--weight",
                                              "--smooth", "--k", "3.5", "--deactivate", "1:3,2:7"};
    std::vector<std::string> direct = {"eval", "--json", "--results", s.toluene, s.statics};
    direct.insert(direct.end(), options.begin(), options.end());
    const auto reference = RunBatch(direct);
    ASSERT_EQ(reference.status, 0) << reference.err;

    direct.insert(direct.end(), {"--save-session", s.dir.file("e.zeb")});
    const auto saving = RunBatch(direct);
    ASSERT_EQ(saving.status, 0) << saving.err;
    EXPECT_EQ(saving.out, reference.out);
    const std::string zeb = test::ReadFile(s.dir.file("e.zeb"));
    EXPECT_NE(zeb.find("\"path\": \"ps-static.sta\""), std::string::npos) << zeb;
    EXPECT_NE(zeb.find("\"k\": 350000000000"), std::string::npos) << zeb;

    const auto session = RunBatch({"eval", "--json", "--results", "--session", s.dir.file("e.zeb")});
    ASSERT_EQ(session.status, 0) << session.err;
    EXPECT_EQ(session.out, reference.out);
    EXPECT_EQ(session.err, reference.err);

    // Saved again from the session: the same file.
    ASSERT_EQ(RunBatch({"eval", "--session", s.dir.file("e.zeb"), "--save-session", s.dir.file("again.zeb")}).status, 0);
    EXPECT_EQ(test::ReadFile(s.dir.file("again.zeb")), zeb);
}

TEST(BatchSession, AnEvaluationSavedInAWindowGivesItsResultsOnTheCommandLine) {
    Series s;
    ScriptedPlatform platform;
    PlotWindow w(platform);
    platform.openAnswers.push_back(s.toluene);
    w.activate();
    ASSERT_FALSE(w.view().closeRequested);
    w.setQOrder(FitOrder::One);
    w.setCOrder(FitOrder::One);
    w.set().cell(3, 9)->active = 0;  // an outlier clicked off; saving calculates it
    platform.saveAnswers.push_back(s.dir.file("window.zeb"));
    ASSERT_TRUE(saveEvaluation(w, platform));
    const auto r = RunBatch({"eval", "--results", "--session", s.dir.file("window.zeb")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, w.resultsText() + "\n");
}

TEST(BatchSession, TheCommandLineOverridesTheEvaluation) {
    Series s;
    ASSERT_EQ(RunBatch({"eval", s.toluene, "--q-order", "1", "--c-order", "1", "--weight", "--deactivate", "1:2",
                        "--save-session", s.dir.file("e.zeb")})
                  .status,
              0);
    // Options replace the evaluation's values; --deactivate adds points; --no-weight switches weighting off.
    const auto overridden = RunBatch({"eval", "--json", "--session", s.dir.file("e.zeb"), "--q-order", "2",
                                      "--no-weight", "--deactivate", "3:4"});
    const auto direct = RunBatch({"eval", "--json", s.toluene, "--q-order", "2", "--c-order", "1", "--deactivate",
                                  "1:2,3:4"});
    ASSERT_EQ(overridden.status, 0) << overridden.err;
    EXPECT_EQ(overridden.out, direct.out);
    // Files given replace the evaluation's (and are taken as they are).
    const auto other = RunBatch({"eval", "--json", "--session", s.dir.file("e.zeb"), s.statics});
    const auto otherDirect = RunBatch({"eval", "--json", s.statics, "--q-order", "1", "--c-order", "1", "--weight",
                                       "--deactivate", "1:2"});
    ASSERT_EQ(other.status, 0) << other.err;
    EXPECT_EQ(other.out, otherDirect.out);
}

TEST(BatchSession, TheFormFactorViewIsSavedAndShownAgain) {
    Series s;
    const auto reference = RunBatch({"eval", "--json", s.toluene, "--q-order", "1", "--c-order", "1", "--form-factor",
                                     "coil-pd,user:" + s.ffu, "--representation", "3", "--save-session",
                                     s.dir.file("ff.zeb"), "--plot-file", s.dir.file("direct.svg")});
    ASSERT_EQ(reference.status, 0) << reference.err;
    const std::string zeb = test::ReadFile(s.dir.file("ff.zeb"));
    EXPECT_NE(zeb.find("\"models\": [\"coil-pd\", \"user\"], \"representation\": 3"), std::string::npos) << zeb;
    EXPECT_NE(zeb.find("\"userFile\": {\"path\": \"coil-40nm.ffu\""), std::string::npos) << zeb;
    const auto session =
        RunBatch({"eval", "--json", "--session", s.dir.file("ff.zeb"), "--plot-file", s.dir.file("session.svg")});
    ASSERT_EQ(session.status, 0) << session.err;
    // The same chart; the messages differ only by the notice the user's table asks for when it is checked.
    EXPECT_EQ(test::ReadFile(s.dir.file("session.svg")), test::ReadFile(s.dir.file("direct.svg")));
    auto withoutMessages = [](const std::string& out) { return out.substr(0, out.find("\"messages\": ")); };
    EXPECT_EQ(withoutMessages(session.out), withoutMessages(reference.out));
    EXPECT_NE(session.out.find("\"messages\": []"), std::string::npos);
}

TEST(BatchSession, ChangedMissingAndDamagedFilesFailWithTheirMessage) {
    Series s;
    ASSERT_EQ(RunBatch({"eval", s.toluene, "--save-session", s.dir.file("e.zeb")}).status, 0);
    test::WriteFile(s.toluene, test::ReadFile(s.toluene) + "x");
    auto r = RunBatch({"eval", "--json", "--session", s.dir.file("e.zeb")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("have changed since the evaluation was saved"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(s.toluene + "\n"), std::string::npos) << r.err;

    fs::remove(s.toluene);
    r = RunBatch({"eval", "--json", "--session", s.dir.file("e.zeb")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("these data files are missing"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(s.toluene + ": No such file or directory"), std::string::npos) << r.err;

    test::WriteFile(s.dir.file("bad.zeb"), "{\"format\": 1, \"files\": 3}");
    r = RunBatch({"eval", "--session", s.dir.file("bad.zeb")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ZEBstat Error: This is no evaluation file this program can open:\n" + s.dir.file("bad.zeb") +
                         ": \"files\" must list 1 to 99 data files.\n");
    r = RunBatch({"eval", "--session", s.dir.file("none.zeb")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot be read"), std::string::npos) << r.err;
    EXPECT_EQ(RunBatch({"eval", "--session"}).status, 2);
}

TEST(BatchSession, SaveSessionFailuresSayWhy) {
    Series s;
    const auto r = RunBatch({"eval", s.toluene, "--save-session", "/nonexistent/folder/e.zeb"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("zebstat-batch: could not write /nonexistent/folder/e.zeb: "), std::string::npos) << r.err;
}

} // namespace
} // namespace zeb
