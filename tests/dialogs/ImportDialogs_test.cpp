#include "ExampleData.h"
#include "texts/CommonTexts.h"
#include "data/RecordLayout.h"
#include "dialogs/RecordReviewDialog.h"
#include "dialogs/ConcentrationTableDialog.h"
#include "dialogs/StandardIndexDialog.h"
#include "platform/ScriptedPlatform.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

ZebRecord Record(const std::string& sample) {
    examples::RecordSpec spec;
    spec.sampleName = sample;
    spec.solventName = "Toluene";
    spec.standardName = "Benzene";
    spec.concentrationGPerCm3 = 1.2345678e-3f;
    spec.dndcCm3PerG = 0.1101234f;
    spec.rayleighStandardPerCm = 1.36e-5f;
    const auto bytes = examples::RecordBytes(spec);
    return DecodeRecord(bytes.data());
}

struct Places {
    double ratio = -1;
    int nameChanged = 0;
};

TEST(RecordReviewDialog, FillShowsTheRecordInTheDisplayUnits) {
    ScriptedPlatform platform;
    RecordReviewDialog form(platform);
    ZebRecord rec = Record("Sample with a long name 12345");
    Places p;
    form.Fill(rec, 2, p.ratio, p.nameChanged);
    EXPECT_EQ(form.answer(), ReviewAnswer::Abort);  // until a button is pressed
    EXPECT_EQ(form.recordNumberField, "2");
    EXPECT_EQ(form.solventNameField, "Toluene");
    EXPECT_EQ(form.standardNameField, "Benzene");
    EXPECT_EQ(form.temperatureField, "298.150");
    EXPECT_EQ(form.concentrationField, "1.23457");  // g/dm³, RoundSig(x, 5)
    EXPECT_EQ(form.dndcField, "1.10120E-04");
    EXPECT_EQ(form.standardRayleighField, "1.36000E-03");  // 1/m
    EXPECT_EQ(form.wavelengthField, "632.80");
    EXPECT_EQ(form.solventIndexField, "1.49600");
    EXPECT_EQ(form.viscosityField, "5.52000E-01");
    EXPECT_EQ(form.sampleNameField, "Sample with a long name");  // 24 characters, trailing blank removed
    EXPECT_FALSE(form.sampleNameReadOnly);
    EXPECT_FALSE(form.nStandardBelowOne());

    ZebRecord next = Record("Another");
    form.Fill(next, 3, p.ratio, p.nameChanged);
    EXPECT_TRUE(form.sampleNameReadOnly);
    EXPECT_EQ(form.sampleNameField, "Sample with a long name");  // keeps the name of record 2
}

TEST(RecordReviewDialog, ChangeReadsEditedFieldsAndKeepsUntouchedOnesExact) {
    ScriptedPlatform platform;
    RecordReviewDialog form(platform);
    ZebRecord rec = Record("S");
    Places p;
    form.Fill(rec, 2, p.ratio, p.nameChanged);
    const std::string shownConcentration = form.concentrationField;
    form.solventIndexField = " 1,33 ";  // decimal comma
    form.standardRayleighField = "2E-3";
    form.concentrationField = "x";
    form.applyChanges();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.lastMessage().text, "Invalid input for floating point number.");
    EXPECT_EQ(platform.lastMessage().caption, "ZEBStat: Information");
    EXPECT_EQ(platform.lastMessage().icon, MsgIcon::Stop);
    EXPECT_FALSE(form.closed());
    for (const char* bad : {"0", "-1", "1e45"}) {  // not a usable concentration
        form.concentrationField = bad;
        form.applyChanges();
        EXPECT_FALSE(form.closed()) << bad;
    }
    form.concentrationField = shownConcentration;  // as shown: the exact value stays
    form.applyChanges();
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(form.answer(), ReviewAnswer::Change);
    EXPECT_EQ(p.nameChanged, 0);
    EXPECT_FLOAT_EQ(rec.nSolvent, 1.33f);
    EXPECT_FLOAT_EQ(rec.rayleighStandardPerCm, 2e-5f);
    EXPECT_EQ(rec.concentrationGPerCm3, 1.2345678e-3f);
    EXPECT_EQ(rec.dndcCm3PerG, 0.1101234f);
    form.abort();  // a closed dialog no longer changes the result
    EXPECT_EQ(form.answer(), ReviewAnswer::Change);
}

TEST(RecordReviewDialog, StandardIndexHelperGivesTheRatio) {
    ScriptedPlatform platform;
    RecordReviewDialog form(platform);
    ZebRecord rec = Record("S");
    rec.nStandard = 0.00133f;
    Places p;
    form.Fill(rec, 3, p.ratio, p.nameChanged);
    EXPECT_TRUE(form.nStandardBelowOne());
    form.standardIndexChanged();  // not armed: nothing opens
    EXPECT_TRUE(platform.dialogsShown.empty());

    form.standardIndexEntered();
    form.standardIndexChanged();  // aborted: the ratio stays
    EXPECT_EQ(platform.dialogsShown, std::vector<std::string>{"StandardIndexDialog"});
    EXPECT_EQ(p.ratio, -1.0);

    auto answer = [&](const char* wrong, const char* corrected) {
        platform.dialogScripts.push_back([=](ModalDialog& d) {
            auto& h = dynamic_cast<StandardIndexDialog&>(d);
            h.wrongIndexField = wrong;
            h.correctedIndexField = corrected;
            h.accept();
        });
        form.standardIndexClicked();
    };
    answer("1.33", "1,332");
    EXPECT_DOUBLE_EQ(p.ratio, 1.332 / 1.33);
    EXPECT_EQ(form.standardIndexField, "1,332");
    answer("-1", "1.332");
    EXPECT_EQ(p.ratio, -1.0);
    answer("0", "1.332");  // no finite ratio
    EXPECT_EQ(p.ratio, -1.0);
}

TEST(StandardIndexDialog, StandardFileSearchReadsTheThirdLine) {
    test::TempDir dir;
    ScriptedPlatform platform;
    StandardIndexDialog form(platform);
    test::WriteFile(dir.file("t.TOL"), examples::StandardFileText("Toluene", 1.496, 1.36e-5, 632.8));
    test::WriteFile(dir.file("long.TOL"), "a\n" + std::string(300, 'b') + "\n1.5\n");
    test::WriteFile(dir.file("letters.TOL"), "Toluene\nRR\n1.4960abc\n");
    test::WriteFile(dir.file("binary.TOL"), std::string("Tol\0uene\nRR\n1.4960\n", 19));
    const std::string twoLines = test::DataFile("formats/two-lines.TOL");
    platform.openAnswers = {dir.file("t.TOL"),       twoLines,          dir.file("long.TOL"),
                            dir.file("letters.TOL"), dir.file("binary.TOL"), dir.file("none.TOL")};
    form.readStandardFile();
    EXPECT_EQ(form.wrongIndexField, "1.4960");
    EXPECT_EQ(platform.openRequests[0].filter, "All Files (*.*)|*.*|Standard Files (*.TOL)|*.TOL|");
    EXPECT_EQ(platform.openRequests[0].filterIndex, 2);
    EXPECT_TRUE(platform.openRequests[0].mustExist);
    // Each damaged file: one message naming file and line; the field keeps its text.
    const std::vector<std::string> refusals = {
        "Unexpected end of file ! Invalid data file !\n" + twoLines +
            ", line 3: the file ends before this line, which holds the refractive index of the standard",
        "Invalid data file ! Nothing of it is loaded.\n" + dir.file("long.TOL") +
            ", line 2: the line is longer than 255 characters",
        "Invalid data file ! Nothing of it is loaded.\n" + dir.file("letters.TOL") +
            ", line 3: \"1.4960abc\" is no refractive index",
        "Invalid data file ! Nothing of it is loaded.\n" + dir.file("binary.TOL") + ", line 1: this is no text file",
    };
    for (const std::string& text : refusals) {
        form.readStandardFile();
        EXPECT_EQ(platform.lastMessage().text, text);
        EXPECT_EQ(platform.lastMessage().caption, "ZEBStat: Information");
        EXPECT_EQ(form.wrongIndexField, "1.4960");
    }
    form.readStandardFile();
    EXPECT_EQ(platform.lastMessage().text, "This file cannot be opened.\n" + dir.file("none.TOL") + ": No such file or directory");
    EXPECT_EQ(platform.lastMessage().caption, "ZEBstat Error");
    EXPECT_EQ(platform.beeps, 1);
}

TEST(ConcentrationTableDialog, TableColumnsAndForms) {
    ScriptedPlatform platform;
    std::vector<double> conc = {1e-3, 2e-3, 3e-3};
    std::vector<float> visc(3, 0.0f), temp(3, 298.15f);
    std::string sample = "PS";
    double wavelength = 632.8;
    ConcentrationTableDialog plt(platform);
    plt.Fill(conc, visc, ConcentrationTableDialog::Form::Plt, sample, wavelength, 3, temp);
    EXPECT_EQ(plt.colCount(), 5);  // three concentrations: two empty columns
    EXPECT_EQ(plt.rowCount(), 2);
    EXPECT_EQ(plt.cells[0][1], "Conc. / g/dm^3");
    EXPECT_EQ(plt.cells[1][1], "1.00000");
    EXPECT_EQ(plt.cells[4][1], "");
    EXPECT_EQ(plt.wavelengthField, "632.80");
    EXPECT_TRUE(plt.abortButtonVisible);
    EXPECT_TRUE(plt.cellEditable(1, 1));
    EXPECT_FALSE(plt.cellEditable(4, 1));

    plt.cells[1][1] = "2";
    plt.cells[2][1] = "oops";
    plt.sampleNameField = std::string(50, 'n');
    plt.applyChanges();  // nothing is taken over while a cell is wrong
    EXPECT_FALSE(plt.closed());
    EXPECT_EQ(platform.lastMessage().text, tx::InvalidFloatInput);
    EXPECT_EQ(conc[0], 1e-3);
    plt.cells[2][1] = "2.00000";
    plt.wavelengthField = "488,0";
    plt.applyChanges();
    EXPECT_EQ(plt.result(), ConcentrationTableDialog::Result::Ok);
    EXPECT_EQ(conc, (std::vector<double>{2e-3, 2e-3, 3e-3}));
    EXPECT_EQ(wavelength, 488.0);
    EXPECT_EQ(sample, std::string(40, 'n'));

    std::vector<double> six = {1e-3, 2e-3, 3e-3, 4e-3, 5e-3, 6e-3};
    std::vector<float> v6(6, 0.0f), t6(6, 293.0f);
    ConcentrationTableDialog plx(platform);
    plx.Fill(six, v6, ConcentrationTableDialog::Form::Plx, sample, wavelength, 6, t6);
    EXPECT_EQ(plx.colCount(), 7);
    EXPECT_EQ(plx.continueButtonCaption, "&Ignore and continue");
    EXPECT_EQ(plx.changeButtonCaption, "&Save");
    EXPECT_FALSE(plx.abortButtonVisible);
    EXPECT_FALSE(plx.cellEditable(1, 1));
    EXPECT_TRUE(plx.cellEditable(6, 3));
    plx.abort();  // hidden
    EXPECT_FALSE(plx.closed());
    plx.cells[3][2] = "0.89";
    plx.applyChanges();
    EXPECT_EQ(plx.result(), ConcentrationTableDialog::Result::Ok);
    EXPECT_EQ(six[2], 3e-3);  // read back unchanged
    EXPECT_FLOAT_EQ(v6[2], 0.89f);
    EXPECT_FLOAT_EQ(t6[5], 293.0f);

    ConcentrationTableDialog ignored(platform);
    ignored.Fill(six, v6, ConcentrationTableDialog::Form::Plx, sample, wavelength, 6, t6);
    ignored.answerDefault();
    EXPECT_EQ(ignored.result(), ConcentrationTableDialog::Result::Ignore);
}

} // namespace
} // namespace zeb
