// The forms of the dialogs shown while a file is read, on the real widgets:
// the record review form, the standard-file helper and the concentration table.
// Each test types and clicks like a user and checks what reached the logic.
#include "data/RecordLayout.h"
#include "dialogs/RecordReviewDialog.h"
#include "dialogs/ConcentrationTableDialog.h"
#include "dialogs/StandardIndexDialog.h"
#include "dialogs/qt/DialogForms.h"
#include "gui/FormTestSupport.h"
#include "gui/GuiTestSupport.h"
#include "platform/qt/QtPlatform.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>

#include <fstream>

using namespace zeb;
using namespace zeb::formtest;

namespace {

std::string Padded(const std::string& name) { return name + std::string(kRecordNameBytes - name.size(), ' '); }

ZebRecord Record(const std::string& sample, float nStandard = 1.501f) {
    ZebRecord r;
    r.sampleName = Padded(sample);
    r.solventName = Padded("Toluene");
    r.standardName = Padded("Benzene");
    r.nStandard = nStandard;
    r.nSolvent = 1.496f;
    r.rayleighStandardPerCm = 1.36e-5f;
    r.dndcCm3PerG = 0.1101f;
    r.wavelengthNm = 632.8f;
    r.viscosityMPas = 0.552f;
    r.concentrationGPerCm3 = 1.2345e-3f;
    r.temperatureK = 298.15f;
    return r;
}

struct Places {
    double ratio = -1;
    int nameChanged = 0;
};

QString LabelFor(QWidget* form, const char* field) {
    QWidget* edit = Child<QWidget>(form, field);
    for (QFormLayout* rows : form->findChildren<QFormLayout*>())
        if (auto* label = qobject_cast<QLabel*>(rows->labelForField(edit))) return label->text();
    return {};
}

// Types on a table cell: the first key opens its editor, the others go to the editor.
void TypeIntoCell(QTableWidget* grid, int row, int column, const QString& text) {
    grid->setFocus();
    grid->setCurrentCell(row, column);
    QTest::keyClicks(grid, text.left(1));
    QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
}

void ClickButton(QWidget* form, const char* button) { QTest::mouseClick(Child<QPushButton>(form, button), Qt::LeftButton); }

} // namespace

class ImportFormsTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterDialogForms(); }
    void reviewShowsTheRecordAndChangeTakesTheTypedValues();
    void reviewEscapeAbortsAndLaterRecordsKeepTheSampleName();
    void reviewOfAFileThatCannotBeChangedOffersNoChange();
    void reviewOpensTheStandardHelperOnceForAWrongIndex();
    void standardHelperFetchesTheValueFromTheStandardFile();
    void tablePltTakesOverACellStillBeingEdited();
    void tablePlxEditsViscosityAndTemperatureOnly();
};

void ImportFormsTest::reviewShowsTheRecordAndChangeTakesTheTypedValues() {
    QtPlatform platform;
    RecordReviewDialog logic(platform);
    ZebRecord rec = Record("PS 1 in toluene");
    Places p;
    logic.Fill(rec, 2, p.ratio, p.nameChanged);
    logic.originalFileNote = "Before the first change the untouched file is kept beside it as \"ps-toluene.sta.orig\".";
    SeenMessage invalid;
    bool shown = false;
    WhenOpens("RecordReviewDialog", [&](QWidget* form) {
        shown = true;
        QCOMPARE(form->windowTitle(), QString("ZEB-Stat: ZEB-7100 Data"));
        QCOMPARE(Child<QLineEdit>(form, "recordNumberField")->text(), QString("2"));
        QCOMPARE(Child<QLineEdit>(form, "standardNameField")->text(), QString("Benzene"));
        QCOMPARE(Child<QLineEdit>(form, "temperatureField")->text(), QString("298.150"));
        QCOMPARE(Child<QLineEdit>(form, "concentrationField")->text(), QString("1.23450"));
        QCOMPARE(Child<QLineEdit>(form, "standardRayleighField")->text(), QString("1.36000E-03"));
        QVERIFY(Child<QLineEdit>(form, "recordNumberField")->isReadOnly());
        QVERIFY(!Child<QLineEdit>(form, "concentrationField")->isReadOnly());
        QVERIFY(!Child<QLineEdit>(form, "sampleNameField")->isReadOnly());
        QCOMPARE(LabelFor(form, "dndcField"), QString::fromUtf8("&dn/dc / 1/(g/dm\u00b3) "));
        QCOMPARE(LabelFor(form, "viscosityField"), QString("Viscosity / mPas (cP)"));
        QCOMPARE(Child<QPushButton>(form, "continueButton")->text(), QString("&Continue without any change"));
        auto* warning = Child<QLabel>(form, "warningLabel");
        QCOMPARE(warning->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(warning->height() >= warning->heightForWidth(warning->width()));  // nothing cut off
        auto* original = Child<QLabel>(form, "originalFileNote");  // where the untouched file is kept
        QCOMPARE(original->text(), QString::fromStdString(logic.originalFileNote));
        QVERIFY(original->isVisible());
        QVERIFY(original->height() >= original->heightForWidth(original->width()));
        guitest::Screenshot(form, "dialog_RecordReviewDialog");

        TypeInto(Child<QLineEdit>(form, "solventIndexField"), "1,33");
        TypeInto(Child<QLineEdit>(form, "concentrationField"), "x");
        TypeInto(Child<QLineEdit>(form, "sampleNameField"), "Renamed sample");
        AnswerMessage(invalid);
        ClickButton(form, "changeButton");
        QVERIFY(invalid.seen);
        QVERIFY(form->isVisible());
        TypeInto(Child<QLineEdit>(form, "concentrationField"), "2");
        ClickButton(form, "changeButton");
    });
    platform.runModal(logic);
    QVERIFY(shown);
    QCOMPARE(invalid.text, QString("Invalid input for floating point number."));
    QCOMPARE(invalid.caption, QString("ZEBStat: Information"));
    QCOMPARE(invalid.icon, QMessageBox::Critical);
    QVERIFY(logic.answer() == ReviewAnswer::Change);
    QCOMPARE(rec.nSolvent, 1.33f);
    QCOMPARE(rec.concentrationGPerCm3, 0.002f);
    QCOMPARE(rec.dndcCm3PerG, 0.1101f);  // untouched fields keep the exact value
    QCOMPARE(p.nameChanged, 1);
    QCOMPARE(RecordNameText(rec.sampleName, kRecordSampleNameChars), std::string("Renamed sample"));
}

void ImportFormsTest::reviewEscapeAbortsAndLaterRecordsKeepTheSampleName() {
    QtPlatform platform;
    RecordReviewDialog logic(platform);
    ZebRecord first = Record("First sample");
    Places p;
    logic.Fill(first, 2, p.ratio, p.nameChanged);
    WhenOpens("RecordReviewDialog", [](QWidget* form) { QTest::keyClick(form, Qt::Key_Escape); });
    platform.runModal(logic);
    QVERIFY(logic.answer() == ReviewAnswer::Abort);
    logic.Release();

    ZebRecord third = Record("Other name");
    Places q;
    logic.Fill(third, 3, q.ratio, q.nameChanged);
    QString shownName;
    bool readOnly = false;
    WhenOpens("RecordReviewDialog", [&](QWidget* form) {
        auto* name = Child<QLineEdit>(form, "sampleNameField");
        shownName = name->text();
        readOnly = name->isReadOnly();
        QTest::keyClick(form, Qt::Key_Return);  // Enter continues without a change
    });
    platform.runModal(logic);
    QCOMPARE(shownName, QString("First sample"));
    QVERIFY(readOnly);
    QVERIFY(logic.answer() == ReviewAnswer::Continue);
}

void ImportFormsTest::reviewOfAFileThatCannotBeChangedOffersNoChange() {
    QtPlatform platform;
    RecordReviewDialog logic(platform);
    ZebRecord rec = Record("PS 1 in toluene");
    Places p;
    logic.Fill(rec, 2, p.ratio, p.nameChanged);
    logic.describeFile({"Before the first change the untouched file is kept beside it as \"ps.sta.orig\".",
                        "the file is write-protected"});
    bool shown = false;
    WhenOpens("RecordReviewDialog", [&](QWidget* form) {
        shown = true;
        QVERIFY(!Child<QPushButton>(form, "changeButton")->isEnabled());
        QVERIFY(Child<QLabel>(form, "warningLabel")->isVisible());  // the text stays as it is
        QVERIFY(!form->findChild<QLabel*>("originalFileNote"));
        auto* note = Child<QLabel>(form, "cannotChangeNote");
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), QString("\"Change\" cannot be written to this file: the file is write-protected. "
                                       "\"Continue without any change\" loads it as it is."));
        QVERIFY(note->height() >= note->heightForWidth(note->width()));
        guitest::Screenshot(form, "dialog_RecordReviewDialog_writeProtected");
        QTest::keyClick(form, Qt::Key_Return);
    });
    platform.runModal(logic);
    QVERIFY(shown);
    QVERIFY(logic.answer() == ReviewAnswer::Continue);
}

void ImportFormsTest::reviewOpensTheStandardHelperOnceForAWrongIndex() {
    QtPlatform platform;
    RecordReviewDialog logic(platform);
    ZebRecord rec = Record("S", 0.00133f);
    Places p;
    logic.Fill(rec, 2, p.ratio, p.nameChanged);
    int helperShown = 0;
    QString fieldAfterHelper;
    WhenOpens("RecordReviewDialog", [&](QWidget* form) {
        auto* nStandard = Child<QLineEdit>(form, "standardIndexField");
        WhenOpens("StandardIndexDialog", [&](QWidget* helper) {
            ++helperShown;
            QCOMPARE(helper->windowTitle(), QString("ZEB-Stat: ZEB-7100 Data"));
            QCOMPARE(Child<QLineEdit>(helper, "wrongIndexField")->text(), QString("-1"));
            QVERIFY(Child<QLabel>(helper, "explanationLabel")->text().contains("1.3300"));
            TypeInto(Child<QLineEdit>(helper, "wrongIndexField"), "1.33");
            TypeInto(Child<QLineEdit>(helper, "correctedIndexField"), "1,332");
            guitest::Screenshot(helper, "dialog_StandardIndexDialog");
            ClickButton(helper, "okButton");
        });
        QTest::mouseClick(nStandard, Qt::LeftButton);
        fieldAfterHelper = nStandard->text();
        // The form becomes active again with the focus in the field, as after any dialog.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(QApplication::focusWidget(), nStandard);
        // Back in the field after the helper: typing does not open it again.
        // The helper would open modally inside the key press, so it has either
        // opened (and been counted and closed by the watch) or not once the
        // keys are in.
        WhenOpens("StandardIndexDialog", [&](QWidget*) { ++helperShown; });
        QTest::keyClicks(nStandard, "5");
        QCOMPARE(helperShown, 1);
        ClickButton(form, "continueButton");
    });
    platform.runModal(logic);
    QCOMPARE(helperShown, 1);
    QCOMPARE(fieldAfterHelper, QString("1,332"));
    QCOMPARE(p.ratio, 1.332 / 1.33);
    QVERIFY(logic.answer() == ReviewAnswer::Continue);
}

void ImportFormsTest::standardHelperFetchesTheValueFromTheStandardFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("toluene.TOL");
    std::ofstream(path.toStdString(), std::ios::binary) << "Toluene standard\r\n25.0\r\n1.4960\r\n";
    QtPlatform platform;
    StandardIndexDialog logic(platform);
    QString wrongShown;
    WhenOpens("StandardIndexDialog", [&](QWidget* form) {
        WhenOpens([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
                  [&](QWidget* w) {
                      auto* files = qobject_cast<QFileDialog*>(w);
                      // The file's name typed into the dialog's name field.
                      files->findChild<QLineEdit*>("fileNameEdit")->setText(path);
                      static_cast<QDialog*>(files)->accept();  // as the Open button does
                  });
        ClickButton(form, "standardFileButton");
        wrongShown = Child<QLineEdit>(form, "wrongIndexField")->text();
        TypeInto(Child<QLineEdit>(form, "correctedIndexField"), "1.5");
        ClickButton(form, "okButton");
    });
    platform.runModal(logic);
    QCOMPARE(wrongShown, QString("1.4960"));
    QVERIFY(logic.result == StandardIndexDialog::Result::Ok);
    QCOMPARE(logic.wrongValue, 1.496);
    QCOMPARE(logic.newValue, 1.5);
}

void ImportFormsTest::tablePltTakesOverACellStillBeingEdited() {
    QtPlatform platform;
    ConcentrationTableDialog logic(platform);
    std::vector<double> conc = {1e-3, 2e-3, 3e-3};
    std::vector<float> visc = {0.55f, 0.55f, 0.55f}, temps = {298.15f, 298.15f, 298.15f};
    std::string sample = "PS standard";
    double wavelength = 632.8;
    logic.Fill(conc, visc, ConcentrationTableDialog::Form::Plt, sample, wavelength, 3, temps);
    logic.originalFileNote = "Before the first change the untouched file is kept beside it as \"ps-tarn.plt.orig\".";
    WhenOpens("ConcentrationTableDialog", [&](QWidget* form) {
        QCOMPARE(form->windowTitle(), QString("ZEB-Stat: TARN Data"));
        auto* original = Child<QLabel>(form, "originalFileNote");
        QCOMPARE(original->text(), QString::fromStdString(logic.originalFileNote));
        QVERIFY(original->height() >= original->heightForWidth(original->width()));
        auto* grid = Child<QTableWidget>(form, "cells");
        QCOMPARE(grid->columnCount(), 5);  // three concentrations: two columns stay empty
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->item(0, 0)->text(), QString("No. of Conc."));
        QCOMPARE(grid->item(1, 0)->text(), QString("Conc. / g/dm^3"));
        QCOMPARE(grid->item(1, 2)->text(), QString("2.00000"));
        QVERIFY(grid->item(1, 1)->flags() & Qt::ItemIsEditable);
        QVERIFY(!(grid->item(0, 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(grid->item(1, 4)->flags() & Qt::ItemIsEditable));
        QVERIFY(Child<QWidget>(form, "pltPanel")->isVisible());
        QVERIFY(!Child<QWidget>(form, "plxPanel")->isVisible());
        QCOMPARE(Child<QLineEdit>(form, "wavelengthField")->text(), QString("632.80"));
        guitest::Screenshot(form, "dialog_ConcentrationTableDialog_plt");

        TypeInto(Child<QLineEdit>(form, "wavelengthField"), "633,5");
        TypeInto(Child<QLineEdit>(form, "sampleNameField"), "PS corrected");
        // Typing on a cell edits it; a button pressed without taking the focus
        // (by its shortcut) still gets the text of the open editor.
        TypeIntoCell(grid, 1, 1, "4");
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        Child<QPushButton>(form, "changeButton")->click();
    });
    platform.runModal(logic);
    QVERIFY(logic.result() == ConcentrationTableDialog::Result::Ok);
    QCOMPARE(conc[0], 0.004);
    QCOMPARE(conc[1], 2e-3);
    QCOMPARE(wavelength, 633.5);
    QCOMPARE(sample, std::string("PS corrected"));

    // A file that cannot take a change: the table says why and offers no Change.
    ConcentrationTableDialog again(platform);
    again.Fill(conc, visc, ConcentrationTableDialog::Form::Plt, sample, wavelength, 3, temps);
    again.describeFile({"Before the first change the untouched file is kept beside it as \"ps-tarn.plt.orig\".",
                        "the file is write-protected"});
    bool shown = false;
    WhenOpens("ConcentrationTableDialog", [&](QWidget* form) {
        shown = true;
        QVERIFY(!Child<QPushButton>(form, "changeButton")->isEnabled());
        QVERIFY(!form->findChild<QLabel*>("originalFileNote"));
        QCOMPARE(Child<QLabel>(form, "cannotChangeNote")->text(),
                 QString("\"Change\" cannot be written to this file: the file is write-protected. "
                         "\"Continue without any change\" loads it as it is."));
        guitest::Screenshot(form, "dialog_ConcentrationTableDialog_writeProtected");
        Child<QPushButton>(form, "continueButton")->click();
    });
    platform.runModal(again);
    QVERIFY(shown);
    QVERIFY(again.result() == ConcentrationTableDialog::Result::Ignore);
}

void ImportFormsTest::tablePlxEditsViscosityAndTemperatureOnly() {
    QtPlatform platform;
    ConcentrationTableDialog logic(platform);
    std::vector<double> conc = {1e-3, 2e-3, 3e-3, 4e-3, 5e-3, 6e-3};
    std::vector<float> visc(6, 0.0f), temps(6, 0.0f);
    std::string sample = "PS";
    double wavelength = 632.8;
    logic.Fill(conc, visc, ConcentrationTableDialog::Form::Plx, sample, wavelength, 6, temps);
    WhenOpens("ConcentrationTableDialog", [&](QWidget* form) {
        auto* grid = Child<QTableWidget>(form, "cells");
        QCOMPARE(grid->columnCount(), 7);
        QCOMPARE(grid->rowCount(), 4);
        QCOMPARE(grid->item(3, 0)->text(), QString("Temp. / K"));
        QVERIFY(!(grid->item(1, 3)->flags() & Qt::ItemIsEditable));  // concentrations are fixed here
        QVERIFY(grid->item(2, 3)->flags() & Qt::ItemIsEditable);
        QVERIFY(!Child<QPushButton>(form, "abortButton")->isVisible());
        QCOMPARE(Child<QPushButton>(form, "continueButton")->text(), QString("&Ignore and continue"));
        QCOMPARE(Child<QPushButton>(form, "changeButton")->text(), QString("&Save"));
        QVERIFY(Child<QWidget>(form, "plxPanel")->isVisible());
        QVERIFY(!Child<QWidget>(form, "pltPanel")->isVisible());
        // All six concentrations are in view.
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        guitest::Screenshot(form, "dialog_ConcentrationTableDialog_plx");

        // Double-click, type, Enter: the usual way to change a cell.
        const QRect cell = grid->visualItemRect(grid->item(3, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit*>(editor));
        qobject_cast<QLineEdit*>(editor)->selectAll();
        QTest::keyClicks(editor, "293,15");
        QTest::keyClick(editor, Qt::Key_Return);
        TypeIntoCell(grid, 2, 6, "0.89");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ClickButton(form, "changeButton");
    });
    platform.runModal(logic);
    QVERIFY(logic.result() == ConcentrationTableDialog::Result::Ok);
    QCOMPARE(temps[1], 293.15f);
    QCOMPARE(visc[5], 0.89f);
    QCOMPARE(temps[0], 0.0f);
    QCOMPARE(conc[5], 6e-3);
}

ZEB_GUI_TEST(ImportFormsTest)
#include "ImportForms_test.moc"
