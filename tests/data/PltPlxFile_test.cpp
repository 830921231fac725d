#include "LoadTestSupport.h"

#include "texts/FileTexts.h"
#include "texts/ImportDialogTexts.h"
#include "texts/ReadCheckTexts.h"
#include "data/CFormat.h"
#include "data/FileReplace.h"
#include "data/PltPlxWriter.h"
#include "dialogs/ConcentrationTableDialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <sstream>

namespace zeb {
namespace {

using test::LoadWindow;
using test::Near;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

// A set of two concentrations and seven q² rows, static data only.
void SevenRows(MeasurementSet& set) {
    ASSERT_EQ(set.InitMeasurementSet(), 1);
    set.sampleName = "Seven";
    set.solventName = "Water";
    set.defaultSourceName = "/data/seven.sta";
    set.AddConcentration(std::nullopt, 298.0f, 0.89f, 1e-3);
    set.AddConcentration(std::nullopt, 298.0f, 0.89f, 2e-3);
    for (int a = 1; a <= 7; ++a) {
        set.AddQ2(a * 1e10);
        set.storeValue(kCodeKcr, 1, a, 1e-6 * a, 0, 0);
    }
}

TEST(PltPlxWriter, FastScientificFormatEqualsSnprintf) {
    examples::Noise noise(3);
    std::vector<double> values = {0.0, -0.0, 1.0, -1.0, 1.5e-300, 9.999995e10, 1.000005e-3, 2.5e-6,
                                  123456789.0, double(1.3e-6f), double(298.15f), -1.234565e7};
    for (int i = 0; i < 2000; ++i) values.push_back(noise.normal() * std::pow(10.0, noise.normal() * 12));
    for (double v : values) {
        for (auto [width, precision] : {std::pair{12, 5}, std::pair{15, 8}}) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "%*.*E", width, precision, v);
            std::string actual;
            AppendScientific(actual, v, width, precision);
            ASSERT_EQ(actual, expected) << v;
        }
    }
}

TEST(PltPlxWriter, PltLayoutWithSevenQ2Values) {
    ScriptedPlatform platform;
    MeasurementSet set(platform);
    SevenRows(set);
    PltPlxWriteRequest request;
    request.mode = PltPlxMode::Plt;
    request.temperatureK = 298.15;
    request.wavelengthNm = 632.8;
    const auto lines = Lines(FormatPltPlxFile(set, request));
    ASSERT_EQ(lines.size(), 12u + 14u);
    EXPECT_EQ(lines[0], "Seven                                   , sample 40 characters");
    EXPECT_EQ(lines[1], "Water                    , solvent 25 characters");
    EXPECT_EQ(lines[2], "298.150  , temperature in K");
    EXPECT_EQ(lines[3], "1  , No. of wavelength");
    EXPECT_EQ(lines[4], " 632.800  , wavelength in nm");
    EXPECT_EQ(lines[5], "7  , No. of q^2 values, q in 1/cm. Formatted with 5 values per line");
    EXPECT_EQ(lines[6], " 1.00000E+10, 2.00000E+10, 3.00000E+10, 4.00000E+10, 5.00000E+10");
    EXPECT_EQ(lines[7], " 6.00000E+10, 7.00000E+10,");  // the short line keeps its comma
    EXPECT_EQ(lines[8], "2  , No. of conc., conc in g/cm^3");
    EXPECT_EQ(lines[9], " 1.00000E-03, 2.00000E-03,");
    EXPECT_EQ(lines[10], "Each line contains: Kc/R,error,DappI,error,DappII,error,DappIII,error");
    EXPECT_EQ(lines[11], "Order: q2 index is increased fast, conc index slowly");
    // Ten values per line: what a point lacks is -1 with error 0; R as stored (-1 = unknown).
    EXPECT_EQ(lines[12], " 1.00000E-06, 1.00000E-09,-1.00000E+00, 0.00000E+00,-1.00000E+00, 0.00000E+00,"
                         "-1.00000E+00, 0.00000E+00,-1.00000E+00,-1.00000E+00");
    EXPECT_EQ(lines[19].substr(0, 26), "-1.00000E+00, 0.00000E+00,");  // second column: no data
}

TEST(PltPlxWriter, PlxRoundTripKeepsValuesAndSourceNames) {
    test::TempDir dir;
    const auto sta = test::Write(dir, "ps.sta", examples::ExampleFile("ps-toluene.sta"));
    LoadWindow a;
    ASSERT_TRUE(a.first(sta));
    ASSERT_EQ(a.add(test::Write(dir, "small.asc", examples::ExampleFile("ps-small.asc"))), kLoadOk);
    PltPlxWriteRequest request;
    request.fileName = dir.file("out.plx");
    ASSERT_EQ(WritePltPlxFile(a.platform, a.set(), request), kWriteDone);

    LoadWindow b;
    ASSERT_TRUE(b.first(*request.fileName));
    const auto &x = a.set(), &y = b.set();
    ASSERT_EQ(y.lastConcIndex, x.lastConcIndex);
    ASSERT_EQ(y.lastAngleIndex, x.lastAngleIndex);
    EXPECT_EQ(y.sampleName, x.sampleName);
    for (int c = 1; c <= x.lastConcIndex; ++c) {
        EXPECT_EQ(y.sourceName[c], x.sourceName[c]);
        EXPECT_TRUE(Near(y.concentration[c], x.concentration[c], 5e-6));
        EXPECT_TRUE(Near(y.viscosity[c], x.viscosity[c], 5e-6));
        EXPECT_TRUE(Near(y.temperature[c], x.temperature[c], 5e-6));
    }
    for (int r = 1; r <= x.lastAngleIndex; ++r) EXPECT_TRUE(Near(y.q2[r], x.q2[r], 5e-9));
    for (int c = 1; c <= x.lastConcIndex; ++c) {
        for (int r = 1; r <= x.lastAngleIndex; ++r) {
            const DataPoint &p = *x.cell(c, r), &q = *y.cell(c, r);
            EXPECT_EQ(q.hasData, p.hasData);
            EXPECT_EQ(q.presence & 0x1D, p.presence & 0x1D);  // which values exist
            for (auto field : {&DataPoint::kcr, &DataPoint::kcrError, &DataPoint::dappI, &DataPoint::dappIError,
                               &DataPoint::dappIII, &DataPoint::rSample, &DataPoint::rSampleError})
                EXPECT_TRUE(Near(q.*field, p.*field, 5e-6)) << c << ":" << r;
        }
    }
}

TEST(PltPlxWriter, PltWrittenByTheProgramRestoresTheScatteringRatio) {
    test::TempDir dir;
    LoadWindow a;
    ASSERT_TRUE(a.first(test::Write(dir, "ps.sta", examples::ExampleFile("ps-toluene.sta"))));
    PltPlxWriteRequest request;
    request.mode = PltPlxMode::Plt;
    request.wavelengthNm = 632.8;
    request.fileName = dir.file("out.plt");
    ASSERT_EQ(WritePltPlxFile(a.platform, a.set(), request), kWriteDone);
    LoadWindow b;
    ASSERT_TRUE(b.first(*request.fileName));
    EXPECT_TRUE(Near(b.set().cell(2, 5)->rSample, a.set().cell(2, 5)->rSample, 5e-6));
    EXPECT_TRUE(Near(b.set().cell(2, 5)->dappII, a.set().cell(2, 5)->dappII, 5e-6));
}

TEST(PltFile, ExampleAndOldTarnFilesLoadStaticData) {
    test::TempDir dir;
    const auto path = test::Write(dir, "ps.plt", examples::ExampleFile("ps-tarn.plt"));
    LoadWindow w;
    ASSERT_TRUE(w.first(path));
    EXPECT_EQ(w.platform.dialogsShown, (std::vector<std::string>{"ConcentrationTableDialog", "ConcentrationTableDialog"}));
    EXPECT_EQ(w.messagesWith("Missing or negative measurement values, ignored, any way."), 1);
    const auto model = examples::PolystyreneLarge();
    const auto& set = w.set();
    ASSERT_EQ(set.lastConcIndex, 3);
    ASSERT_EQ(set.lastAngleIndex, 7);
    EXPECT_EQ(set.sampleName, "PS 1.0e6 in toluene");
    EXPECT_EQ(set.temperature[1], 0.0f);  // not saved as PLX: no temperature per column
    EXPECT_EQ(set.sourceName[2], path);
    const DataPoint& p = *set.cell(3, 4);  // 1.5 g/dm³, 75°
    EXPECT_TRUE(Near(p.kcr, examples::KcR(model, examples::Q2PerCm2(model, 75), 1.5e-3), 0.02));
    EXPECT_TRUE(Near(p.kcrError, 0.003 * p.kcr, 1e-4));
    EXPECT_EQ(p.presence & kHasDappI, 0);
    EXPECT_TRUE(Near(p.wavelengthCm, 632.8e-7, 1e-12));
    EXPECT_EQ(p.originMark, -32767);  // PLT points are not marked as loaded

    LoadWindow t;
    ASSERT_TRUE(t.first(test::Write(dir, "old.plt", test::ReadFile(test::DataFile("formats/old-tarn.plt")))));
    EXPECT_EQ(t.messagesWith(tx::MissingMeasurementValues), 1);
    EXPECT_EQ(t.set().cell(1, 2)->kcr, 1.5e-6);
    EXPECT_EQ(t.set().cell(1, 2)->kcrError, 3e-9);
    EXPECT_EQ(t.set().cell(1, 2)->rSample, -1.0);
}

TEST(PltFile, CorrectionInTheConcentrationTableRewritesTheFile) {
    test::TempDir dir;
    const auto path = test::Write(dir, "ps.plt", examples::ExampleFile("ps-tarn.plt"));
    LoadWindow plain;
    ASSERT_TRUE(plain.first(test::Write(dir, "copy.plt", examples::ExampleFile("ps-tarn.plt"))));
    LoadWindow w;
    w.platform.dialogScripts.push_back([](ModalDialog& d) {
        auto& form = dynamic_cast<ConcentrationTableDialog&>(d);
        EXPECT_EQ(form.originalFileNote, "Before the first change the untouched file is kept beside it as \"ps.plt.orig\".");
        form.wavelengthField = "488";
        form.cells[2][1] = "2";  // 1.00000 -> 2 g/dm³
        form.applyChanges();
    });
    std::string atSecondDialog;
    w.platform.dialogScripts.push_back([&](ModalDialog& d) {
        atSecondDialog = test::ReadFile(path);  // written whole before the next dialog opens
        dynamic_cast<ConcentrationTableDialog&>(d).continueUnchanged();
    });
    ASSERT_TRUE(w.first(path));
    EXPECT_EQ(test::ReadFile(OriginalCopyPath(path)), examples::ExampleFile("ps-tarn.plt"));
    EXPECT_EQ(atSecondDialog, test::ReadFile(path));
    const double r2 = std::pow(632.8 / 488.0, 2);
    for (int a = 1; a <= 7; ++a) EXPECT_TRUE(Near(w.set().q2[a], plain.set().q2[a] * r2, 1e-12));
    EXPECT_EQ(w.set().concentration[2], 2e-3);
    EXPECT_TRUE(Near(w.set().cell(1, 3)->kcr, plain.set().cell(1, 3)->kcr * r2 * r2, 1e-12));
    EXPECT_TRUE(Near(w.set().cell(2, 3)->kcr, plain.set().cell(2, 3)->kcr * r2 * r2 * 2, 1e-12));
    EXPECT_TRUE(Near(w.set().cell(2, 3)->kcrError, plain.set().cell(2, 3)->kcrError * r2 * r2 * 2, 1e-12));

    const auto lines = Lines(test::ReadFile(path));
    EXPECT_EQ(lines.at(4), " 488.000  , wavelength in nm");
    LoadWindow again;  // the rewritten file holds the corrected data
    ASSERT_TRUE(again.first(path));
    EXPECT_TRUE(Near(again.set().q2[5], w.set().q2[5], 5e-6));
    EXPECT_TRUE(Near(again.set().cell(2, 3)->kcr, w.set().cell(2, 3)->kcr, 5e-6));
    EXPECT_EQ(again.set().concentration[2], 2e-3);
}

TEST(PltFile, ACorrectionKeepsEveryLineOfEqualQ2Values) {
    // Two equal q² values are one row in the window, but the rewritten file
    // keeps both lines with their own values.
    test::TempDir dir;
    const std::string bytes = "Sample\r\nSolvent\r\n297\r\n1\r\n632.8\r\n2\r\n1e10 1e10\r\n1\r\n1e-3\r\n"
                              "Kc/R,error\r\nOrder\r\n1e-6 2e-9\r\n2e-6,3e-9\r\n";
    const auto path = test::Write(dir, "twice.plt", bytes);
    LoadWindow w;
    w.platform.dialogScripts.push_back([](ModalDialog& d) {
        auto& form = dynamic_cast<ConcentrationTableDialog&>(d);
        form.sampleNameField = "Renamed";
        form.applyChanges();
    });
    ASSERT_TRUE(w.first(path));
    const auto lines = Lines(test::ReadFile(path));
    ASSERT_GE(lines.size(), 13u);
    EXPECT_EQ(lines[11].substr(0, 25), " 1.00000E-06, 2.00000E-09");
    EXPECT_EQ(lines[12].substr(0, 25), " 2.00000E-06, 3.00000E-09");
}

TEST(PltFile, ACorrectionThatCannotBeWrittenIsNotMade) {
    test::TempDir dir;
    const std::string original = examples::ExampleFile("ps-tarn.plt");
    LoadWindow plain;
    ASSERT_TRUE(plain.first(test::Write(dir, "plain.plt", original)));
    auto change = [](ScriptedPlatform& p) {
        p.dialogScripts.push_back([](ModalDialog& d) {
            auto& form = dynamic_cast<ConcentrationTableDialog&>(d);
            form.wavelengthField = "488";
            form.applyChanges();
        });
    };
    {  // write-protected: the table says so before the choice and offers no Change
        const auto path = test::Write(dir, "ro.plt", original);
        ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
        LoadWindow w;
        std::string note;
        bool closedByChange = true;
        w.platform.dialogScripts.push_back([&](ModalDialog& d) {
            auto& form = dynamic_cast<ConcentrationTableDialog&>(d);
            note = form.cannotChangeNote;
            EXPECT_TRUE(form.originalFileNote.empty()) << "nothing is kept where nothing changes";
            form.wavelengthField = "488";
            form.applyChanges();
            closedByChange = form.closed();
            form.continueUnchanged();
        });
        ASSERT_TRUE(w.first(path));
        EXPECT_EQ(note, CFormat(tx::CannotChangeFileNote, "the file is write-protected"));
        EXPECT_FALSE(closedByChange);
        EXPECT_EQ(w.platform.messages.size(), plain.platform.messages.size()) << "no message about a change";
        EXPECT_EQ(w.platform.dialogsShown.size(), 2u);  // the PLX form follows as usual
        EXPECT_EQ(test::ReadFile(path), original);
        EXPECT_FALSE(std::filesystem::exists(OriginalCopyPath(path)));
        EXPECT_EQ(w.set().q2[3], plain.set().q2[3]);
        EXPECT_EQ(w.set().cell(2, 3)->kcr, plain.set().cell(2, 3)->kcr);
        EXPECT_TRUE(Near(w.set().cell(2, 3)->wavelengthCm, 632.8e-7, 1e-12));
    }
    {  // the write fails: the file keeps its state, the window loads what the file holds
        const auto path = test::Write(dir, "full.plt", original);
        SetWriteFaultForTests([](ReplaceStep s) { return s == ReplaceStep::Rename ? ENOSPC : 0; });
        LoadWindow w;
        change(w.platform);
        const bool loaded = w.first(path);
        SetWriteFaultForTests({});
        ASSERT_TRUE(loaded);
        EXPECT_EQ(w.platform.messages.at(0).text, std::string(tx::WriteErrorDiskSpace) + "\n" + path +
                                                       ": No space left on device\n" + tx::CorrectionNotWritten);
        EXPECT_EQ(test::ReadFile(path), original);
        EXPECT_EQ(test::ReadFile(OriginalCopyPath(path)), original);
        EXPECT_EQ(w.set().q2[3], plain.set().q2[3]);
        EXPECT_EQ(w.set().cell(2, 3)->kcr, plain.set().cell(2, 3)->kcr);
    }
}

TEST(PltFile, SaveInThePlxFormWritesAPlxFileWithTheEnteredValues) {
    test::TempDir dir;
    const auto path = test::Write(dir, "ps.plt", examples::ExampleFile("ps-tarn.plt"));
    LoadWindow w;
    w.platform.dialogScripts.push_back([](ModalDialog& d) {
        auto& form = dynamic_cast<ConcentrationTableDialog&>(d);
        EXPECT_EQ(form.form(), ConcentrationTableDialog::Form::Plt);
        form.continueUnchanged();
    });
    w.platform.dialogScripts.push_back([](ModalDialog& d) {
        auto& form = dynamic_cast<ConcentrationTableDialog&>(d);
        EXPECT_EQ(form.form(), ConcentrationTableDialog::Form::Plx);
        EXPECT_EQ(form.cells[1][3], "298.15000");  // the header temperature
        for (int i = 1; i <= 3; ++i) form.cells[i][2] = "0,552";
        form.applyChanges();
    });
    w.platform.saveAnswers.push_back(dir.file("ps.PLX"));
    ASSERT_TRUE(w.first(path));
    ASSERT_EQ(w.platform.saveRequests.size(), 1u);
    EXPECT_EQ(w.platform.saveRequests[0].filter, "PLX-Files (*.PLX)|*.PLX|All Files (*.*)|*.*|");
    EXPECT_EQ(w.platform.saveRequests[0].proposedName, "File1.PLX");
    EXPECT_TRUE(w.platform.saveRequests[0].overwritePrompt);
    EXPECT_FLOAT_EQ(w.set().viscosity[3], 0.552f);
    LoadWindow plx;
    ASSERT_TRUE(plx.first(dir.file("ps.PLX")));
    EXPECT_FLOAT_EQ(plx.set().viscosity[2], 0.552f);
    EXPECT_FLOAT_EQ(plx.set().temperature[2], 298.15f);
    EXPECT_EQ(plx.set().sourceName[2], path);
}

TEST(PltPlxFile, DamagedFilesAreRefusedWithFileAndLine) {
    const std::string plx = examples::ExampleFile("ps-toluene.plx");
    auto replace = [](std::string s, const std::string& from, const std::string& to) {
        return s.replace(s.find(from), from.size(), to);
    };
    struct Case {
        std::string name, text;
        bool endsEarly;
        int line;
    };
    const std::vector<Case> damaged = {
        {"nocolon.plx", replace(plx, "from file:", "from file "), false, 4},
        {"nocount.plx", replace(plx, "3  , No. of conc.", "three , No. of conc."), false, 3},
        {"noconc.plx", replace(plx, "3  , No. of conc.", "0  , No. of conc."), true, 3},
        {"shortlist.plx", replace(plx, " 2.98150E+02, 2.98150E+02, 2.98150E+02,", " 2.98150E+02,"), false, 10},
        {"badnumber.plx", replace(plx, " 5.52000E-01, 5.52000E-01,", " 5.52000E-01, 5.5z000E-01,"), false, 8},
        {"cut.plx", plx.substr(0, plx.size() - 200), true, 41},
        {"longline.plx", replace(plx, "from file: ", "from file: " + std::string(1200, 'a')), false, 4},
        {"noq2.plt", "S\r\nW\r\n298\r\n1\r\n632.8\r\n0  , No. of q^2\r\n1\r\n1e-3\r\nx\r\ny\r\n", true, 6},
        {"empty.plt", "Only a title\r\n", true, 2},
    };
    test::TempDir dir;
    for (const auto& c : damaged) {
        LoadWindow w;
        const std::string path = test::Write(dir, c.name, c.text);
        EXPECT_FALSE(w.first(path)) << c.name;
        ASSERT_EQ(w.platform.messages.size(), 1u) << c.name;
        const auto& m = w.platform.lastMessage();
        EXPECT_EQ(test::LeadOf(m.text), c.endsEarly ? tx::UnexpectedEndOfFile : tx::InvalidDataFile) << c.name;
        EXPECT_EQ(test::DetailOf(m.text).rfind(path + ", line " + std::to_string(c.line) + ": ", 0), 0u) << m.text;
        EXPECT_EQ(m.caption, "ZEBStat: Information") << c.name;
        EXPECT_EQ(m.icon, MsgIcon::Exclamation) << c.name;
    }
}

TEST(PltPlxWriter, PlxNamesMustEndInPlxAndFailedWritesLeaveTheTarget) {
    test::TempDir dir;
    ScriptedPlatform platform;
    MeasurementSet set(platform);
    SevenRows(set);
    PltPlxWriteRequest request;
    platform.saveAnswers.push_back(dir.file("data.txt"));
    EXPECT_EQ(WritePltPlxFile(platform, set, request), kWriteFailed);
    EXPECT_EQ(platform.lastMessage().text, "Extension missing or invalid ! Extension must be PLX !");
    EXPECT_EQ(platform.lastMessage().caption, "ZEBStat: Information");
    EXPECT_FALSE(std::filesystem::exists(dir.file("data.txt")));
    EXPECT_EQ(WritePltPlxFile(platform, set, request), kWriteCancelled);  // the dialog was cancelled

    // The target cannot be replaced: the message, and what was there stays.
    std::filesystem::create_directory(dir.file("old.plx"));
    test::WriteFile(dir.file("old.plx/keep"), "x");
    request.fileName = dir.file("old.plx");
    EXPECT_EQ(WritePltPlxFile(platform, set, request), kWriteFailed);
    EXPECT_EQ(platform.lastMessage().text,
              "Write error ! Cannot write the data to disk.\n\n" + dir.file("old.plx") + ": Is a directory");
    EXPECT_EQ(test::ReadFile(dir.file("old.plx/keep")), "x");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left
}

} // namespace
} // namespace zeb
