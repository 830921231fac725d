// The forms of the form-factor parameter dialog and of the two reflection
// correction dialogs, on the real widgets: what they show, what typing and
// clicking hand to the logic, and where the focus goes after an error.
#include "dialogs/ReflectionCorrectionDialog.h"
#include "dialogs/FormFactorParametersDialog.h"
#include "dialogs/ReflectionNoticeDialog.h"
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

bool ChildShown(QWidget* form, const char* name) { return Child<QWidget>(form, name)->isVisible(); }

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
    FormFactorParametersDialog logic(platform, -1.0, rg, mw);
    SeenMessage notANumber, notPositive;
    bool focusOnRg = false;
    WhenOpens("FormFactorParametersDialog", [&](QWidget* form) {
        QCOMPARE(form->windowTitle(), QString("ZEB-Stat: Information"));
        QVERIFY(ChildShown(form, "noPlotNote"));
        QVERIFY(!ChildShown(form, "willPlotNote"));
        QVERIFY(!ChildShown(form, "negativeRgNote"));
        QVERIFY(!ChildShown(form, "concentrationField"));
        QVERIFY(!ChildShown(form, "concentrationLabel"));
        QVERIFY(Child<QLabel>(form, "noPlotNote")->text().startsWith("There are no values for Mw and Rg available"));
        guitest::Screenshot(form, "dialog_FormFactorParametersDialog");

        auto* editRg = Child<QLineEdit>(form, "rgField");
        auto* editMw = Child<QLineEdit>(form, "mwField");
        TypeInto(editMw, "2e5");
        AnswerMessage(notANumber);
        ClickFormButton(form, "okButton");
        // The field that gets the focus when the form is active again.
        focusOnRg = form->focusWidget() == editRg;

        TypeInto(editRg, "1,5e1");
        TypeInto(editMw, "0");
        AnswerMessage(notPositive);
        ClickFormButton(form, "okButton");
        QVERIFY(form->isVisible());
        TypeInto(editMw, "2e5");
        ClickFormButton(form, "okButton");
    });
    platform.runModal(logic);
    QCOMPARE(notANumber.text, QString("Invalid Number !"));
    QCOMPARE(notANumber.caption, QString("ZEBStat: Information"));
    QCOMPARE(notANumber.icon, QMessageBox::Critical);
    QVERIFY(focusOnRg);
    QCOMPARE(notPositive.text, QString("Invalid input !"));
    QCOMPARE(notPositive.icon, QMessageBox::NoIcon);
    QCOMPARE(logic.modalResult, FormFactorParametersDialog::kResultOk);
    QVERIFY(logic.rgEdited());
    QCOMPARE(rg, 15.0);
    QCOMPARE(mw, 2e5);
}

void AnalysisFormsTest::formFactorShowsTheExtrapolatedValuesAndEscapeAborts() {
    QtPlatform platform;
    int helpContext = 0;
    platform.helpHandler = [&](int context) { helpContext = context; };
    double rg = 40.0, mw = 2.5e5;
    FormFactorParametersDialog logic(platform, 1e-3, rg, mw);
    QString c, shownRg, shownMw;
    WhenOpens("FormFactorParametersDialog", [&](QWidget* form) {
        QVERIFY(ChildShown(form, "willPlotNote"));
        QVERIFY(!ChildShown(form, "noPlotNote"));
        QVERIFY(Child<QLineEdit>(form, "concentrationField")->isReadOnly());
        c = Child<QLineEdit>(form, "concentrationField")->text();
        shownRg = Child<QLineEdit>(form, "rgField")->text();
        shownMw = Child<QLineEdit>(form, "mwField")->text();
        guitest::Screenshot(form, "dialog_FormFactorParametersDialog_values");
        ClickFormButton(form, "helpButton");
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
    ReflectionCorrectionDialog logic(platform);
    logic.PrepareFor("/home/lab/measurements/2024/polystyrene/ps_c1.sta", 1.25e-3, true);
    logic.prepareToShow();
    SeenMessage invalid;
    QString glassAfterPyrex, glassAfterUser;
    bool focusOnSolvent = false, focusOnGlassAfterUser = false, focusOnSolventAfterError = false;
    WhenOpens("ReflectionCorrectionDialog", [&](QWidget* form) {
        auto* combo = Child<QComboBox>(form, "glassChoice");
        auto* nGlass = Child<QLineEdit>(form, "glassIndexField");
        auto* nSolv = Child<QLineEdit>(form, "solventIndexField");
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->currentText(), QString("Suprasil, Herasil"));
        QCOMPARE(nGlass->text(), QString("1.460"));
        QCOMPARE(Child<QLineEdit>(form, "concentrationField")->text(), QString("1.25000"));
        QVERIFY(Child<QLineEdit>(form, "fileNameField")->text().endsWith("ps_c1.sta"));
        QVERIFY(ChildShown(form, "LabelnSolv") && ChildShown(form, "solventIndexField") && ChildShown(form, "solventIndexHint"));
        QCOMPARE(Child<QLabel>(form, "LabelnSolv")->text(), QString("Enter refractive index of the solvent :"));
        QCOMPARE(Child<QPushButton>(form, "forAllButton")->text(),
                 QString("Assume same refractive index for all concentrations"));
        focusOnSolvent = QApplication::focusWidget() == nSolv;
        guitest::Screenshot(form, "dialog_ReflectionCorrectionDialog");

        QTest::keyClick(combo, Qt::Key_Down);
        glassAfterPyrex = nGlass->text();
        QTest::keyClick(combo, Qt::Key_Down);
        glassAfterUser = nGlass->text();
        focusOnGlassAfterUser = QApplication::focusWidget() == nGlass;
        QTest::keyClicks(nGlass, "1.5");
        AnswerMessage(invalid);
        ClickFormButton(form, "forAllButton");  // the solvent's index is still empty
        focusOnSolventAfterError = form->focusWidget() == nSolv;
        TypeInto(nSolv, "1,332");
        ClickFormButton(form, "forAllButton");
    });
    platform.runModal(logic);
    QVERIFY(focusOnSolvent);
    QCOMPARE(glassAfterPyrex, QString("1.470"));
    QCOMPARE(glassAfterUser, QString());
    QVERIFY(focusOnGlassAfterUser);
    QCOMPARE(invalid.text, QString("Invalid input for floating point number."));
    QVERIFY(focusOnSolventAfterError);
    QCOMPARE(logic.modalResult, ReflectionCorrectionDialog::kResultForAll);
    QCOMPARE(logic.nGlass, 1.5);
    QCOMPARE(logic.nTyped, 1.332);
}

void AnalysisFormsTest::reflectionAbortAsksOnceACorrectionWasApplied() {
    QtPlatform platform;
    ReflectionCorrectionDialog logic(platform);
    logic.correctionApplied = true;
    logic.PrepareFor("ps_c2.sta", 2e-3, false);
    logic.prepareToShow();
    SeenMessage keep, leave;
    int comboAfterTyping = -1;
    bool stayedOpen = false;
    WhenOpens("ReflectionCorrectionDialog", [&](QWidget* form) {
        QVERIFY(!ChildShown(form, "solventIndexField"));
        QVERIFY(!ChildShown(form, "solventIndexHint"));
        // Typing an index of one's own selects "user defined".
        TypeInto(Child<QLineEdit>(form, "glassIndexField"), "1.52");
        comboAfterTyping = Child<QComboBox>(form, "glassChoice")->currentIndex();
        AnswerMessage(keep, QMessageBox::No);
        ClickFormButton(form, "abortButton");
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
    QCOMPARE(logic.modalResult, ReflectionCorrectionDialog::kResultAbort);
}

void AnalysisFormsTest::counterAngleQuestionShowsTheAngleAndTheChoice() {
    QtPlatform platform;
    ReflectionNoticeDialog logic;
    logic.Prepare(37.5, 2e-3);
    QStringList memoLines;
    QString conc;
    WhenOpens("ReflectionNoticeDialog", [&](QWidget* form) {
        auto* memo = Child<QLabel>(form, "explanation");
        memoLines = memo->text().split('\n');
        // The five lines are shown as they are, none wrapped or cut.
        QCOMPARE(memo->heightForWidth(memo->width()), memo->heightForWidth(10000));
        conc = Child<QLineEdit>(form, "concentrationField")->text();
        guitest::Screenshot(form, "dialog_ReflectionNoticeDialog");
        ClickFormButton(form, "extrapolateAllButton");
    });
    platform.runModal(logic);
    QCOMPARE(memoLines.size(), 5);
    QCOMPARE(memoLines[0],
             QString::fromUtf8("For the reflection correction on the angle of 37.5\u00b0 there is required a"));
    QCOMPARE(memoLines[1],
             QString::fromUtf8("ratio value corresponding to the counter angle of 180\u00b0 - 37.5\u00b0."));
    QCOMPARE(conc, QString("2.00000"));
    QCOMPARE(logic.modalResult, ReflectionNoticeDialog::kExtrapolateAll);

    // Enter skips the point; closing without a button leaves no answer.
    logic.Prepare(10.0, 2e-3);
    WhenOpens("ReflectionNoticeDialog", [](QWidget* form) { QTest::keyClick(form, Qt::Key_Return); });
    platform.runModal(logic);
    QCOMPARE(logic.modalResult, ReflectionNoticeDialog::kSkip);
    logic.Prepare(10.0, 2e-3);
    WhenOpens("ReflectionNoticeDialog", [](QWidget* form) { QTest::keyClick(form, Qt::Key_Escape); });
    platform.runModal(logic);
    QCOMPARE(logic.modalResult, 0);
}

ZEB_GUI_TEST(AnalysisFormsTest)
#include "AnalysisForms_test.moc"
