// The forms of the form-factor parameter dialog and of the two reflection
// correction dialogs, on the real widgets: what they show, what typing and
// clicking hand to the logic, and where the focus goes after an error.
#include "dialogs/TFormCorrReflex.h"
#include "dialogs/TFormInputFormF.h"
#include "dialogs/TFormRefCorrInfo.h"
#include "dialogs/qt/DialogForms.h"
#include "gui/FormTestSupport.h"
#include "gui/GuiTestSupport.h"
#include "platform/qt/QtPlatform.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace zeb;
using namespace zeb::formtest;

namespace {

void ClickFormButton(QWidget* form, const char* button) { QTest::mouseClick(Child<QPushButton>(form, button), Qt::LeftButton); }

bool FormShown(QWidget* form, const char* name) { return Child<QWidget>(form, name)->isVisible(); }

} // namespace

class AnalysisFormsTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterDialogForms(); }
    void formFactorWithoutRecordAsksForBothValues();
    void formFactorShowsTheExtrapolatedValuesAndEscapeAborts();
    void reflectionGlassChoiceAndMissingSolventIndex();
    void reflectionAbortAsksOnceACorrectionWasApplied();
    void counterAngleQuestionShowsTheAngleAndTheChoice();
};

void AnalysisFormsTest::formFactorWithoutRecordAsksForBothValues() {
    QtPlatform platform;
    double rg = -1, mw = -1;
    TFormInputFormF logic(platform, -1.0, rg, mw);
    SeenMessage notANumber, notPositive;
    bool focusOnRg = false;
    WhenOpens("TFormInputFormF", [&](QWidget* form) {
        QCOMPARE(form->windowTitle(), QString("ZEB-Stat: Information"));
        QVERIFY(FormShown(form, "MemoNo"));
        QVERIFY(!FormShown(form, "MemoWillPlot"));
        QVERIFY(!FormShown(form, "MemoRgkl0"));
        QVERIFY(!FormShown(form, "EditC"));
        QVERIFY(!FormShown(form, "LabelC"));
        QVERIFY(Child<QLabel>(form, "MemoNo")->text().startsWith("There are no values for Mw and Rg available"));
        guitest::Screenshot(form, "dialog_TFormInputFormF");

        auto* editRg = Child<QLineEdit>(form, "EditRg");
        auto* editMw = Child<QLineEdit>(form, "EditMw");
        TypeInto(editMw, "2e5");
        AnswerMessage(notANumber);
        ClickFormButton(form, "BitBtn1");
        // The field that gets the focus when the form is active again.
        focusOnRg = form->focusWidget() == editRg;

        TypeInto(editRg, "1,5e1");
        TypeInto(editMw, "0");
        AnswerMessage(notPositive);
        ClickFormButton(form, "BitBtn1");
        QVERIFY(form->isVisible());
        TypeInto(editMw, "2e5");
        ClickFormButton(form, "BitBtn1");
    });
    platform.runModal(logic);
    QCOMPARE(notANumber.text, QString("Invalid Number !"));
    QCOMPARE(notANumber.caption, QString("ZEBStat: Information"));
    QCOMPARE(notANumber.icon, QMessageBox::Critical);
    QVERIFY(focusOnRg);
    QCOMPARE(notPositive.text, QString("Invalid input !"));
    QCOMPARE(notPositive.icon, QMessageBox::NoIcon);
    QCOMPARE(logic.modalResult, TFormInputFormF::kResultOk);
    QVERIFY(logic.rgEdited());
    QCOMPARE(rg, 15.0);
    QCOMPARE(mw, 2e5);
}

void AnalysisFormsTest::formFactorShowsTheExtrapolatedValuesAndEscapeAborts() {
    QtPlatform platform;
    int helpContext = 0;
    platform.helpHandler = [&](int context) { helpContext = context; };
    double rg = 40.0, mw = 2.5e5;
    TFormInputFormF logic(platform, 1e-3, rg, mw);
    QString c, shownRg, shownMw;
    WhenOpens("TFormInputFormF", [&](QWidget* form) {
        QVERIFY(FormShown(form, "MemoWillPlot"));
        QVERIFY(!FormShown(form, "MemoNo"));
        QVERIFY(Child<QLineEdit>(form, "EditC")->isReadOnly());
        c = Child<QLineEdit>(form, "EditC")->text();
        shownRg = Child<QLineEdit>(form, "EditRg")->text();
        shownMw = Child<QLineEdit>(form, "EditMw")->text();
        guitest::Screenshot(form, "dialog_TFormInputFormF_values");
        ClickFormButton(form, "BitBtn3");
        QVERIFY(form->isVisible());
        QTest::keyClick(form, Qt::Key_Escape);
    });
    platform.runModal(logic);
    QCOMPARE(c, QString("1.000E0"));
    QCOMPARE(shownRg, QString("4.000E1"));
    QCOMPARE(shownMw, QString("2.500E5"));
    QCOMPARE(helpContext, 2);
    QVERIFY(logic.aborted());
    QVERIFY(!logic.rgEdited());
    QCOMPARE(rg, 40.0);
}

void AnalysisFormsTest::reflectionGlassChoiceAndMissingSolventIndex() {
    QtPlatform platform;
    TFormCorrReflex logic(platform);
    logic.PrepareFor("/home/lab/measurements/2024/polystyrene/ps_c1.sta", 1.25e-3, true);
    logic.FormShow();
    SeenMessage invalid;
    QString glassAfterPyrex, glassAfterUser;
    bool focusOnSolvent = false, focusOnGlassAfterUser = false, focusOnSolventAfterError = false;
    WhenOpens("TFormCorrReflex", [&](QWidget* form) {
        auto* combo = Child<QComboBox>(form, "ComboGlas");
        auto* nGlass = Child<QLineEdit>(form, "EditnGlas");
        auto* nSolv = Child<QLineEdit>(form, "EditnSolv");
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->currentText(), QString("Suprasil, Herasil"));
        QCOMPARE(nGlass->text(), QString("1.460"));
        QCOMPARE(Child<QLineEdit>(form, "EditConc")->text(), QString("1.25000"));
        QVERIFY(Child<QLineEdit>(form, "EditFileName")->text().endsWith("ps_c1.sta"));
        QVERIFY(FormShown(form, "LabelnSolv") && FormShown(form, "EditnSolv") && FormShown(form, "MemoHintn"));
        QCOMPARE(Child<QLabel>(form, "LabelnSolv")->text(), QString("Enter refractive index of the solvent :"));
        QCOMPARE(Child<QPushButton>(form, "BtnForAll")->text(),
                 QString("Assume same refractive index for all concentrations"));
        focusOnSolvent = QApplication::focusWidget() == nSolv;
        guitest::Screenshot(form, "dialog_TFormCorrReflex");

        QTest::keyClick(combo, Qt::Key_Down);
        glassAfterPyrex = nGlass->text();
        QTest::keyClick(combo, Qt::Key_Down);
        glassAfterUser = nGlass->text();
        focusOnGlassAfterUser = QApplication::focusWidget() == nGlass;
        QTest::keyClicks(nGlass, "1.5");
        AnswerMessage(invalid);
        ClickFormButton(form, "BtnForAll");  // the solvent's index is still empty
        focusOnSolventAfterError = form->focusWidget() == nSolv;
        TypeInto(nSolv, "1,332");
        ClickFormButton(form, "BtnForAll");
    });
    platform.runModal(logic);
    QVERIFY(focusOnSolvent);
    QCOMPARE(glassAfterPyrex, QString("1.470"));
    QCOMPARE(glassAfterUser, QString());
    QVERIFY(focusOnGlassAfterUser);
    QCOMPARE(invalid.text, QString("Invalid input for floating point number."));
    QVERIFY(focusOnSolventAfterError);
    QCOMPARE(logic.modalResult, TFormCorrReflex::kResultForAll);
    QCOMPARE(logic.nGlass, 1.5);
    QCOMPARE(logic.nTyped, 1.332);
}

void AnalysisFormsTest::reflectionAbortAsksOnceACorrectionWasApplied() {
    QtPlatform platform;
    TFormCorrReflex logic(platform);
    logic.correctionApplied = true;
    logic.PrepareFor("ps_c2.sta", 2e-3, false);
    logic.FormShow();
    SeenMessage keep, leave;
    int comboAfterTyping = -1;
    bool stayedOpen = false;
    WhenOpens("TFormCorrReflex", [&](QWidget* form) {
        QVERIFY(!FormShown(form, "EditnSolv"));
        QVERIFY(!FormShown(form, "MemoHintn"));
        // Typing an index of one's own selects "user defined".
        TypeInto(Child<QLineEdit>(form, "EditnGlas"), "1.52");
        comboAfterTyping = Child<QComboBox>(form, "ComboGlas")->currentIndex();
        AnswerMessage(keep, QMessageBox::No);
        ClickFormButton(form, "BitBtnAbort");
        stayedOpen = form->isVisible();
        AnswerMessage(leave, QMessageBox::Yes);
        QTest::keyClick(form, Qt::Key_Escape);  // Escape is the Abort button
    });
    platform.runModal(logic);
    QCOMPARE(comboAfterTyping, 2);
    QVERIFY(keep.seen);
    QVERIFY(keep.text.startsWith("The correction for reflection has been already applied\n"));
    QCOMPARE(keep.icon, QMessageBox::Warning);
    QVERIFY(stayedOpen);
    QVERIFY(leave.seen);
    QCOMPARE(logic.modalResult, TFormCorrReflex::kResultAbort);
}

void AnalysisFormsTest::counterAngleQuestionShowsTheAngleAndTheChoice() {
    QtPlatform platform;
    TFormRefCorrInfo logic;
    logic.Prepare(37.5, 2e-3);
    QStringList memoLines;
    QString conc;
    WhenOpens("TFormRefCorrInfo", [&](QWidget* form) {
        auto* memo = Child<QLabel>(form, "Memo1");
        memoLines = memo->text().split('\n');
        // The five lines are shown as they are, none wrapped or cut.
        QCOMPARE(memo->heightForWidth(memo->width()), memo->heightForWidth(10000));
        conc = Child<QLineEdit>(form, "EditConc")->text();
        guitest::Screenshot(form, "dialog_TFormRefCorrInfo");
        ClickFormButton(form, "Button2");
    });
    platform.runModal(logic);
    QCOMPARE(memoLines.size(), 5);
    QCOMPARE(memoLines[0],
             QString::fromUtf8("For the reflection correction on the angle of 37.5\u00b0 there is required a"));
    QCOMPARE(memoLines[1],
             QString::fromUtf8("ratio value corresponding to the counter angle of 180\u00b0 - 37.5\u00b0."));
    QCOMPARE(conc, QString("2.00000"));
    QCOMPARE(logic.modalResult, TFormRefCorrInfo::kExtrapolateAll);

    // Enter skips the point; closing without a button leaves no answer.
    logic.Prepare(10.0, 2e-3);
    WhenOpens("TFormRefCorrInfo", [](QWidget* form) { QTest::keyClick(form, Qt::Key_Return); });
    platform.runModal(logic);
    QCOMPARE(logic.modalResult, TFormRefCorrInfo::kSkip);
    logic.Prepare(10.0, 2e-3);
    WhenOpens("TFormRefCorrInfo", [](QWidget* form) { QTest::keyClick(form, Qt::Key_Escape); });
    platform.runModal(logic);
    QCOMPARE(logic.modalResult, 0);
}

ZEB_GUI_TEST(AnalysisFormsTest)
#include "AnalysisForms_test.moc"
