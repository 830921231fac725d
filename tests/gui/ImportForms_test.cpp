// The forms of the dialogs shown while a file is read, on the real widgets:
// the record review form, the standard-file helper and the concentration table.
// Each test types and clicks like a user and checks what reached the logic.
#include "data/RecordLayout.h"
#include "dialogs/TFormPavo7100.h"
#include "dialogs/TFormTarn1.h"
#include "dialogs/TFormnStd.h"
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

QString LabelOf(QWidget* form, const char* field) {
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
    void reviewOpensTheStandardHelperOnceForAWrongIndex();
    void standardHelperFetchesTheValueFromTheStandardFile();
    void tablePltTakesOverACellStillBeingEdited();
    void tablePlxEditsViscosityAndTemperatureOnly();
};

void ImportFormsTest::reviewShowsTheRecordAndChangeTakesTheTypedValues() {
    QtPlatform platform;
    TFormPavo7100 logic(platform);
    ZebRecord rec = Record("PS 1 in toluene");
    Places p;
    logic.Fill(rec, 2, p.ratio, p.nameChanged);
    logic.LabelOriginal = "Before the first change the untouched file is kept beside it as \"ps-toluene.sta.orig\".";
    SeenMessage invalid;
    bool shown = false;
    WhenOpens("TFormPavo7100", [&](QWidget* form) {
        shown = true;
        QCOMPARE(form->windowTitle(), QString("ZEB-Stat: ZEB-7100 Data"));
        QCOMPARE(Child<QLineEdit>(form, "EditIDC_RECNR")->text(), QString("2"));
        QCOMPARE(Child<QLineEdit>(form, "EditStandardName")->text(), QString("Benzene"));
        QCOMPARE(Child<QLineEdit>(form, "EditTemp")->text(), QString("298.150"));
        QCOMPARE(Child<QLineEdit>(form, "EditIDC_KONZ")->text(), QString("1.23450"));
        QCOMPARE(Child<QLineEdit>(form, "EditIDC_RR_STAN")->text(), QString("1.36000E-03"));
        QVERIFY(Child<QLineEdit>(form, "EditIDC_RECNR")->isReadOnly());
        QVERIFY(!Child<QLineEdit>(form, "EditIDC_KONZ")->isReadOnly());
        QVERIFY(!Child<QLineEdit>(form, "EditSampleName")->isReadOnly());
        QCOMPARE(LabelOf(form, "EditIDC_DNDC"), QString::fromUtf8("&dn/dc / 1/(g/dm\u00b3) "));
        QCOMPARE(LabelOf(form, "EditIDC_VISK"), QString("Viscosity / mPas (cP)"));
        QCOMPARE(Child<QPushButton>(form, "BtnIDC_WEITER")->text(), QString("&Continue without any change"));
        auto* warning = Child<QLabel>(form, "LabelWarning");
        QCOMPARE(warning->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(warning->height() >= warning->heightForWidth(warning->width()));  // nothing cut off
        auto* original = Child<QLabel>(form, "LabelOriginal");  // where the untouched file is kept
        QCOMPARE(original->text(), QString::fromStdString(logic.LabelOriginal));
        QVERIFY(original->isVisible());
        QVERIFY(original->height() >= original->heightForWidth(original->width()));
        guitest::Screenshot(form, "dialog_TFormPavo7100");

        TypeInto(Child<QLineEdit>(form, "EditIDC_RI_SOLVENT"), "1,33");
        TypeInto(Child<QLineEdit>(form, "EditIDC_KONZ"), "x");
        TypeInto(Child<QLineEdit>(form, "EditSampleName"), "Renamed sample");
        AnswerMessage(invalid);
        ClickButton(form, "BtnIDC_AENDERN");
        QVERIFY(invalid.seen);
        QVERIFY(form->isVisible());
        TypeInto(Child<QLineEdit>(form, "EditIDC_KONZ"), "2");
        ClickButton(form, "BtnIDC_AENDERN");
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
    TFormPavo7100 logic(platform);
    ZebRecord first = Record("First sample");
    Places p;
    logic.Fill(first, 2, p.ratio, p.nameChanged);
    WhenOpens("TFormPavo7100", [](QWidget* form) { QTest::keyClick(form, Qt::Key_Escape); });
    platform.runModal(logic);
    QVERIFY(logic.answer() == ReviewAnswer::Abort);
    logic.Release();

    ZebRecord third = Record("Other name");
    Places q;
    logic.Fill(third, 3, q.ratio, q.nameChanged);
    QString shownName;
    bool readOnly = false;
    WhenOpens("TFormPavo7100", [&](QWidget* form) {
        auto* name = Child<QLineEdit>(form, "EditSampleName");
        shownName = name->text();
        readOnly = name->isReadOnly();
        QTest::keyClick(form, Qt::Key_Return);  // Enter continues without a change
    });
    platform.runModal(logic);
    QCOMPARE(shownName, QString("First sample"));
    QVERIFY(readOnly);
    QVERIFY(logic.answer() == ReviewAnswer::Continue);
}

void ImportFormsTest::reviewOpensTheStandardHelperOnceForAWrongIndex() {
    QtPlatform platform;
    TFormPavo7100 logic(platform);
    ZebRecord rec = Record("S", 0.00133f);
    Places p;
    logic.Fill(rec, 2, p.ratio, p.nameChanged);
    int helperShown = 0;
    QString fieldAfterHelper;
    WhenOpens("TFormPavo7100", [&](QWidget* form) {
        auto* nStandard = Child<QLineEdit>(form, "EditIDC_RI_STAN");
        WhenOpens("TFormnStd", [&](QWidget* helper) {
            ++helperShown;
            QCOMPARE(helper->windowTitle(), QString("ZEB-Stat: ZEB-7100 Data"));
            QCOMPARE(Child<QLineEdit>(helper, "EditWrong")->text(), QString("-1"));
            QVERIFY(Child<QLabel>(helper, "MemoExplanation")->text().contains("1.3300"));
            TypeInto(Child<QLineEdit>(helper, "EditWrong"), "1.33");
            TypeInto(Child<QLineEdit>(helper, "EditNew"), "1,332");
            guitest::Screenshot(helper, "dialog_TFormnStd");
            ClickButton(helper, "BitBtnOkay");
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
        WhenOpens("TFormnStd", [&](QWidget*) { ++helperShown; });
        QTest::keyClicks(nStandard, "5");
        QCOMPARE(helperShown, 1);
        ClickButton(form, "BtnIDC_WEITER");
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
    TFormnStd logic(platform);
    QString wrongShown;
    WhenOpens("TFormnStd", [&](QWidget* form) {
        WhenOpens([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
                  [&](QWidget* w) {
                      auto* files = qobject_cast<QFileDialog*>(w);
                      // The file's name typed into the dialog's name field.
                      files->findChild<QLineEdit*>("fileNameEdit")->setText(path);
                      static_cast<QDialog*>(files)->accept();  // as the Open button does
                  });
        ClickButton(form, "BtnStdFile");
        wrongShown = Child<QLineEdit>(form, "EditWrong")->text();
        TypeInto(Child<QLineEdit>(form, "EditNew"), "1.5");
        ClickButton(form, "BitBtnOkay");
    });
    platform.runModal(logic);
    QCOMPARE(wrongShown, QString("1.4960"));
    QVERIFY(logic.result == TFormnStd::Result::Ok);
    QCOMPARE(logic.wrongValue, 1.496);
    QCOMPARE(logic.newValue, 1.5);
}

void ImportFormsTest::tablePltTakesOverACellStillBeingEdited() {
    QtPlatform platform;
    TFormTarn1 logic(platform);
    std::vector<double> conc = {1e-3, 2e-3, 3e-3};
    std::vector<float> visc = {0.55f, 0.55f, 0.55f}, temps = {298.15f, 298.15f, 298.15f};
    std::string sample = "PS standard";
    double wavelength = 632.8;
    logic.Fill(conc, visc, TFormTarn1::Form::Plt, sample, wavelength, 3, temps);
    logic.LabelOriginal = "Before the first change the untouched file is kept beside it as \"ps-tarn.plt.orig\".";
    WhenOpens("TFormTarn1", [&](QWidget* form) {
        QCOMPARE(form->windowTitle(), QString("ZEB-Stat: TARN Data"));
        auto* original = Child<QLabel>(form, "LabelOriginal");
        QCOMPARE(original->text(), QString::fromStdString(logic.LabelOriginal));
        QVERIFY(original->height() >= original->heightForWidth(original->width()));
        auto* grid = Child<QTableWidget>(form, "StrGrid1");
        QCOMPARE(grid->columnCount(), 5);  // three concentrations: two columns stay empty
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->item(0, 0)->text(), QString("No. of Conc."));
        QCOMPARE(grid->item(1, 0)->text(), QString("Conc. / g/dm^3"));
        QCOMPARE(grid->item(1, 2)->text(), QString("2.00000"));
        QVERIFY(grid->item(1, 1)->flags() & Qt::ItemIsEditable);
        QVERIFY(!(grid->item(0, 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(grid->item(1, 4)->flags() & Qt::ItemIsEditable));
        QVERIFY(Child<QWidget>(form, "PanelPLT")->isVisible());
        QVERIFY(!Child<QWidget>(form, "PanelPLX")->isVisible());
        QCOMPARE(Child<QLineEdit>(form, "EditWaveLength")->text(), QString("632.80"));
        guitest::Screenshot(form, "dialog_TFormTarn1_plt");

        TypeInto(Child<QLineEdit>(form, "EditWaveLength"), "633,5");
        TypeInto(Child<QLineEdit>(form, "EditSampleName"), "PS corrected");
        // Typing on a cell edits it; a button pressed without taking the focus
        // (by its shortcut) still gets the text of the open editor.
        TypeIntoCell(grid, 1, 1, "4");
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        Child<QPushButton>(form, "BtnChange")->click();
    });
    platform.runModal(logic);
    QVERIFY(logic.result() == TFormTarn1::Result::Ok);
    QCOMPARE(conc[0], 0.004);
    QCOMPARE(conc[1], 2e-3);
    QCOMPARE(wavelength, 633.5);
    QCOMPARE(sample, std::string("PS corrected"));
}

void ImportFormsTest::tablePlxEditsViscosityAndTemperatureOnly() {
    QtPlatform platform;
    TFormTarn1 logic(platform);
    std::vector<double> conc = {1e-3, 2e-3, 3e-3, 4e-3, 5e-3, 6e-3};
    std::vector<float> visc(6, 0.0f), temps(6, 0.0f);
    std::string sample = "PS";
    double wavelength = 632.8;
    logic.Fill(conc, visc, TFormTarn1::Form::Plx, sample, wavelength, 6, temps);
    WhenOpens("TFormTarn1", [&](QWidget* form) {
        auto* grid = Child<QTableWidget>(form, "StrGrid1");
        QCOMPARE(grid->columnCount(), 7);
        QCOMPARE(grid->rowCount(), 4);
        QCOMPARE(grid->item(3, 0)->text(), QString("Temp. / K"));
        QVERIFY(!(grid->item(1, 3)->flags() & Qt::ItemIsEditable));  // concentrations are fixed here
        QVERIFY(grid->item(2, 3)->flags() & Qt::ItemIsEditable);
        QVERIFY(!Child<QPushButton>(form, "BtnAbort")->isVisible());
        QCOMPARE(Child<QPushButton>(form, "BtnContinue")->text(), QString("&Ignore and continue"));
        QCOMPARE(Child<QPushButton>(form, "BtnChange")->text(), QString("&Save"));
        QVERIFY(Child<QWidget>(form, "PanelPLX")->isVisible());
        QVERIFY(!Child<QWidget>(form, "PanelPLT")->isVisible());
        // All six concentrations are in view.
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        guitest::Screenshot(form, "dialog_TFormTarn1_plx");

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
        ClickButton(form, "BtnChange");
    });
    platform.runModal(logic);
    QVERIFY(logic.result() == TFormTarn1::Result::Ok);
    QCOMPARE(temps[1], 293.15f);
    QCOMPARE(visc[5], 0.89f);
    QCOMPARE(temps[0], 0.0f);
    QCOMPARE(conc[5], 6e-3);
}

ZEB_GUI_TEST(ImportFormsTest)
#include "ImportForms_test.moc"
