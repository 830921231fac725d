// The user's record files are safe: a file that is no record file never
// reaches the review dialog, impossible records are named and left out, and a
// correction interrupted anywhere (a failed write, Abort at the next dialog, a
// killed program, no write access) leaves the old or the new complete file,
// with the untouched original beside it.
#include "LoadTestSupport.h"

#include "texts/CommonTexts.h"
#include "texts/DataTexts.h"
#include "texts/FileTexts.h"
#include "texts/ImportDialogTexts.h"
#include "texts/ReadCheckTexts.h"
#include "data/CFormat.h"
#include "data/FileReplace.h"
#include "data/LittleEndian.h"
#include "platform/AtomicFile.h"
#include "dialogs/RecordReviewDialog.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>

#include <filesystem>

namespace zeb {
namespace {

using examples::RecordSpec;
using test::LoadWindow;

RecordSpec SafetyRecord(float cGPerCm3, float angle, float kcr) {
    RecordSpec r;
    r.sampleName = "Safety sample";
    r.solventName = "Toluene";
    r.standardName = "Toluene";
    r.concentrationGPerCm3 = cGPerCm3;
    r.angleDeg = angle;
    r.kcr = kcr;
    r.kcrError = 0.01f * kcr;
    r.dapp[0] = r.dapp[1] = r.dapp[2] = 2e-7f;
    return r;
}

// Three concentrations at three angles: records 2..10.
std::string ThreeByThree() {
    std::vector<RecordSpec> records;
    for (float c : {1e-3f, 2e-3f, 3e-3f})
        for (float angle : {30.0f, 90.0f, 150.0f}) records.push_back(SafetyRecord(c, angle, 1e-6f * (1 + c * 1e3f)));
    return examples::RecordFileBytes(records);
}

void Change(ScriptedPlatform& p, std::function<void(RecordReviewDialog&)> edit = {}, std::function<void()> during = {}) {
    p.dialogScripts.push_back([edit, during](ModalDialog& d) {
        auto& form = dynamic_cast<RecordReviewDialog&>(d);
        if (during) during();
        if (edit) edit(form);
        else form.concentrationField = "1.5";
        form.applyChanges();
    });
}

// The review of a file that cannot take a change: what it says under the
// warning, and whether Change closed it; then "Continue without any change".
void ChangeRefused(ScriptedPlatform& p, std::string& note, bool& closedByChange) {
    p.dialogScripts.push_back([&note, &closedByChange](ModalDialog& d) {
        auto& form = dynamic_cast<RecordReviewDialog&>(d);
        note = form.cannotChangeNote;
        form.concentrationField = "1.5";
        form.applyChanges();
        closedByChange = form.closed();
        form.continueUnchanged();
    });
}

void Continue(ScriptedPlatform& p, std::function<void()> during = {}) {
    p.dialogScripts.push_back([during](ModalDialog& d) {
        if (during) during();
        dynamic_cast<RecordReviewDialog&>(d).continueUnchanged();
    });
}

// Hidden files: what a temporary file would leave.
std::vector<std::string> StrayFiles(const std::filesystem::path& folder) {
    std::vector<std::string> stray;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (e.path().filename().string().rfind('.', 0) == 0) stray.push_back(e.path().string());
    return stray;
}
std::vector<std::string> StrayFiles(const test::TempDir& dir) { return StrayFiles(dir.path()); }

// The window's data without the source names (the same records from two paths).
std::string Values(const MeasurementSet& s) {
    std::string out = std::to_string(s.lastConcIndex) + "/" + std::to_string(s.lastAngleIndex) + "|";
    for (int c = 1; c <= s.lastConcIndex; ++c) {
        out += std::to_string(s.concentration[static_cast<std::size_t>(c)]) + ":";
        for (int a = 1; a <= s.lastAngleIndex; ++a) {
            const DataPoint& p = *s.cell(c, a);
            out += std::to_string(p.hasData) + "," + std::to_string(p.kcr) + "," + std::to_string(p.q2) + ";";
        }
    }
    return out;
}

struct FaultGuard {
    ~FaultGuard() {
        SetWriteFaultForTests({});
        SetUnnamedTemporaryFilesForTests(true);
    }
};

TEST(RecordSafety, AFileThatIsNoRecordFileNeverReachesTheReview) {
    test::TempDir dir;
    std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x02\x80\0\0\x01\xe0\x08\x06\0\0\0", 29);
    examples::Noise noise(7);
    while (png.size() < 5000) png += static_cast<char>(static_cast<int>(noise.normal() * 1000) & 0xFF);
    struct Case {
        std::string name, bytes, detail;
    };
    for (const Case& c : {Case{"picture.sta", png, ", record 2 (bytes 198 to 395): the sample name holds the byte"},
                          Case{"table.sta", examples::ExampleFile("ps-toluene.plx"),
                               ": the records hold nothing but text: this is a text file"}}) {
        const auto path = test::Write(dir, c.name, c.bytes);
        LoadWindow w;
        Change(w.platform);
        EXPECT_FALSE(w.first(path)) << c.name;
        EXPECT_TRUE(w.platform.dialogsShown.empty()) << c.name;
        ASSERT_EQ(w.platform.messages.size(), 1u) << c.name;
        EXPECT_EQ(test::LeadOf(w.platform.lastMessage().text), tx::NotARecordFile);
        EXPECT_EQ(test::DetailOf(w.platform.lastMessage().text).rfind(path + c.detail, 0), 0u)
            << w.platform.lastMessage().text;
        EXPECT_EQ(test::ReadFile(path), c.bytes) << "never written";
        EXPECT_FALSE(std::filesystem::exists(OriginalCopyPath(path)));
    }
    // What the format allows still loads: a partial tail, a count that does not fit, NUL-ended names.
    RecordSpec nul = SafetyRecord(1e-3f, 60, 1e-6f);
    nul.solventName = std::string("Toluol\0\x01\x02", 9);
    for (const std::string& bytes : {ThreeByThree() + std::string(150, '\xEE'), examples::RecordFileBytes({nul}, 7)}) {
        LoadWindow w;
        EXPECT_EQ(w.load(test::Write(dir, "fine.sta", bytes)), kLoadOk);
    }
}

TEST(RecordSafety, ImpossibleRecordsAreNamedAndLeftOut) {
    test::TempDir dir;
    std::vector<RecordSpec> good;
    for (float c : {1e-3f, 2e-3f})
        for (float angle : {30.0f, 90.0f}) good.push_back(SafetyRecord(c, angle, 1e-6f));
    RecordSpec angle0 = SafetyRecord(1e-3f, 0.0f, 5e-6f), infLambda = SafetyRecord(1e-3f, 60, 5e-6f),
               n0 = SafetyRecord(2e-3f, 60, 5e-6f), negative = SafetyRecord(-1e-3f, 60, 5e-6f);
    infLambda.wavelengthNm = INFINITY;
    n0.nSolvent = 0.0f;
    std::vector<RecordSpec> all = good;
    all.insert(all.begin() + 1, angle0);  // record 3
    all.push_back(infLambda);             // record 7
    all.push_back(n0);                    // record 8
    all.push_back(negative);              // record 9
    const auto path = test::Write(dir, "bad.sta", examples::RecordFileBytes(all));
    LoadWindow w;
    ASSERT_EQ(w.load(path), kLoadOk);
    ASSERT_GE(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages[0].text, std::string(tx::ImpossibleRecordValues) + "\n" + path +
                                               ":\nrecord 3: angle 0\u00b0\nrecord 7: wavelength inf nm\n"
                                               "record 8: refractive index of the solvent 0\nrecord 9: concentration "
                                               "-0.001 g/cm\u00b3");
    LoadWindow clean;
    ASSERT_EQ(clean.load(test::Write(dir, "good.sta", examples::RecordFileBytes(good))), kLoadOk);
    EXPECT_EQ(Values(w.set()), Values(clean.set())) << "the impossible records move nothing";

    // Many: the first ten are named, the rest counted; a file of nothing else loads nothing.
    std::vector<RecordSpec> zeros(14, SafetyRecord(1e-3f, 0.0f, 1e-6f));
    LoadWindow z;
    EXPECT_EQ(z.load(test::Write(dir, "zeros.sta", examples::RecordFileBytes(zeros))), kLoadFailed);
    ASSERT_EQ(z.platform.messages.size(), 1u);
    EXPECT_NE(z.platform.lastMessage().text.find("record 11: angle 0\u00b0\nand 4 more records."), std::string::npos);
    EXPECT_TRUE(z.platform.dialogsShown.empty());
}

TEST(RecordSafety, ACorrectionIsWrittenWholeBeforeTheNextDialogWithTheOriginalBeside) {
    test::TempDir dir;
    const std::string original = ThreeByThree();
    const auto path = test::Write(dir, "c.sta", original);
    std::string atSecondDialog;
    LoadWindow w;
    Change(w.platform, [](RecordReviewDialog& f) {
        EXPECT_EQ(f.originalFileNote, "Before the first change the untouched file is kept beside it as \"c.sta.orig\".");
        f.concentrationField = "1.5";
    });
    Continue(w.platform, [&] { atSecondDialog = test::ReadFile(path); });
    ASSERT_EQ(w.load(path), kLoadOk);
    const std::string after = test::ReadFile(path);
    EXPECT_EQ(atSecondDialog, after) << "the first concentration was complete on disk before the next dialog";
    EXPECT_NE(after, original);
    EXPECT_EQ(after.substr(4 * 198), original.substr(4 * 198));
    for (int n = 2; n <= 4; ++n)
        EXPECT_FLOAT_EQ(le::getF32(reinterpret_cast<const std::uint8_t*>(after.data()) + (n - 1) * 198 + 118), 1.5e-3f);
    EXPECT_EQ(test::ReadFile(OriginalCopyPath(path)), original);
    EXPECT_TRUE(StrayFiles(dir).empty());

    // A later correction never overwrites the kept original, nor one that was there before.
    LoadWindow again;
    Change(again.platform, [](RecordReviewDialog& f) { f.concentrationField = "1.7"; });
    ASSERT_EQ(again.load(path), kLoadOk);
    EXPECT_EQ(test::ReadFile(OriginalCopyPath(path)), original);
    const auto other = test::Write(dir, "d.sta", original);
    test::WriteFile(OriginalCopyPath(other), "an older state");
    LoadWindow third;
    Change(third.platform);
    ASSERT_EQ(third.load(other), kLoadOk);
    EXPECT_EQ(test::ReadFile(OriginalCopyPath(other)), "an older state");
    EXPECT_NE(test::ReadFile(other), original);
}

TEST(RecordSafety, AFailedWriteAtAnyStepLeavesTheOldFileAndLoadsIt) {
    FaultGuard guard;
    const std::string original = ThreeByThree();
    test::TempDir reference;
    LoadWindow plain;
    ASSERT_EQ(plain.load(test::Write(reference, "c.sta", original)), kLoadOk);
    for (ReplaceStep step :
         {ReplaceStep::CreateTemporary, ReplaceStep::Write, ReplaceStep::WriteSecondHalf, ReplaceStep::Flush, ReplaceStep::Rename})
    for (const bool named : {false, true}) {
        SCOPED_TRACE(static_cast<int>(step));
        SCOPED_TRACE(named ? "named temporary files" : "unnamed temporary files");
        SetUnnamedTemporaryFilesForTests(!named);
        test::TempDir dir;
        const auto path = test::Write(dir, "c.sta", original);
        // The kept original is written first, with its own temporary file; the correction's write fails.
        int temporaries = 0;
        SetWriteFaultForTests([&](ReplaceStep s) {
            if (s == ReplaceStep::CreateTemporary) ++temporaries;
            return temporaries >= 2 && s == step ? ENOSPC : 0;
        });
        LoadWindow w;
        Change(w.platform);
        Change(w.platform);  // never shown: after a failure the file loads as it is
        ASSERT_EQ(w.load(path), kLoadOk);
        SetWriteFaultForTests({});
        EXPECT_EQ(test::ReadFile(path), original);
        EXPECT_EQ(test::ReadFile(OriginalCopyPath(path)), original);
        EXPECT_EQ(w.platform.dialogsShown.size(), 1u);
        ASSERT_EQ(w.platform.messages.size(), 1u);
        EXPECT_EQ(w.platform.lastMessage().text, std::string(tx::WriteErrorDiskSpace) + "\n" + path +
                                                     ": No space left on device\n" + tx::CorrectionNotWritten);
        EXPECT_EQ(Values(w.set()), Values(plain.set())) << "the window holds what the file holds";
        EXPECT_TRUE(StrayFiles(dir).empty());
    }
}

TEST(RecordSafety, WhenTheOriginalCannotBeKeptNothingIsChanged) {
    FaultGuard guard;
    test::TempDir dir;
    const std::string original = ThreeByThree();
    const auto path = test::Write(dir, "c.sta", original);
    SetWriteFaultForTests([](ReplaceStep s) { return s == ReplaceStep::Flush ? ENOSPC : 0; });
    LoadWindow w;
    Change(w.platform);
    ASSERT_EQ(w.load(path), kLoadOk);
    EXPECT_EQ(w.platform.lastMessage().text,
              std::string(tx::CorrectionNotPossible) + "\n" + path +
                  ": the untouched original cannot be kept as c.sta.orig: No space left on device");
    EXPECT_EQ(test::ReadFile(path), original);
    EXPECT_FALSE(std::filesystem::exists(OriginalCopyPath(path)));
    EXPECT_TRUE(StrayFiles(dir).empty());
}

TEST(RecordSafety, AFailureAtTheSecondCorrectionKeepsTheFirst) {
    FaultGuard guard;
    test::TempDir dir;
    const std::string original = ThreeByThree();
    const auto path = test::Write(dir, "c.sta", original);
    int temporaries = 0;
    SetWriteFaultForTests([&](ReplaceStep s) {
        if (s == ReplaceStep::CreateTemporary) ++temporaries;
        return temporaries == 3 && s == ReplaceStep::Write ? EIO : 0;  // 1: the original, 2: first, 3: second
    });
    std::string firstDone;
    LoadWindow w;
    Change(w.platform);
    Change(w.platform, [](RecordReviewDialog& f) { f.wavelengthField = "514.5"; }, [&] { firstDone = test::ReadFile(path); });
    ASSERT_EQ(w.load(path), kLoadOk);
    EXPECT_NE(firstDone, original);
    EXPECT_EQ(test::ReadFile(path), firstDone);
    EXPECT_EQ(test::ReadFile(OriginalCopyPath(path)), original);
    EXPECT_NE(test::DetailOf(w.platform.lastMessage().text).find(": Input/output error\n"), std::string::npos);
    EXPECT_EQ(w.set().concentration[1], double(1.5e-3f));  // the first correction holds
    EXPECT_EQ(w.set().concentration[2], double(2e-3f));    // the second was not made
}

TEST(RecordSafety, AbortAtTheNextDialogLeavesTheFirstCorrectionComplete) {
    test::TempDir dir;
    const std::string original = ThreeByThree();
    const auto path = test::Write(dir, "c.sta", original);
    LoadWindow w;
    Change(w.platform);
    w.platform.dialogScripts.push_back([](ModalDialog& d) { dynamic_cast<RecordReviewDialog&>(d).abort(); });
    EXPECT_EQ(w.load(path), kLoadCancelled);
    // The same correction followed by Continue gives the same file.
    const auto copy = test::Write(dir, "copy.sta", original);
    LoadWindow whole;
    Change(whole.platform);
    Continue(whole.platform);
    ASSERT_EQ(whole.load(copy), kLoadOk);
    EXPECT_EQ(test::ReadFile(path), test::ReadFile(copy));
    EXPECT_NE(test::ReadFile(path), original);
    EXPECT_EQ(test::ReadFile(OriginalCopyPath(path)), original);
}

TEST(RecordSafety, AKilledProgramLeavesACompleteFile) {
    FaultGuard guard;
    test::TempDir dir;
    const std::string original = ThreeByThree();
    // What the file holds after the first correction.
    const auto reference = test::Write(dir, "ref.sta", original);
    {
        LoadWindow w;
        Change(w.platform);
        Continue(w.platform);
        ASSERT_EQ(w.load(reference), kLoadOk);
    }
    // Killed in the middle of writing the first correction (temporary 2) and the second (3).
    for (int killedAt : {2, 3}) {
        const auto path = test::Write(dir, "k" + std::to_string(killedAt) + ".sta", original);
        const int status = test::InChild([&] {
            int temporaries = 0;
            SetWriteFaultForTests([&](ReplaceStep s) {
                if (s == ReplaceStep::CreateTemporary) ++temporaries;
                if (temporaries == killedAt && s == ReplaceStep::WriteSecondHalf) ::raise(SIGKILL);
                return 0;
            });
            LoadWindow w;
            Change(w.platform);
            Change(w.platform, [](RecordReviewDialog& f) { f.wavelengthField = "514.5"; });
            w.load(path);
            return 0;
        });
        EXPECT_EQ(status, 128 + SIGKILL);
        EXPECT_EQ(test::ReadFile(path), killedAt == 2 ? original : test::ReadFile(reference)) << killedAt;
        EXPECT_EQ(test::ReadFile(OriginalCopyPath(path)), original) << killedAt;
        EXPECT_TRUE(StrayFiles(dir).empty()) << "the killed write left its temporary file";
    }
}

TEST(RecordSafety, ALinkedFileIsCorrectedWhereItIsOrNotAtAll) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    const std::string original = ThreeByThree();
    fs::create_directory(dir.path() / "real");
    const auto real = test::Write(dir, "real/c.sta", original);
    fs::create_symlink("real/c.sta", dir.path() / "link.sta");
    const auto link = dir.file("link.sta");
    LoadWindow w;
    Change(w.platform, [](RecordReviewDialog& f) {
        EXPECT_EQ(f.originalFileNote, "Before the first change the untouched file is kept beside it as \"c.sta.orig\".");
        f.concentrationField = "1.5";
    });
    ASSERT_EQ(w.load(link), kLoadOk);
    EXPECT_TRUE(fs::is_symlink(link)) << "the link stays";
    EXPECT_NE(test::ReadFile(real), original) << "the file it names is corrected";
    EXPECT_EQ(test::ReadFile(real + ".orig"), original);
    EXPECT_FALSE(fs::exists(link + ".orig"));
    EXPECT_TRUE(StrayFiles(dir).empty());
    EXPECT_TRUE(StrayFiles(dir.path() / "real").empty());

    // Several names: the correction is refused, every name keeps the same data.
    const auto first = test::Write(dir, "h1.sta", original);
    const auto second = dir.file("h2.sta");
    fs::create_hard_link(first, second);
    LoadWindow h;
    std::string note;
    bool closedByChange = true;
    ChangeRefused(h.platform, note, closedByChange);
    ASSERT_EQ(h.load(second), kLoadOk);
    EXPECT_EQ(h.platform.dialogsShown.size(), 1u);
    EXPECT_FALSE(closedByChange);
    EXPECT_EQ(note, CFormat(tx::CannotChangeFileNote,
                            "the file has 2 names (hard links); a correction would change it under this name only "
                            "and leave the others with the old data"));
    EXPECT_EQ(test::ReadFile(first), original);
    EXPECT_EQ(fs::hard_link_count(first), 2u);
    EXPECT_FALSE(fs::exists(second + ".orig"));
}

TEST(RecordSafety, WithoutWriteAccessTheReviewSaysSoAndTheFileLoadsUnchanged) {
    test::TempDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    const std::string original = ThreeByThree();
    LoadWindow plain;
    ASSERT_EQ(plain.load(test::Write(dir, "plain.sta", original)), kLoadOk);

    // Write-protected: also an administrator leaves it alone.
    const auto path = test::Write(dir, "ro.sta", original);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    LoadWindow w;
    std::string note;
    bool closedByChange = true;
    ChangeRefused(w.platform, note, closedByChange);
    ASSERT_EQ(w.load(path), kLoadOk);
    EXPECT_EQ(note, CFormat(tx::CannotChangeFileNote, "the file is write-protected"));
    EXPECT_FALSE(closedByChange);
    EXPECT_EQ(w.platform.dialogsShown.size(), 1u);
    EXPECT_EQ(Values(w.set()), Values(plain.set()));
    EXPECT_EQ(test::ReadFile(path), original);
    EXPECT_FALSE(std::filesystem::exists(OriginalCopyPath(path)));

    // Another user's file, as an ordinary user: read, but not changed. (Run as an
    // ordinary user already, the tests take a folder that user may not write.)
    const auto theirs = test::Write(dir, "theirs.sta", original);
    if (::geteuid() != 0) std::filesystem::permissions(dir.path(), std::filesystem::perms(0555));
    const int status = test::InChild(
        [&] {
            LoadWindow u;
            std::string theirNote;
            bool closed = true;
            ChangeRefused(u.platform, theirNote, closed);
            if (u.load(theirs) != kLoadOk) return 1;
            if (closed || theirNote.find("Permission denied") == std::string::npos) return 2;
            return Values(u.set()) == Values(plain.set()) ? 0 : 3;
        },
        true);
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(test::ReadFile(theirs), original);
}

TEST(RecordSafety, ACorrectedFileKeepsItsOwnerAndPermissions) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
    test::TempDir dir;
    const auto path = test::Write(dir, "o.sta", ThreeByThree());
    ASSERT_EQ(::chown(path.c_str(), test::kNobody, test::kNogroup), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    struct stat before{};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    LoadWindow w;
    Change(w.platform);
    ASSERT_EQ(w.load(path), kLoadOk);
    for (const std::string& p : {path, OriginalCopyPath(path)}) {
        struct stat after{};
        ASSERT_EQ(::stat(p.c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, test::kNobody) << p;
        EXPECT_EQ(after.st_gid, test::kNogroup) << p;
        EXPECT_EQ(after.st_mode & 07777, 0640u) << p;
    }
    struct stat kept{};
    ASSERT_EQ(::stat(OriginalCopyPath(path).c_str(), &kept), 0);
    EXPECT_EQ(kept.st_mtim.tv_sec, before.st_mtim.tv_sec) << "the kept original keeps its time";
}

TEST(RecordSafety, AFileChangedByAnotherProgramMeanwhileIsNotOverwritten) {
    test::TempDir dir;
    const auto path = test::Write(dir, "c.sta", ThreeByThree());
    const std::string theirs = examples::RecordFileBytes({SafetyRecord(5e-3f, 45, 1e-6f)});
    LoadWindow w;
    Change(w.platform, {}, [&] { test::WriteFile(path, theirs); });
    ASSERT_EQ(w.load(path), kLoadOk);
    EXPECT_EQ(w.platform.lastMessage().text, std::string(tx::CorrectionNotPossible) + "\n" + path +
                                                 ": another program has changed the file since it was read");
    EXPECT_EQ(test::ReadFile(path), theirs);

    // Changed after the correction was chosen, before its records are written: not overwritten either.
    FaultGuard guard;
    const auto later = test::Write(dir, "later.sta", ThreeByThree());
    int temporaries = 0;
    SetWriteFaultForTests([&](ReplaceStep s) {
        if (s == ReplaceStep::CreateTemporary && ++temporaries == 1) test::WriteFile(later, theirs);  // while the original is kept
        return 0;
    });
    LoadWindow v;
    Change(v.platform);
    ASSERT_EQ(v.load(later), kLoadOk);
    EXPECT_EQ(test::ReadFile(later), theirs);
    EXPECT_EQ(v.platform.lastMessage().text, std::string(tx::CorrectionNotPossible) + "\n" + later +
                                                 ": another program has changed the file since it was read");
}

TEST(RecordSafety, ReadingNeedsNoWriteAccessAndNoLock) {
    test::TempDir dir;
    const std::vector<std::string> names = {"ps-toluene.sta", "ps-static.sta", "ps-tarn.plt", "ps-toluene.plx",
                                            "ps-small.asc"};
    for (const auto& name : names) {
        const auto path = test::Write(dir, name, examples::ExampleFile(name));
        ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    }
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0555));
    // The five example formats from a read-only folder, as an ordinary user.
    const int status = test::InChild(
        [&] {
            for (std::size_t k = 0; k < names.size(); ++k) {
                LoadWindow w;
                if (!w.first(dir.file(names[k]))) return 10 + static_cast<int>(k);
            }
            return 0;
        },
        true);
    EXPECT_EQ(status, 0);

    // Two programs reading one file at once, many times: never a failure.
    auto reader = [&] {
        for (int i = 0; i < 40; ++i) {
            LoadWindow w;
            if (w.load(dir.file("ps-toluene.sta")) != kLoadOk) return 1;
        }
        return 0;
    };
    const pid_t other = ::fork();
    if (other == 0) ::_exit(reader());
    EXPECT_EQ(reader(), 0);
    int otherStatus = -1;
    ::waitpid(other, &otherStatus, 0);
    EXPECT_TRUE(WIFEXITED(otherStatus) && WEXITSTATUS(otherStatus) == 0);
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
}

TEST(RecordSafety, AFileLargerThanItsFormatIsRefusedUnread) {
    test::TempDir dir;
    const auto path = dir.file("huge.sta");
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    const std::string head = ThreeByThree();
    ASSERT_EQ(::write(fd, head.data(), head.size()), static_cast<ssize_t>(head.size()));
    ASSERT_EQ(::ftruncate(fd, off_t{4} << 30), 0);  // 4 GB, sparse
    ::close(fd);
    LoadWindow w;
    Change(w.platform);
    EXPECT_EQ(w.load(path), kLoadFailed);
    EXPECT_TRUE(w.platform.dialogsShown.empty());
    EXPECT_EQ(w.platform.lastMessage().text,
              std::string(tx::FileTooLarge) + "\n" + path +
                  ": 4096.0 MB; a file of this kind holds at most 16.0 MB. The file is not read.");
    EXPECT_EQ(w.platform.lastMessage().caption, "ZEBstat Error");

    LoadWindow asc;
    EXPECT_EQ(asc.load(test::Write(dir, "blank.asc", "1 1 1e-3 90 1e10 1e-6" + std::string(5 << 20, ' '))), kLoadFailed);
    EXPECT_EQ(test::LeadOf(asc.platform.lastMessage().text), tx::FileTooLarge);
}

} // namespace
} // namespace zeb
