// Values no measurement can have: the range table at its edges, and in every
// format the record or line that holds such a value is named (file, record or
// line, quantity, value) and left out while the rest loads; a file of nothing
// else is refused. The files are never changed.
#include "LoadTestSupport.h"

#include "texts/ReadCheckTexts.h"
#include "data/PlausibleRanges.h"
#include "data/PltPlxContent.h"
#include "data/PltPlxWriter.h"
#include "dialogs/ConcentrationTableDialog.h"
#include "CorpusData.h"
#include "platform/PathName.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace zeb {
namespace {

using examples::RecordSpec;
using test::LoadWindow;

TEST(PlausibleRanges, EveryQuantityIsCheckedAtItsEdges) {
    for (const PlausibleRange& r : kPlausibleRanges) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(RangeOf(r.quantity).name, r.name);
        for (const double inside : {r.lower, r.upper, double(float(r.lower)), double(float(r.upper))})
            EXPECT_TRUE(Plausible(r.quantity, inside)) << inside;
        EXPECT_FALSE(Plausible(r.quantity, r.upper * (1 + 1e-5)));
        EXPECT_EQ(Plausible(r.quantity, r.lower * (1 - 1e-5)), r.lower == 0.0);
        EXPECT_EQ(Plausible(r.quantity, 0.0), r.zeroNotGiven || r.lower == 0.0);
        EXPECT_EQ(Plausible(r.quantity, -r.upper), r.signFree);
        for (const double never : {double(NAN), double(INFINITY), -double(INFINITY), 1e308, 3.5e38})
            EXPECT_FALSE(Plausible(r.quantity, never)) << never;
        // Errors: 0 (not given), up to the upper bound, down to a millionth of the value.
        const double v = r.upper / 2;
        for (const double e : {0.0, r.upper, -r.upper, v * 1e-6}) EXPECT_TRUE(PlausibleError(r.quantity, v, e)) << e;
        for (const double e : {r.upper * (1 + 1e-5), v * 0.9e-6, double(INFINITY)})
            EXPECT_FALSE(PlausibleError(r.quantity, v, e)) << e;
    }
    EXPECT_EQ(ValueText(Quantity::Kcr, 1e30), "Kc/R 1e+30 mol/g");
    EXPECT_EQ(ValueText(Quantity::Angle, 0.0), "angle 0\u00b0");
    EXPECT_EQ(ValueText(Quantity::Dapp, 2.0, "Dapp II"), "Dapp II 2 cm\u00b2/s");
}

RecordSpec PlainRecord(float c, float angle) {
    RecordSpec r;
    r.sampleName = r.solventName = r.standardName = "Toluene";
    r.concentrationGPerCm3 = c;
    r.angleDeg = angle;
    r.kcr = 1e-6f;
    r.kcrError = 1e-8f;
    r.dapp[0] = r.dapp[1] = r.dapp[2] = 2e-7f;
    return r;
}

TEST(ImpossibleValues, RecordsAreNamedAndLeftOut) {
    std::vector<RecordSpec> good;
    for (float c : {1e-3f, 2e-3f})
        for (float angle : {30.0f, 90.0f}) good.push_back(PlainRecord(c, angle));
    struct Bad {
        std::function<void(RecordSpec&)> damage;
        std::string named;
    };
    const std::vector<Bad> bad = {
        {[](RecordSpec& r) { r.kcr = 1e30f; }, "Kc/R 1e+30 mol/g"},
        {[](RecordSpec& r) { r.kcr = 1e-45f; }, "Kc/R 1.4013e-45 mol/g"},
        {[](RecordSpec& r) { r.kcrError = 1e30f; }, "error of Kc/R 1e+30 mol/g"},
        {[](RecordSpec& r) { r.dapp[0] = 1e30f; }, "Dapp I 1e+30 cm\u00b2/s"},
        {[](RecordSpec& r) { r.nSolvent = 1.6e9f; }, "refractive index of the solvent 1.6e+09"},
        {[](RecordSpec& r) { r.concentrationGPerCm3 = 0; }, "concentration 0 g/cm\u00b3"},
        {[](RecordSpec& r) { r.concentrationGPerCm3 = 3e38f; }, "concentration 3e+38 g/cm\u00b3"},
        {[](RecordSpec& r) { r.dndcCm3PerG = 0; }, "dn/dc 0 cm\u00b3/g with Kc/R 1e-06 mol/g"},
        {[](RecordSpec& r) { r.viscosityMPas = 1e20f; }, "viscosity 1e+20 mPa\u00b7s"},  // once "no record file"
    };
    std::vector<RecordSpec> all = good;
    std::string listed;
    for (std::size_t k = 0; k < bad.size(); ++k) {
        RecordSpec r = PlainRecord(1e-3f, 60);
        bad[k].damage(r);
        all.push_back(r);
        listed += "\nrecord " + std::to_string(6 + k) + ": " + bad[k].named;
    }
    // The same path for both files: the windows differ in nothing but what the file held.
    test::TempDir dir;
    const std::string path = dir.file("r.sta");
    test::WriteFile(path, examples::RecordFileBytes(good));
    LoadWindow clean;
    ASSERT_EQ(clean.load(path), kLoadOk);
    const std::string bytes = examples::RecordFileBytes(all);
    test::WriteFile(path, bytes);
    LoadWindow w;
    ASSERT_EQ(w.load(path), kLoadOk);
    ASSERT_FALSE(w.platform.messages.empty());
    EXPECT_EQ(w.platform.messages[0].text, std::string(tx::ImpossibleRecordValues) + "\n" + path + ":" + listed);
    EXPECT_EQ(w.platform.messages[0].caption, "ZEBStat: Information");
    EXPECT_EQ(test::DataSnapshot(w.set()), test::DataSnapshot(clean.set())) << "the impossible records move nothing";
    EXPECT_EQ(test::ReadFile(path), bytes);

    // Nothing but such records: refused, and said so.
    std::vector<RecordSpec> none(2, PlainRecord(1e-3f, 60));
    none[0].kcr = none[1].kcr = 1e30f;
    LoadWindow n;
    EXPECT_EQ(n.load(test::Write(dir, "none.sta", examples::RecordFileBytes(none))), kLoadFailed);
    EXPECT_EQ(test::DetailOf(n.platform.lastMessage().text),
              dir.file("none.sta") + ":\nrecord 2: Kc/R 1e+30 mol/g\nrecord 3: Kc/R 1e+30 mol/g\n" + tx::NothingLeftToLoad);
}

std::string Swapped(std::string s, const std::string& from, const std::string& to) {
    const auto at = s.find(from);
    if (at == std::string::npos) throw std::runtime_error("no " + from);
    return s.replace(at, from.size(), to);
}

struct LeftOutCase {
    std::string name;
    std::string bytes;
    std::string detail;  // the lines after "PATH:"
    int concentrations;  // what the window holds then; 0: the file is refused
    int angles;
};

// Loads each case and checks message, window and file. A refused file is added
// to a window holding the example table, which keeps exactly what it had.
void ExpectLeftOut(const std::vector<LeftOutCase>& cases, const std::string& ext) {
    test::TempDir dir;
    for (const LeftOutCase& c : cases) {
        SCOPED_TRACE(c.name);
        LoadWindow w;
        const bool refused = c.concentrations == 0;
        if (refused) {
            ASSERT_TRUE(w.first(test::Write(dir, "base.asc", examples::ExampleFile("ps-small.asc"))));
        }
        const std::string before = test::DataSnapshot(w.set());
        const std::string path = test::Write(dir, c.name + ext, c.bytes);
        const std::size_t shown = w.platform.messages.size();
        EXPECT_EQ(refused ? w.add(path) : w.load(path), refused ? kLoadFailed : kLoadOk);
        ASSERT_GT(w.platform.messages.size(), shown);
        const auto& m = w.platform.messages[shown];
        EXPECT_EQ(m.text, std::string(tx::ImpossibleLineValues) + "\n" + path + ":\n" + c.detail +
                              (refused ? std::string("\n") + tx::NothingLeftToLoad : ""));
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        if (refused) {
            EXPECT_EQ(test::DataSnapshot(w.set()), before) << "the window keeps what it had";
        } else {
            EXPECT_EQ(w.set().lastConcIndex, c.concentrations);
            EXPECT_EQ(w.set().lastAngleIndex, c.angles);
        }
        EXPECT_EQ(test::ReadFile(path), c.bytes);
    }
}

TEST(ImpossibleValues, PlxAndPltLinesAreNamedAndLeftOut) {
    // 3 concentrations (lines 4..6), viscosities on line 8, 9 q² values (lines 12, 13), value lines 16..42.
    const std::string plx = examples::ExampleFile("ps-toluene.plx");
    ExpectLeftOut({
        {"conc-0", Swapped(plx, " 5.00000E-04 from file", " 0.00000E+00 from file"),
         "line 4: concentration 0 g/cm\u00b3 (concentration 1 of 3, with its 9 value lines)", 2, 9},
        {"q2-1e308", Swapped(plx, " 5.91210904E+09,", " 1.00000000E+308,"),
         "line 12: q\u00b2 1e+308 1/cm\u00b2 (q\u00b2 value 1 of 9, with its 3 value lines)", 3, 8},
        {"viscosity", Swapped(plx, " 5.52000E-01, 5.52000E-01, 5.52000E-01,", " 5.52000E-01,-5.52000E-01, 5.52000E-01,"),
         "line 8: viscosity -0.552 mPa\u00b7s (concentration 2 of 3, with its 9 value lines)", 2, 9},
        {"kcr-1e30", Swapped(plx, " 1.33582E-06, 4.00746E-09,", " 1.00000E+30, 4.00746E-09,"),
         "line 16: Kc/R 1e+30 mol/g", 3, 9},
        {"dapp-1e-45", Swapped(plx, " 1.50584E-07, 1.50584E-09,", " 1.00000E-45, 1.50584E-09,"),
         "line 16: Dapp I 1e-45 cm\u00b2/s", 3, 9},
        {"r-1e30", Swapped(plx, " 4.14404E-05, 1.24321E-07", " 1.00000E+30, 1.24321E-07"),
         "line 16: excess scattering ratio 1e+30 1/cm", 3, 9},
    }, ".plx");
    // 7 q² values (lines 7, 8), 3 concentrations on line 10; the wavelength holds for every line.
    const std::string plt = examples::ExampleFile("ps-tarn.plt");
    ExpectLeftOut({
        {"wavelength", Swapped(plt, " 632.800  , wavelength", " 1e30  , wavelength"),
         "line 5: wavelength 1e+30 nm (for every value line)", 0, 0},
        {"all-conc-0", Swapped(plt, " 5.00000E-04, 1.00000E-03, 1.50000E-03,", " 0.0, 0.0, 0.0,"),
         "line 10: concentration 0 g/cm\u00b3 (concentration 1 of 3, with its 7 value lines)\n"
         "line 10: concentration 0 g/cm\u00b3 (concentration 2 of 3, with its 7 value lines)\n"
         "line 10: concentration 0 g/cm\u00b3 (concentration 3 of 3, with its 7 value lines)", 0, 0},
    }, ".plt");
}

TEST(ImpossibleValues, ACorrectedPltFileKeepsTheLinesThatWereLeftOut) {
    // The rewritten file holds every line of the file, corrected; the window what a measurement can have.
    test::TempDir dir;
    const std::string plt = examples::ExampleFile("ps-tarn.plt");
    const std::string path = test::Write(dir, "c.plt", Swapped(plt, " 1.32922E-06, 3.98765E-09,", " 1.00000E+30, 3.98765E-09,"));
    LoadWindow w;
    w.platform.dialogScripts.push_back([](ModalDialog& d) {
        auto& form = dynamic_cast<ConcentrationTableDialog&>(d);
        form.wavelengthField = "488";
        form.applyChanges();
    });
    w.platform.dialogScripts.push_back([](ModalDialog& d) { dynamic_cast<ConcentrationTableDialog&>(d).continueUnchanged(); });
    ASSERT_TRUE(w.first(path));
    EXPECT_EQ(test::DetailOf(w.platform.messages.at(0).text), path + ":\nline 13: Kc/R 1e+30 mol/g");
    EXPECT_EQ(w.set().cell(1, 1)->hasData, 0);
    const PltPlxContent rewritten = ParsePltPlx(test::ReadFile(path), false, {});
    ASSERT_EQ(rewritten.values.size(), 21u);
    EXPECT_NEAR(rewritten.values[0][0] / 1e30, std::pow(632.8 / 488.0, 4), 1e-4) << "corrected as the others";
    EXPECT_EQ(rewritten.impossible.size(), 1u);
}

TEST(ImpossibleValues, NumberTableValuesAreNamedAndLeftOut) {
    const std::string asc = examples::ExampleFile("ps-small.asc");  // 4 concentrations, 10 angle rows
    ExpectLeftOut({
        {"conc-0", Swapped(asc, "4\t10\t1.000000E-03", "4\t10\t0"),
         "line 1: concentration 0 g/cm\u00b3 (concentration 1 of 4, with its 10 values)", 3, 10},
        {"q2-negative", Swapped(asc, "5.912109E+09", "-5.912109E+09"),
         "line 2: q\u00b2 -5.91211e+09 1/cm\u00b2 (angle row 1 of 10, with its 4 values)", 4, 9},
        {"kcr-1e30", Swapped(asc, "3.424107E-06", "1.000000E+30"),
         "line 2: Kc/R 1e+30 mol/g (angle row 1, concentration 1)", 4, 10},
    }, ".asc");
}

TEST(ImpossibleValues, WhatTheProgramWritesLoadsUnchanged) {
    // The examples, the corpus files and the PLX files written from them: no value left out.
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& name : examples::ExampleFileNames()) files.emplace_back(name, examples::ExampleFile(name));
    for (const auto& name : examples::CorpusFileNames()) files.emplace_back(name, examples::CorpusFile(name));
    test::TempDir dir;
    for (const auto& [name, bytes] : files) {
        if (LowerExtensionOf(name) == "ffu" || LowerExtensionOf(name) == "tol") continue;
        SCOPED_TRACE(name);
        LoadWindow w;
        ASSERT_TRUE(w.first(test::Write(dir, name, bytes)));
        for (const auto& m : w.platform.messages) EXPECT_EQ(m.text.find("no measurement can have"), std::string::npos) << m.text;
        const PltPlxContent again = ParsePltPlx(FormatPltPlxFile(w.set(), {}), true, {});
        EXPECT_TRUE(again.impossible.empty()) << again.impossible.front();
    }
}

TEST(ImpossibleValues, TheBatchToolSaysSoAsAnOrdinaryUser) {
    test::TempDir dir;
    const std::string someBytes = Swapped(examples::ExampleFile("ps-toluene.plx"), " 5.00000E-04 from", " 0.0 from");
    const std::string noneBytes = Swapped(examples::ExampleFile("ps-tarn.plt"), " 632.800  , wave", " 1e30  , wave");
    const std::string some = test::Write(dir, "some.plx", someBytes), none = test::Write(dir, "none.plt", noneBytes);
    for (const std::string& p : {some, none, dir.path().string()}) ::chmod(p.c_str(), 0555);
    const std::string lead = std::string("ZEBStat: Information: ") + tx::ImpossibleLineValues + "\n";
    const int code = test::RunAsOrdinaryUser([&] {
        const auto loaded = test::RunBatch({"eval", "--q-order", "1", "--c-order", "1", "--results", some});
        const auto refused = test::RunBatch({"eval", none});
        return (loaded.status != 0 || loaded.err.rfind(some + ": " + lead + some + ":\nline 4: concentration 0", 0) != 0) +
               2 * (refused.status != 1 || refused.err.find(tx::NothingLeftToLoad) == std::string::npos);
    });
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(code, 0) << "-1: could not run as an ordinary user";
    EXPECT_EQ(test::ReadFile(some), someBytes);
    EXPECT_EQ(test::ReadFile(none), noneBytes);
}

} // namespace
} // namespace zeb
