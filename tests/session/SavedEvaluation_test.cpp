// The .zeb text: written and read back field for field, every damaged or
// hostile variant refused with a message that says what is wrong, and the
// paths of the data files relative to the evaluation where they share a folder.
#include "session/SavedEvaluation.h"
#include "export/JsonDocument.h"
#include "platform/CodePage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace zeb;
using zeb::test::TempDir;

namespace {

const std::string kSha(64, 'a');

SavedEvaluation fullEvaluation() {
    SavedEvaluation e;
    e.files = {{"ps-toluene.sta", 5148, kSha}, {"../other/ps small.asc", 77, std::string(64, '0')}};
    e.options.plotType = PlotType::Berry;
    e.options.qOrder = FitOrder::Two;
    e.options.cOrder = FitOrder::One;
    e.options.smoothing = Smoothing::On;
    e.options.weighting = Weighting::On;
    e.options.kInternal = 1.2345678901234567e12;
    e.options.switchedOff = {{1, 3}, {4, 13}};
    EvaluationFormFactor ff;
    ff.models = {5, 1};
    ff.representation = 7;
    ff.rgNm = 31.25;
    ff.mwGPerMol = 1.0123456789e6;
    ff.compared = 0;
    ff.userFile = EvaluationDataFile{"coil-40nm.ffu", 300, std::string(64, 'f')};
    e.formFactor = ff;
    return e;
}

// A valid file with one line replaced.
std::string withField(const std::string& key, const std::string& value) {
    SavedEvaluation e;
    e.files = {{"a.sta", 10, kSha}};
    std::string text = EvaluationJson(e);
    const auto at = text.find("\"" + key + "\": ");
    if (at == std::string::npos) return text;
    const auto start = at + key.size() + 4;
    const auto end = text.find(",\n", start) == std::string::npos ? text.find("\n}", start) : text.find(",\n", start);
    return text.substr(0, start) + value + text.substr(end);
}

} // namespace

TEST(SavedEvaluationFile, EveryFieldSurvivesWriteAndRead) {
    const SavedEvaluation e = fullEvaluation();
    const std::string text = EvaluationJson(e);
    EXPECT_NE(text.find("\"format\": 1"), std::string::npos);
    EXPECT_NE(text.find("\"plotType\": \"berry\""), std::string::npos);
    const EvaluationParse back = ParseEvaluation(text);
    ASSERT_TRUE(back.evaluation) << back.problem;
    const SavedEvaluation& r = *back.evaluation;
    ASSERT_EQ(r.files.size(), 2u);
    EXPECT_EQ(r.files[1].path, "../other/ps small.asc");
    EXPECT_EQ(r.files[0].sizeBytes, 5148u);
    EXPECT_EQ(r.files[1].sha256, std::string(64, '0'));
    EXPECT_EQ(r.options.plotType, PlotType::Berry);
    EXPECT_EQ(r.options.qOrder, FitOrder::Two);
    EXPECT_EQ(r.options.cOrder, FitOrder::One);
    EXPECT_EQ(r.options.smoothing, Smoothing::On);
    EXPECT_EQ(r.options.weighting, Weighting::On);
    ASSERT_TRUE(r.options.kInternal);
    EXPECT_EQ(*r.options.kInternal, *e.options.kInternal);  // 17 digits: the same double
    EXPECT_EQ(r.options.switchedOff, e.options.switchedOff);
    ASSERT_TRUE(r.formFactor);
    EXPECT_EQ(r.formFactor->models, (std::vector<int>{5, 1}));
    EXPECT_EQ(r.formFactor->representation, 7);
    EXPECT_EQ(r.formFactor->mwGPerMol, e.formFactor->mwGPerMol);
    EXPECT_EQ(r.formFactor->compared, 0);
    ASSERT_TRUE(r.formFactor->userFile);
    EXPECT_EQ(r.formFactor->userFile->path, "coil-40nm.ffu");

    // A null k (the data's default k), no form factor, and upper-case hex are taken.
    const EvaluationParse simple = ParseEvaluation(withField("k", "null"));
    ASSERT_TRUE(simple.evaluation) << simple.problem;
    EXPECT_FALSE(simple.evaluation->options.kInternal);
    EXPECT_FALSE(simple.evaluation->formFactor);
    SavedEvaluation upper;
    upper.files = {{"a.sta", 1, std::string(64, 'A')}};
    EXPECT_EQ(ParseEvaluation(EvaluationJson(upper)).evaluation->files[0].sha256, std::string(64, 'a'));
}

TEST(SavedEvaluationFile, TheDocumentedExampleIsRead) {
    const EvaluationParse r = ReadEvaluationFile(zeb::test::DataFile("formats/form-factor.zeb"));
    ASSERT_TRUE(r.evaluation) << r.problem;
    EXPECT_EQ(r.evaluation->files[1].path, "/data/series 2/ps-static.sta");
    EXPECT_EQ(r.evaluation->options.plotType, PlotType::Berry);
    ASSERT_TRUE(r.evaluation->formFactor);
    EXPECT_EQ(r.evaluation->formFactor->representation, 3);
    EXPECT_EQ(r.evaluation->formFactor->userFile->path, "coil-40nm.ffu");
}

TEST(SavedEvaluationFile, DamagedAndHostileFilesAreRefusedWithWhatIsWrong) {
    const struct {
        std::string text;
        std::string problem;
    } cases[] = {
        {"", "not JSON: line 1, column 1"},
        {"{\"format\": 1,", "not JSON"},
        {EvaluationJson(fullEvaluation()).substr(0, 200), "not JSON"},
        {"[1, 2]", "holds no JSON object"},
        {"{\"files\": []}", "\"format\" is missing"},
        {withField("format", "2"), "format 2; this program reads evaluations of format 1"},
        {withField("format", "\"1\""), "\"format\" must be a whole number"},
        {withField("format", "1.5"), "\"format\" must be a whole number"},
        {withField("qOrder", "6"), "\"qOrder\" must be a whole number from 0 to 5"},
        {withField("qOrder", "1.5"), "\"qOrder\" must be a whole number from 0 to 5"},
        {withField("cOrder", "-1"), "\"cOrder\" must be a whole number from 0 to 5"},
        {withField("plotType", "\"kratky\""), "\"plotType\" must be zimm, berry, guinier, d1, d2 or d3"},
        {withField("plotType", "1"), "\"plotType\" must be zimm"},
        {withField("k", "0"), "\"k\" must be null or a number other than 0"},
        {withField("k", "1e999"), "number out of range"},
        {withField("smoothing", "1"), "\"smoothing\" must be true or false"},
        {withField("files", "[]"), "\"files\" must list 1 to 99 data files"},
        {withField("files", "[{\"path\": \"\", \"size\": 1, \"sha256\": \"" + kSha + "\"}]"), "\"path\" must be"},
        {withField("files", "[{\"path\": \"a\\u0000b\", \"size\": 1, \"sha256\": \"" + kSha + "\"}]"), "NUL"},
        {withField("files", "[{\"path\": \"a\", \"size\": -1, \"sha256\": \"" + kSha + "\"}]"), "\"size\" must be"},
        {withField("files", "[{\"path\": \"a\", \"size\": 1, \"sha256\": \"abc\"}]"), "\"sha256\" must be 64 hex"},
        {withField("files", "[{\"path\": \"a\", \"size\": 1}]"), "file 1: \"sha256\" is missing"},
        {withField("files", "[{\"path\": \"a\", \"size\": 1, \"sha256\": \"" + kSha + "\", \"x\": 1}]"), "unknown entry \"x\""},
        {withField("files", "[\"a.sta\"]"), "file 1 must be an object"},
        {withField("deactivated", "[[1]]"), "[concentration, angle] pairs"},
        {withField("deactivated", "[[0, 1]]"), "a concentration in \"deactivated\" must be a whole number from 1 to 99"},
        {withField("deactivated", "[[1, 136]]"), "an angle in \"deactivated\" must be a whole number from 1 to 135"},
        {withField("deactivated", "{}"), "[concentration, angle] pairs"},
        {withField("formFactor", "{\"models\": [\"user\"], \"representation\": 11, \"rgNm\": 30, \"mwGPerMol\": 1e6, \"compared\": 0}"),
         "the model \"user\" needs \"userFile\""},
        {withField("formFactor", "{\"models\": [\"rod\", \"rod\"], \"representation\": 11, \"rgNm\": 30, \"mwGPerMol\": 1e6, \"compared\": 0}"),
         "listed twice"},
        {withField("formFactor", "{\"models\": [\"rod\"], \"representation\": 13, \"rgNm\": 30, \"mwGPerMol\": 1e6, \"compared\": 0}"),
         "\"representation\" must be a whole number from 1 to 12"},
        {withField("formFactor", "{\"models\": [\"rod\"], \"representation\": 1, \"rgNm\": -3, \"mwGPerMol\": 1e6, \"compared\": 0}"),
         "\"rgNm\" must be a number above 0"},
        {withField("formFactor", "7"), "\"formFactor\" must be null or an object"},
        {"{\"format\": 1, \"format\": 1}", "the key \"format\" appears twice"},
        {"{\"format\": 1, \"extra\": true, \"files\": []}", "unknown entry \"extra\""},
        {std::string(100, '[') + std::string(100, ']'), "nested too deeply"},
        {"{\"format\": 01}", "',' or '}' expected"},
        {"{\"format\": 1.}", "a digit expected after the decimal point"},
        {"{\"format\": 1} x", "text after the end"},
        {"{\"format\": \"\\ud800\"}", "high surrogate"},
        {"{\"format\": \"a\tb\"}", "control character"},
    };
    for (const auto& c : cases) {
        const EvaluationParse r = ParseEvaluation(c.text);
        EXPECT_FALSE(r.evaluation) << c.text;
        EXPECT_NE(r.problem.find(c.problem), std::string::npos) << "problem: " << r.problem << "\nexpected: " << c.problem;
    }
    // A form-factor view belongs to a static plot type.
    SavedEvaluation dynamicFF = fullEvaluation();
    dynamicFF.options.plotType = PlotType::DI;
    EXPECT_NE(ParseEvaluation(EvaluationJson(dynamicFF)).problem.find("needs a static plot type"), std::string::npos);
}

TEST(SavedEvaluationFile, ReadingNamesTheFileAndRefusesTheUnreadableAndTheHuge) {
    TempDir dir;
    const std::string path = dir.file("e.zeb");
    zeb::test::WriteFile(path, withField("qOrder", "9"));
    EvaluationParse r = ReadEvaluationFile(path);
    EXPECT_FALSE(r.unreadable);
    EXPECT_EQ(r.problem.rfind(path + ": ", 0), 0u) << r.problem;

    r = ReadEvaluationFile(dir.file("none.zeb"));
    EXPECT_TRUE(r.unreadable);
    EXPECT_NE(r.problem.find("No such file"), std::string::npos) << r.problem;
    r = ReadEvaluationFile(dir.path().string());
    EXPECT_FALSE(r.evaluation);

    zeb::test::WriteFile(dir.file("huge.zeb"), std::string(kMaxEvaluationFileBytes + 1, ' '));
    r = ReadEvaluationFile(dir.file("huge.zeb"));
    EXPECT_FALSE(r.evaluation);
    EXPECT_NE(r.problem.find("at most"), std::string::npos) << r.problem;

    // Reading needs read access only.
    SavedEvaluation e;
    e.files = {{"a.sta", 10, kSha}};
    zeb::test::WriteFile(dir.file("ro.zeb"), EvaluationJson(e));
    ::chmod(dir.file("ro.zeb").c_str(), 0444);
    EXPECT_TRUE(ReadEvaluationFile(dir.file("ro.zeb")).evaluation);
}

TEST(SavedEvaluationFile, PathsAreRelativeWhereDataAndEvaluationShareAFolder) {
    EXPECT_EQ(PathForEvaluation("/home/u/data/x.sta", "/home/u/data/e.zeb"), "x.sta");
    EXPECT_EQ(PathForEvaluation("/home/u/data/run 1/x.sta", "/home/u/data/e.zeb"), "run 1/x.sta");
    EXPECT_EQ(PathForEvaluation("/home/u/data/x.sta", "/home/u/evaluations/e.zeb"), "../data/x.sta");
    // Nothing shared below the root: the absolute path.
    EXPECT_EQ(PathForEvaluation("/srv/data/x.sta", "/home/u/e.zeb"), "/srv/data/x.sta");

    EXPECT_EQ(ResolveEvaluationPath("x.sta", "/home/u/data/e.zeb"), "/home/u/data/x.sta");
    EXPECT_EQ(ResolveEvaluationPath("../data/x.sta", "/home/u/evaluations/e.zeb"), "/home/u/data/x.sta");
    EXPECT_EQ(ResolveEvaluationPath("/srv/data/./x.sta", "/home/u/e.zeb"), "/srv/data/x.sta");
    for (const char* data : {"/home/u/data/x.sta", "/home/u/a/b/c/x.sta", "/opt/x.sta"})
        EXPECT_EQ(ResolveEvaluationPath(PathForEvaluation(data, "/home/u/e/v.zeb"), "/home/u/e/v.zeb"), data);
}

TEST(JsonDocument, ReadsTheGrammarExactly) {
    const auto v = jsondoc::Parse(" {\"a\": [true, false, null, -0.5e+2, 12, \"\\u00e9\\ud83d\\ude00\\n\"]} ");
    ASSERT_TRUE(v.value) << v.error;
    const jsondoc::Value& a = *v.value->find("a");
    ASSERT_EQ(a.items.size(), 6u);
    EXPECT_TRUE(a.items[0].boolean);
    EXPECT_TRUE(a.items[2].isNull());
    EXPECT_EQ(a.items[3].number, -50.0);
    EXPECT_FALSE(a.items[3].integral);
    EXPECT_TRUE(a.items[4].integral);
    EXPECT_EQ(a.items[5].text, "\xC3\xA9\xF0\x9F\x98\x80\n");
    EXPECT_EQ(jsondoc::Parse(jsondoc::Quote("tab\there \"q\" \x01")).value->text, "tab\there \"q\" \x01");
    // Bytes that are no UTF-8 are written as \udcXX and read back as the bytes.
    for (const std::string& raw : {std::string("caf\xE9"), std::string("\xE2\x82"), std::string("\xED\xA0\x80"),
                                  std::string("\xC0\xAF"), std::string("\xF4\x90\x80\x80"), std::string("ok \xC3\xA9")}) {
        const std::string quoted = jsondoc::Quote(raw);
        EXPECT_TRUE(IsUtf8(quoted)) << quoted;
        EXPECT_EQ(jsondoc::Parse(quoted).value->text, raw) << quoted;
    }
    EXPECT_EQ(jsondoc::Quote("caf\xE9"), "\"caf\\udce9\"");
    EXPECT_FALSE(jsondoc::Parse("\"\\udc7f\"").value) << "no byte below 0x80 is escaped so";
    for (const char* bad : {"tru", "+1", "-", ".5", "1e", "[1,]", "{\"a\" 1}", "{'a': 1}", "\"\\x\"", "[1 2]"})
        EXPECT_FALSE(jsondoc::Parse(bad).value) << bad;
    EXPECT_EQ(jsondoc::Parse("[\n  1,\n  x]").error, "line 3, column 3: a value expected");
}
