#include "LoadTestSupport.h"

#include "texts/FileTexts.h"
#include "texts/ReadCheckTexts.h"
#include "data/FileAccess.h"
#include "data/LittleEndian.h"
#include "dialogs/RecordReviewDialog.h"
#include "dialogs/StandardIndexDialog.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zeb {
namespace {

using examples::RecordSpec;
using test::LoadWindow;
using test::Near;

RecordSpec Record(float cGPerCm3, float angle, float kcr) {
    RecordSpec r;
    r.sampleName = "Test sample";
    r.solventName = "Toluene";
    r.standardName = "Toluene";
    r.concentrationGPerCm3 = cGPerCm3;
    r.angleDeg = angle;
    r.kcr = kcr;
    r.kcrError = 0.01f * kcr;
    r.dapp[0] = 2e-7f;
    r.dappError[0] = 2e-9f;
    r.dapp[1] = 2.1e-7f;
    r.dapp[2] = 2.2e-7f;  // errors of II and III not given: 1 % of the value
    for (std::size_t i = 25; i < 40; ++i) r.base[i] = static_cast<std::uint8_t>(0xA0 + i);  // not interpreted
    r.base[160] = 0x5A;
    return r;
}

float FloatAt(const std::string& file, int record, std::size_t offset) {
    return le::getF32(reinterpret_cast<const std::uint8_t*>(file.data()) + (record - 1) * 198 + offset);
}

std::string RecordAt(const std::string& file, int record) { return file.substr((record - 1) * 198, 198); }

void PressChange(ScriptedPlatform& p, std::function<void(RecordReviewDialog&)> edit) {
    p.dialogScripts.push_back([edit](ModalDialog& d) {
        auto& form = dynamic_cast<RecordReviewDialog&>(d);
        edit(form);
        form.applyChanges();
    });
}

TEST(RecordFile, ModelFileLoadsToTheValuesOfItsRecords) {
    test::TempDir dir;
    const auto model = examples::PolystyreneLarge();
    const auto records = examples::ModelRecords(model, {0.5e-3, 2.0e-3}, {30, 90, 150}, true, 7);
    const auto path = test::Write(dir, "ps.sta", examples::RecordFileBytes(records));
    LoadWindow w;
    ASSERT_TRUE(w.first(path));
    const auto& set = w.set();
    EXPECT_EQ(w.platform.dialogsShown, std::vector<std::string>{"RecordReviewDialog"});
    ASSERT_EQ(set.lastConcIndex, 2);
    ASSERT_EQ(set.lastAngleIndex, 3);
    EXPECT_EQ(set.sampleName, "PS 1.0e6 in toluene");
    EXPECT_EQ(set.sourceName[1], path);
    EXPECT_TRUE(w.platform.messages.empty());
    for (const auto& r : records) {
        const int c = r.concentrationGPerCm3 == 0.5e-3f ? 1 : 2;
        EXPECT_EQ(set.concentration[c], double(r.concentrationGPerCm3));
        EXPECT_FLOAT_EQ(set.viscosity[c], 0.552f);
        const double q2 = test::RecordQ2(r.angleDeg, r.nSolvent, r.wavelengthNm);
        const int a = w.row(q2);
        ASSERT_GE(a, 1) << r.angleDeg;
        const DataPoint& p = *set.cell(c, a);
        EXPECT_EQ(p.originMark, 1);
        EXPECT_EQ(p.hasData, 1);
        EXPECT_EQ(p.presence, kHasKcr | kHasKcrError | 4 | 8 | 16 | 32 | 64 | 128);
        EXPECT_EQ(p.kcr, double(r.kcr));
        EXPECT_EQ(p.kcrError, double(r.kcrError));
        EXPECT_TRUE(Near(p.dappI, r.dapp[0] * 1e8, 1e-12));  // µm²/s
        EXPECT_TRUE(Near(p.dappIIIError, r.dappError[2] * 1e8, 1e-12));
        EXPECT_TRUE(Near(p.q2, q2, 1e-9));
        EXPECT_TRUE(Near(p.wavelengthCm, 632.8e-7, 1e-7));
        EXPECT_FLOAT_EQ(p.nSolvent, 1.496f);
        // R = K c / (Kc/R), K = 4 pi² n² (dn/dc)² / (N_A lambda⁴)
        const double lambda = double(r.wavelengthNm) * 1e-7, n = r.nSolvent, dndc = r.dndcCm3PerG;
        const double k = 4 * M_PI * M_PI * n * n * dndc * dndc / (6.022e23 * std::pow(lambda, 4));
        const double ratio = k * r.concentrationGPerCm3 / r.kcr;
        EXPECT_TRUE(Near(p.rSample, ratio, 1e-9));
        EXPECT_TRUE(Near(p.rSampleError, ratio * r.kcrError / r.kcr, 1e-9));
    }
}

TEST(RecordFile, HeaderAndSizeChecks) {
    test::TempDir dir;
    const std::vector<RecordSpec> four = {Record(1e-3f, 30, 1e-6f), Record(1e-3f, 60, 1e-6f),
                                          Record(1e-3f, 90, 1e-6f), Record(1e-3f, 120, 1e-6f)};
    {  // header only
        LoadWindow w;
        EXPECT_EQ(w.load(test::Write(dir, "h.sta", examples::RecordFileBytes({}))), kLoadFailed);
        ASSERT_EQ(w.platform.messages.size(), 1u);
        EXPECT_EQ(w.platform.lastMessage().text, "File doesn 't contain any data record !");
        EXPECT_EQ(w.platform.lastMessage().caption, "ZEBStat: Information");
        EXPECT_EQ(w.platform.lastMessage().icon, MsgIcon::Exclamation);
    }
    {  // header count 0 in a file of five whole records: all four data records are read
        LoadWindow w;
        EXPECT_EQ(w.load(test::Write(dir, "c.sta", examples::RecordFileBytes(four, 0))), kLoadOk);
        EXPECT_EQ(w.platform.messages.at(0).text, tx::RecordCountInconsistent);
        EXPECT_EQ(w.platform.messages.at(0).caption, "ZEBStat: Information");
        EXPECT_EQ(w.set().lastAngleIndex, 4);
    }
    {  // a partial last record is ignored silently when the count fits the whole records
        LoadWindow w;
        EXPECT_EQ(w.load(test::Write(dir, "p.sta", examples::RecordFileBytes(four) + std::string(150, 'x'))), kLoadOk);
        EXPECT_TRUE(w.platform.messages.empty());
        EXPECT_EQ(w.set().lastAngleIndex, 4);
    }
    {  // the ASCII export of the DOS software
        LoadWindow w;
        EXPECT_EQ(w.load(test::Write(dir, "s.sta", examples::RecordFileBytes(four, {}, "SOLU"))), kLoadFailed);
        EXPECT_EQ(w.platform.lastMessage().text,
                  "ZEB-7100 SLS ASCII File Format, DOS-Software.\nConversion into ZEB-7100 Binary Record Format "
                  "required.\nPlease contact ZEB GmbH.");
        EXPECT_EQ(w.platform.lastMessage().caption, "ZEBstat Error");
        EXPECT_EQ(w.platform.lastMessage().icon, MsgIcon::None);
    }
}

TEST(RecordFile, AnglesRoundToTenthsOfADegree) {
    test::TempDir dir;
    RecordSpec green = Record(1e-3f, 90.0f, 1e-6f);
    green.wavelengthNm = 514.5f;
    const auto path = test::Write(dir, "a.sta", examples::RecordFileBytes({Record(1e-3f, 90.04f, 1e-6f),
                                                                         Record(1e-3f, 89.96f, 1.1e-6f), green}));
    LoadWindow w;
    ASSERT_EQ(w.load(path), kLoadOk);
    EXPECT_EQ(w.set().lastAngleIndex, 2);  // 90.04° and 89.96° share the row of 90.0°
    const int a = w.row(test::RecordQ2(90.0, 1.496f, 632.8f));
    ASSERT_EQ(a, 1);
    EXPECT_FLOAT_EQ(w.set().cell(1, a)->kcr, 1.1e-6f);  // the later record wins the shared cell
    EXPECT_EQ(w.row(test::RecordQ2(90.0, 1.496f, 514.5f)), 2);
}

TEST(RecordFile, MissingAndNonFiniteValuesAreWarnedOnceAndNotStored) {
    test::TempDir dir;
    RecordSpec a = Record(1e-3f, 30, 1e-6f), b = Record(1e-3f, 60, -1e-6f), c = Record(1e-3f, 90, NAN);
    RecordSpec d = Record(NAN, 90, 1e-6f);
    for (auto* r : {&a, &b, &c}) r->dapp[0] = r->dapp[1] = r->dapp[2] = 0;  // static only
    b.dappError[0] = INFINITY;
    LoadWindow w;
    const auto path = test::Write(dir, "m.sta", examples::RecordFileBytes({a, b, c, d}));
    ASSERT_EQ(w.load(path), kLoadOk);
    ASSERT_EQ(w.platform.messages.size(), 2u);
    // The record without a finite concentration is named and not loaded.
    EXPECT_EQ(w.platform.messages.at(0).text,
              std::string(tx::ImpossibleRecordValues) + "\n" + path + ":\nrecord 5: concentration nan g/cm\u00b3");
    EXPECT_EQ(w.messagesWith("Missing or negative measurement values, ignored, any way."), 1);
    EXPECT_EQ(w.platform.messages.at(1).caption, "ZEBstat: Information");
    EXPECT_EQ(w.platform.messages.at(1).icon, MsgIcon::Information);
    const auto& set = w.set();
    EXPECT_EQ(set.lastConcIndex, 1);  // the record without a finite concentration makes no column
    for (int row = 1; row <= set.lastAngleIndex; ++row) {
        const DataPoint& p = *set.cell(1, row);
        EXPECT_EQ(p.presence & (kHasDappI | kHasDappII | kHasDappIII), 0);
        EXPECT_TRUE(std::isfinite(p.kcr) && std::isfinite(p.kcrError) && std::isfinite(p.dappIError));
    }
    EXPECT_EQ(set.cell(1, 2)->hasData, 0);  // Kc/R -1e-6
    EXPECT_EQ(set.cell(1, 3)->hasData, 0);  // Kc/R NaN
}

TEST(RecordFile, ContinueOnTheFirstRecordShowsNoMoreDialogsAndWritesNothing) {
    test::TempDir dir;
    const std::string bytes =
        examples::RecordFileBytes({Record(1e-3f, 30, 1e-6f), Record(2e-3f, 30, 2e-6f), Record(3e-3f, 30, 3e-6f)});
    const auto path = test::Write(dir, "k.sta", bytes);
    LoadWindow w;
    ASSERT_EQ(w.load(path), kLoadOk);
    EXPECT_EQ(w.platform.dialogsShown.size(), 1u);
    EXPECT_EQ(test::ReadFile(path), bytes);
    EXPECT_EQ(w.set().lastConcIndex, 3);
}

TEST(RecordFile, ChangedConcentrationRescalesAndRewritesItsParameterSet) {
    test::TempDir dir;
    RecordSpec rr = Record(1e-3f, 90, 1.2e-6f);
    rr.rayleighStandardPerCm *= 1.0005f;  // within 0.1 %: same parameter set
    const std::vector<RecordSpec> recs = {Record(1e-3f, 30, 1e-6f), Record(1e-3f, 60, 1.1e-6f), rr,
                                          Record(3e-3f, 30, 3e-6f), Record(3e-3f, 60, 3.1e-6f)};
    const std::string before = examples::RecordFileBytes(recs);
    const auto path = test::Write(dir, "c.sta", before);
    LoadWindow w;
    PressChange(w.platform, [](RecordReviewDialog& f) { f.concentrationField = "2"; });  // 1 -> 2 g/dm³ on record 2
    ASSERT_EQ(w.load(path), kLoadOk);
    EXPECT_EQ(w.platform.dialogsShown.size(), 2u);  // again at the next concentration (answered Continue)
    const std::string after = test::ReadFile(path);
    ASSERT_EQ(after.size(), before.size());
    for (int n = 2; n <= 4; ++n) {
        EXPECT_FLOAT_EQ(FloatAt(after, n, 118), 0.002f);
        EXPECT_FLOAT_EQ(FloatAt(after, n, 182), 2 * FloatAt(before, n, 182));
        EXPECT_FLOAT_EQ(FloatAt(after, n, 186), 2 * FloatAt(before, n, 186));
        EXPECT_EQ(FloatAt(after, n, 134), FloatAt(before, n, 134));  // Dapp not touched
        std::string b = RecordAt(before, n), a = RecordAt(after, n);
        for (std::size_t off : {118u, 182u, 186u}) {
            a.replace(off, 4, 4, '\0');
            b.replace(off, 4, 4, '\0');
        }
        EXPECT_EQ(a, b) << "record " << n << ": bytes outside the corrected fields must stay";
    }
    EXPECT_EQ(after.substr(4 * 198), before.substr(4 * 198));  // the other concentration stays as it was
    EXPECT_EQ(w.set().concentration[1], double(0.002f));
    EXPECT_EQ(w.set().concentration[2], double(0.003f));
    EXPECT_FLOAT_EQ(w.set().cell(1, 1)->kcr, 2e-6f);
}

TEST(RecordFile, ReviewOpensAgainForAnotherParameterSetOfTheSameConcentration) {
    test::TempDir dir;
    RecordSpec other = Record(1e-3f, 90, 1e-6f);
    other.rayleighStandardPerCm *= 1.002f;  // beyond 0.1 %
    const auto path = test::Write(dir, "r.sta", examples::RecordFileBytes({Record(1e-3f, 30, 1e-6f), other}));
    LoadWindow w;
    PressChange(w.platform, [](RecordReviewDialog& f) { f.viscosityField = "0,6"; });
    ASSERT_EQ(w.load(path), kLoadOk);
    EXPECT_EQ(w.platform.dialogsShown.size(), 2u);
    EXPECT_FLOAT_EQ(FloatAt(test::ReadFile(path), 2, 114), 0.6f);  // viscosity only stored
    EXPECT_FLOAT_EQ(FloatAt(test::ReadFile(path), 2, 182), 1e-6f);
}

TEST(RecordFile, WavelengthChangeScalesKcrAndDapp) {
    test::TempDir dir;
    const auto path = test::Write(dir, "l.sta", examples::RecordFileBytes({Record(1e-3f, 30, 1e-6f), Record(1e-3f, 60, 2e-6f)}));
    LoadWindow w;
    PressChange(w.platform, [](RecordReviewDialog& f) { f.wavelengthField = "514.5"; });
    ASSERT_EQ(w.load(path), kLoadOk);
    const double kcrFactor = std::pow(632.8 / 514.5, 4), dappFactor = std::pow(514.5 / 632.8, 2);
    const int a = w.row(test::RecordQ2(60, 1.496f, 514.5f));
    ASSERT_GE(a, 1);
    const DataPoint& p = *w.set().cell(1, a);
    EXPECT_TRUE(Near(p.kcr, 2e-6 * kcrFactor, 2e-7));
    EXPECT_TRUE(Near(p.kcrError, 2e-8 * kcrFactor, 2e-7));
    EXPECT_TRUE(Near(p.dappI, 2e-7 * dappFactor * 1e8, 2e-7));
    EXPECT_TRUE(Near(p.dappIIError, 2.1e-9 * dappFactor * 1e8, 2e-7));  // the 1 % default of the scaled value
    EXPECT_TRUE(Near(p.wavelengthCm, 514.5e-7, 1e-7));
}

TEST(RecordFile, StandardIndexBelowOneUsesTheRatioOfTheStandardFile) {
    test::TempDir dir;
    RecordSpec r = Record(1e-3f, 30, 1e-6f);
    r.nStandard = 0.00133f;
    const std::string bytes = examples::RecordFileBytes({r, Record(1e-3f, 60, 2e-6f)});
    {  // ratio from the helper: Kc/R × (1.332 / 1.33)²
        const auto path = test::Write(dir, "n.sta", bytes);
        LoadWindow w;
        w.platform.dialogScripts.push_back([](ModalDialog& d) {
            auto& form = dynamic_cast<RecordReviewDialog&>(d);
            form.standardIndexClicked();
            EXPECT_EQ(form.standardIndexField, "1.332");
            form.applyChanges();
        });
        w.platform.dialogScripts.push_back([](ModalDialog& d) {
            auto& helper = dynamic_cast<StandardIndexDialog&>(d);
            helper.wrongIndexField = "1.33";
            helper.correctedIndexField = "1.332";
            helper.accept();
        });
        ASSERT_EQ(w.load(path), kLoadOk);
        const std::string after = test::ReadFile(path);
        EXPECT_FLOAT_EQ(FloatAt(after, 2, 90), 1.332f);
        EXPECT_TRUE(Near(FloatAt(after, 2, 182), 1e-6 * std::pow(1.332 / 1.33, 2), 1e-7));
        // the second record has the standard index 1.496 >= 1: another parameter set, not scaled
        EXPECT_FLOAT_EQ(FloatAt(after, 3, 182), 2e-6f);
    }
    {  // no ratio: Kc/R stays, the new index is stored
        const auto path = test::Write(dir, "m.sta", bytes);
        LoadWindow w;
        PressChange(w.platform, [](RecordReviewDialog& f) { f.standardIndexField = "1.33"; });
        ASSERT_EQ(w.load(path), kLoadOk);
        EXPECT_FLOAT_EQ(FloatAt(test::ReadFile(path), 2, 182), 1e-6f);
        EXPECT_FLOAT_EQ(FloatAt(test::ReadFile(path), 2, 90), 1.33f);
    }
}

TEST(RecordFile, NewSampleNameIsWrittenIntoEveryRecord) {
    test::TempDir dir;
    const auto path = test::Write(dir, "s.sta", examples::RecordFileBytes({Record(1e-3f, 30, 1e-6f), Record(2e-3f, 30, 1e-6f)}));
    LoadWindow w;
    PressChange(w.platform, [](RecordReviewDialog& f) { f.sampleNameField = "Polystyrol Lösung"; });
    ASSERT_EQ(w.load(path), kLoadOk);
    EXPECT_EQ(w.set().sampleName, "Polystyrol Lösung");
    const std::string after = test::ReadFile(path);
    const std::string expected = std::string("Polystyrol L\x94sung") + std::string(8, ' ');  // code page 850
    EXPECT_EQ(after.substr(198, 25), expected);
    EXPECT_EQ(after.substr(2 * 198, 25), expected);
}

TEST(RecordFile, AbortAndAbortLoadingCancel) {
    test::TempDir dir;
    const std::string bytes = examples::RecordFileBytes(
        {Record(1e-3f, 30, 1e-6f), Record(1e-3f, 40, 1e-6f), Record(1e-3f, 50, 1e-6f), Record(1e-3f, 60, 1e-6f),
         Record(1e-3f, 70, 1e-6f), Record(1e-3f, 80, 1e-6f), Record(1e-3f, 90, 1e-6f)});
    const auto path = test::Write(dir, "x.sta", bytes);
    {
        LoadWindow w;
        w.platform.dialogScripts.push_back([](ModalDialog& d) { dynamic_cast<RecordReviewDialog&>(d).abort(); });
        EXPECT_FALSE(w.first(path));  // a new window whose load was aborted closes
        EXPECT_TRUE(w.platform.messages.empty());
        EXPECT_EQ(test::ReadFile(path), bytes);
    }
    {
        LoadWindow w;
        w.platform.onPendingMessages = [&] {
            if (w.platform.pendingCalls == 2) w.window.abortLoading();  // during the second pass
        };
        EXPECT_EQ(w.load(path), kLoadCancelled);
        EXPECT_FALSE(w.window.loading());
    }
}

TEST(RecordFile, ConcentrationLimitIsReported) {
    test::TempDir dir;
    std::vector<RecordSpec> recs;
    for (int i = 1; i <= 100; ++i) recs.push_back(Record(1e-5f * i, 90, 1e-6f));
    LoadWindow w;
    EXPECT_EQ(w.load(test::Write(dir, "big.sta", examples::RecordFileBytes(recs))), kLoadFailed);
    EXPECT_EQ(w.platform.lastMessage().text,
              "There can not be loaded more than 99 concentration values\nand/or more than 135 angle values.\n"
              "With this file the data would hold more than 99 concentration values.");
    EXPECT_EQ(w.platform.lastMessage().caption, "ZEBstat Error");
    EXPECT_EQ(w.platform.lastMessage().icon, MsgIcon::Exclamation);
    EXPECT_EQ(w.platform.beeps, 1);
}

TEST(RecordFile, AFileLockedByAnotherProgramStillLoads) {
    test::TempDir dir;
    const auto path = test::Write(dir, "l.sta", examples::RecordFileBytes({Record(1e-3f, 30, 1e-6f)}));
    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t other = ::fork();
    if (other == 0) {  // the other program: holds an exclusive lock until told to end
        ::close(release[1]);
        const int fd = ::open(path.c_str(), O_RDWR);
        const char ok = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? '1' : '0';
        (void)!::write(ready[1], &ok, 1);
        char c;
        (void)!::read(release[0], &c, 1);
        ::_exit(0);
    }
    char locked = 0;
    ASSERT_EQ(::read(ready[0], &locked, 1), 1);
    EXPECT_EQ(locked, '1');
    LoadWindow w;
    EXPECT_EQ(w.load(path), kLoadOk);
    EXPECT_TRUE(w.platform.messages.empty());
    ::close(release[1]);
    ::waitpid(other, nullptr, 0);
    for (int fd : {ready[0], ready[1], release[0]}) ::close(fd);
}

} // namespace
} // namespace zeb
