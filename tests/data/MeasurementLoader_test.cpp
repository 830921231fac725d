// The loader without a window: on every example and on damaged files it gives
// the set and the messages of a data window's load, from a path and from bytes,
// and a file added to data that does not load leaves the data as they were.
#include "data/MeasurementLoader.h"
#include "data/ReaderFiles.h"
#include "data/DataWindow.h"
#include "export/ResultsRecord.h"
#include "platform/ScriptedPlatform.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace zeb {
namespace {

using test::Example;

// The messages as "CAPTION: TEXT" lines, in order.
std::string Shown(const ScriptedPlatform& platform) {
    std::string out;
    for (const auto& m : platform.messages) out += m.caption + ": " + m.text + "\n";
    return out;
}

std::string Dump(const MeasurementSet& set) { return set.initialised() ? RecordJson(SetRecord(set, {})) : "(empty)"; }

// What a data window's load gives: its result, messages and set.
struct WindowLoad {
    ScriptedPlatform platform;
    DataWindow window{platform};
    int result = 0;
    explicit WindowLoad(const std::vector<std::string>& paths) {
        platform.openAnswers.assign(paths.begin(), paths.end());
        window.activate();
        result = window.awaitingFirstData() ? kLoadFailed : kLoadOk;
        for (std::size_t i = 1; i < paths.size() && result == kLoadOk; ++i) result = window.addDataFile();
    }
};

struct LoaderLoad {
    ScriptedPlatform platform;
    std::unique_ptr<LoadedMeasurement> measurement;
    explicit LoaderLoad(const std::vector<std::string>& paths) : measurement(LoadMeasurement(paths, platform)) {}
};

// Damaged and refused files, each written into a scratch folder, and what
// the first message says of each.
struct Damaged {
    const char* name;
    std::string bytes;
    const char* says;
};

std::vector<Damaged> DamagedFiles() {
    const std::string sta = test::ReadFile(Example("ps-toluene.sta"));
    const std::string plt = test::ReadFile(Example("ps-tarn.plt"));
    const std::string asc = test::ReadFile(Example("ps-small.asc"));
    const std::string plx = test::ReadFile(Example("ps-toluene.plx"));
    return {
        {"cut.sta", sta.substr(0, sta.size() / 2), "Inconsistence in number of data records"},
        {"header-only.sta", sta.substr(0, 200), "File doesn 't contain any data record !"},
        {"tiny.sta", "ZE", "the file holds fewer than 4 bytes"},
        {"empty.plt", "", "the file holds fewer than 4 bytes"},
        {"dls.dat", "DASC" + std::string(300, ' '), "No SLS data !"},
        {"cut.plt", plt.substr(0, plt.size() / 3), "Unexpected end of file !"},
        {"cut.plx", plx.substr(0, plx.size() / 2), "Unexpected end of file !"},
        {"cut.asc", asc.substr(0, asc.size() - 9), "the file ends inside the number"},
        {"text.asc", "no numbers here\n", "is no number"},
        {"noise.sta", std::string(4096, '\x7f'), "This is no ZEB-7100 record file."},
        {"table.txt", asc, "Unknown file format or file extension."},
        {"no-extension", asc, "Extension missing !"},
    };
}

void ExpectSameAsWindow(const std::vector<std::string>& paths, const std::string& what) {
    WindowLoad w(paths);
    LoaderLoad l(paths);
    EXPECT_EQ(LoadResultNumber(l.measurement->outcome), w.result) << what;
    EXPECT_EQ(Shown(l.platform), Shown(w.platform)) << what;
    if (w.result == kLoadOk) {
        EXPECT_EQ(Dump(l.measurement->set), Dump(w.window.set())) << what;
        ASSERT_EQ(l.measurement->files.size(), w.window.loadedFiles().size()) << what;
        for (std::size_t i = 0; i < l.measurement->files.size(); ++i) {
            EXPECT_EQ(l.measurement->files[i].path, w.window.loadedFiles()[i].path) << what;
            EXPECT_EQ(l.measurement->files[i].identity, w.window.loadedFiles()[i].identity) << what;
        }
    }
}

TEST(MeasurementLoader, EveryExampleAsTheWindowLoadsIt) {
    for (const char* name : {"ps-toluene.sta", "ps-static.sta", "ps-tarn.plt", "ps-toluene.plx", "ps-small.asc"})
        ExpectSameAsWindow({Example(name)}, name);
    // Files of different formats and angle sets in one measurement.
    ExpectSameAsWindow({Example("ps-tarn.plt"), Example("ps-toluene.plx"), Example("ps-small.asc")}, "three files");
}

TEST(MeasurementLoader, DamagedFilesAreRefusedWithTheWindowsMessages) {
    test::TempDir dir;
    for (const Damaged& d : DamagedFiles()) {
        const std::string path = dir.file(d.name);
        test::WriteFile(path, d.bytes);
        ScriptedPlatform platform;
        LoadMeasurement({path}, platform);
        ASSERT_FALSE(platform.messages.empty()) << d.name;
        EXPECT_NE(platform.messages.front().text.find(d.says), std::string::npos)
            << d.name << ": " << platform.messages.front().text;
        // Each message knows its file; shown in a box, the text names it once.
        for (const RecordedMessage& m : platform.messages) {
            EXPECT_EQ(m.file, path) << d.name;
            const std::string shown = WithFileLine(m.text, m.file);
            EXPECT_NE(shown.find(d.name), std::string::npos) << shown;
            EXPECT_EQ(shown.find(d.name), shown.rfind(d.name)) << shown;
        }
        ExpectSameAsWindow({path}, d.name);
        // Added to good data, the file leaves the data as they were.
        ExpectSameAsWindow({Example("ps-toluene.sta"), path}, std::string("added ") + d.name);
    }
    ExpectSameAsWindow({dir.file("missing.sta")}, "a file that is not there");
    ExpectSameAsWindow({dir.path().string() + "/"}, "a folder");
}

TEST(MeasurementLoader, AFileThatFailsLeavesTheDataAsTheyWere) {
    ScriptedPlatform platform;
    MessageLog log;
    MeasurementSet set(log);
    MeasurementLoader loader(set, platform);
    ASSERT_EQ(loader.load(Example("ps-toluene.sta")), LoadOutcome::Loaded);
    const std::string before = Dump(set);
    const std::string sample = set.sampleName;
    test::TempDir dir;
    const std::string cut = dir.file("cut.plt");
    const std::string plt = test::ReadFile(Example("ps-tarn.plt"));
    test::WriteFile(cut, plt.substr(0, plt.size() / 3));
    EXPECT_EQ(loader.load(cut), LoadOutcome::Failed);
    EXPECT_EQ(Dump(set), before);
    EXPECT_EQ(set.sampleName, sample);
    EXPECT_EQ(loader.files().size(), 1u);
    // An abort while the data are stored is a cancelled load, and the data stay too.
    LoadAnswers stop;
    stop.stillLoading = [] { return false; };
    EXPECT_EQ(loader.load(Example("ps-small.asc"), stop), LoadOutcome::Cancelled);
    EXPECT_EQ(Dump(set), before);
    EXPECT_EQ(loader.load(Example("ps-small.asc")), LoadOutcome::Loaded);
    EXPECT_EQ(loader.files().size(), 2u);
    EXPECT_EQ(loader.concentrationsFromFiles(), set.lastConcIndex);
}

TEST(MeasurementLoader, BytesInMemoryLoadAsTheFile) {
    for (const char* name : {"ps-toluene.sta", "ps-tarn.plt", "ps-toluene.plx", "ps-small.asc"}) {
        const std::string path = Example(name);
        ScriptedPlatform fromFile, fromBytes;
        MessageLog log;
        MeasurementSet a(log), b(log);
        MeasurementLoader loaderA(a, fromFile), loaderB(b, fromBytes);
        ASSERT_EQ(loaderA.load(path), LoadOutcome::Loaded) << name;
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        MemoryFiles files(test::ReadFile(path), IdentityOf(st));
        ASSERT_EQ(loaderB.loadBytes(path, files.contents, files.identity, files), LoadOutcome::Loaded) << name;
        EXPECT_EQ(Dump(b), Dump(a)) << name;
        EXPECT_EQ(Shown(fromBytes), Shown(fromFile)) << name;
    }
    // The checks before a reader runs hold for bytes too.
    ScriptedPlatform platform;
    MessageLog log;
    MeasurementSet set(log);
    MeasurementLoader loader(set, platform);
    MemoryFiles none("");
    EXPECT_EQ(loader.loadBytes("/x/a.sta", "DBIN1234", {}, none), LoadOutcome::Failed);
    EXPECT_EQ(loader.loadBytes("/x/a.sta", "AB", {}, none), LoadOutcome::Failed);
    EXPECT_EQ(loader.loadBytes("/x/a", "1 2 3 4", {}, none), LoadOutcome::Failed);
    EXPECT_EQ(platform.messages.size(), 3u);
}

TEST(MeasurementLoader, TheReviewAndTheTableAreAsked) {
    struct CountingReview : RecordReview {
        int records = 0;
        ReviewAnswer review(ZebRecord&, int, double&, int&, const ReviewedFile&) override {
            ++records;
            return ReviewAnswer::Abort;
        }
    } review;
    int tables = 0;
    LoadAnswers answers;
    answers.review = &review;
    answers.concentrationTable = [&] {
        ++tables;
        return std::unique_ptr<ConcentrationTable>(std::make_unique<KeepConcentrations>());
    };
    ScriptedPlatform platform;
    auto aborted = LoadMeasurement({Example("ps-toluene.sta")}, platform, answers);
    EXPECT_EQ(aborted->outcome, LoadOutcome::Cancelled);
    EXPECT_EQ(review.records, 1);
    auto plt = LoadMeasurement({Example("ps-tarn.plt")}, platform, answers);
    EXPECT_TRUE(plt->loaded());
    EXPECT_EQ(tables, 1);
}

} // namespace
} // namespace zeb
