// The export selection dialog on its widgets: shown without blocking, typed
// numbers chosen at Space, a refused character, OK, Abort and Escape.
#include "dialogs/ExportSelectionDialog.h"
#include "dialogs/qt/ExportSelectionDialogView.h"
#include "gui/FormTestSupport.h"
#include "gui/GuiTestSupport.h"
#include "platform/qt/QtPlatform.h"
#include "support/SyntheticSets.h"

#include <QLabel>
#include <QPushButton>

using namespace zeb;
using namespace zeb::formtest;

class ExportFormTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void typedNumbersOkAndAbort();
};

void ExportFormTest::typedNumbersOkAndAbort() {
    QtPlatform platform;
    MeasurementSet set{platform};
    test::FillModelSet(set, 4, 3, test::ModelParams{});
    std::vector<int> chosen;
    ExportSelectionDialog logic(platform, set, chosen);
    int exports = 0;
    logic.onPostDeferredExport = [&] { ++exports; };
    ExportSelectionDialogView view(logic);
    QVERIFY(!view.isVisible());

    logic.Show();
    QVERIFY(view.isVisible());
    QVERIFY(!view.isModal());
    QVERIFY(view.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(view.windowTitle(), QString("ZEB-Stat: Export Data"));
    QCOMPARE(Child<QLabel>(&view, "noSelectionLabel")->text(), QString("No data records selected !"));
    const QStringList memo = Child<QLabel>(&view, "instructions")->text().split('\n');
    QCOMPARE(memo.size(), 14);
    QCOMPARE(memo[0], QString("Select the data records you want to export in one of the following two ways:"));
    QCOMPARE(memo[13], QString("    the change.    "));

    auto* edit = Child<QLineEdit>(&view, "numbersField");
    QVERIFY(QTest::qWaitForWindowActive(&view, 2000));
    QTest::keyClicks(edit, "3 1");
    QCOMPARE(chosen, std::vector<int>{3});  // "1" waits for its Space
    QTest::keyClick(edit, Qt::Key_Space);
    QCOMPARE(chosen, (std::vector<int>{3, 1}));
    QCOMPARE(logic.numbersField, std::string("3 1 "));
    guitest::Screenshot(&view, "dialog_ExportSelectionDialog");

    // A character other than a digit or a blank: the numbers before it are chosen.
    SeenMessage refused;
    AnswerMessage(refused);
    QTest::keyClicks(edit, "2x ");
    QVERIFY(refused.seen);
    QCOMPARE(refused.text, QString("Invalid Input: Other than blanc or number !"));
    QCOMPARE(refused.caption, QString("ZEB-Stat"));
    QCOMPARE(chosen, (std::vector<int>{3, 1, 2}));
    // Records are chosen: the hint that none is goes.
    QVERIFY(!Child<QLabel>(&view, "noSelectionLabel")->isVisible());

    // OK with the refused character still there: its message again, the dialog stays.
    SeenMessage again;
    AnswerMessage(again);
    Child<QPushButton>(&view, "okButton")->click();
    QVERIFY(again.seen);
    QCOMPARE(again.text, QString("Invalid Input: Other than blanc or number !"));
    QVERIFY(view.isVisible());
    QCOMPARE(exports, 0);
    // Corrected without a closing Space: OK takes the numbers typed.
    edit->setText("3 1 2 4");
    Child<QPushButton>(&view, "okButton")->click();
    QVERIFY(!view.isVisible());
    QCOMPARE(chosen, (std::vector<int>{3, 1, 2, 4}));
    QCOMPARE(exports, 1);

    // Shown again: the field is empty; Abort clears the choice, Escape closes too.
    logic.Show();
    QVERIFY(view.isVisible());
    QCOMPARE(edit->text(), QString());
    Child<QPushButton>(&view, "abortButton")->click();
    QVERIFY(chosen.empty());
    QCOMPARE(exports, 2);
    QVERIFY(!Child<QLabel>(&view, "noSelectionLabel")->isHidden());
    logic.Show();
    QTest::keyClick(&view, Qt::Key_Escape);
    QVERIFY(!view.isVisible());
    QCOMPARE(exports, 3);

    // The chart's choices arrive in the field.
    logic.Show();
    chosen = {2, 4};
    logic.ChosenListChanged();
    QCOMPARE(edit->text(), QString("2 4 "));
    view.close();
    QCOMPARE(exports, 4);
}

ZEB_GUI_TEST(ExportFormTest)
#include "ExportForm_test.moc"
