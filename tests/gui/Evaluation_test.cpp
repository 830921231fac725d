// Saved evaluations on the real widgets: "Save evaluation..." in a plot
// window, then "Open evaluation..." opens a new window with the same results
// (review dialog included); a changed data file is named in a question.
#include "app/qt/FrameWindowView.h"
#include "support/BuildPaths.h"
#include "dialogs/qt/DialogForms.h"
#include "gui/GuiTestSupport.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/qt/PlotWindowView.h"
#include "platform/qt/QtPlatform.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include <deque>

using namespace zeb;

class EvaluationPlatform : public QtPlatform {
public:
    std::deque<std::optional<std::string>> openAnswers, saveAnswers;
    std::optional<std::string> openFileName(const FileDialogRequest&) override { return take(openAnswers); }
    std::optional<std::string> saveFileName(const FileDialogRequest&) override { return take(saveAnswers); }

private:
    static std::optional<std::string> take(std::deque<std::optional<std::string>>& q) {
        if (q.empty()) return std::nullopt;
        auto a = q.front();
        q.pop_front();
        return a;
    }
};

namespace {

// Answers the record review dialog of a load with "Continue without any change".
void ContinueReview(bool& reviewed) {
    guitest::WhenModalOpens([&reviewed](QWidget* modal) {
        auto* weiter = modal->findChild<QPushButton*>("continueButton");
        QVERIFY(weiter);
        reviewed = true;
        weiter->click();
    });
}

} // namespace

class EvaluationTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterDialogForms(); }
    void savedEvaluationOpensWithTheSameResults();

private:
    EvaluationPlatform platform_;
};

void EvaluationTest::savedEvaluationOpensWithTheSameResults() {
    QTemporaryDir dir;
    const QString file = dir.filePath("ps-toluene.sta");
    QVERIFY(QFile::copy(QString(test::build::SourceDir()) + "/examples/ps-toluene.sta", file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(frame.findChild<QAction*>("openEvaluation"));  // also in the frame's File menu

    bool reviewed = false;
    ContinueReview(reviewed);
    platform_.openAnswers.push_back(file.toStdString());
    frame.loadNewFile();
    QTRY_COMPARE(frame.mdiArea()->subWindowList().size(), 1);
    auto* first = qobject_cast<PlotWindowView*>(frame.mdiArea()->subWindowList().front()->widget());
    QVERIFY(first);
    QTRY_VERIFY_WITH_TIMEOUT(!first->core().awaitingFirstData(), guitest::kWindowWaitMs);
    QVERIFY(reviewed);
    first->action("qOrder1")->trigger();
    first->action("cOrder1")->trigger();
    first->action("plotBerry")->trigger();
    first->core().set().cell(2, 5)->active = 0;  // an outlier switched off
    first->action("calculate")->trigger();
    const std::string results = first->core().resultsText();
    const QString mw = first->findChild<QLineEdit*>("mwcField")->text();

    QVERIFY(first->action("saveEvaluation")->isEnabled());
    platform_.saveAnswers.push_back(dir.filePath("berry.zeb").toStdString());
    first->action("saveEvaluation")->trigger();
    QVERIFY(QFile::exists(dir.filePath("berry.zeb")));
    QCOMPARE(frame.statusBar()->currentMessage(), "Evaluation saved: " + dir.filePath("berry.zeb"));

    reviewed = false;
    ContinueReview(reviewed);  // the files load as for any load
    platform_.openAnswers.push_back(dir.filePath("berry.zeb").toStdString());
    first->action("openEvaluation")->trigger();
    QTRY_COMPARE(frame.mdiArea()->subWindowList().size(), 2);
    auto* second = qobject_cast<PlotWindowView*>(frame.mdiArea()->subWindowList().back()->widget());
    QVERIFY(second && second != first);
    QTRY_VERIFY_WITH_TIMEOUT(!second->core().awaitingFirstData() && second->core().plotType() == PlotType::Berry,
                             guitest::kWindowWaitMs);
    QVERIFY(reviewed);
    QCOMPARE(second->core().resultsText(), results);
    QCOMPARE(second->findChild<QLineEdit*>("mwcField")->text(), mw);
    QVERIFY(second->action("plotBerry")->isChecked());
    QVERIFY(second->action("cOrder1")->isChecked());
    QCOMPARE(second->core().set().cell(2, 5)->active, std::int16_t{0});
    guitest::Screenshot(second, "evaluation_opened");

    // The data file changed: the question names it, and No opens nothing.
    QFile f(file);
    QVERIFY(f.open(QIODevice::Append));
    f.write(" ");
    f.close();
    QString question;
    guitest::WhenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        question = box->text();
        guitest::Screenshot(modal, "evaluation_changed_file");
        box->button(QMessageBox::No)->click();
    });
    platform_.openAnswers.push_back(dir.filePath("berry.zeb").toStdString());
    second->action("openEvaluation")->trigger();
    QTRY_VERIFY(!question.isEmpty());
    QVERIFY2(question.contains(file), qPrintable(question));
    // Answered No: nothing opens, not even later.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(frame.mdiArea()->subWindowList().size(), 2);
    // Closing a window and then the frame at once (the window deleted only with the frame) is safe.
    first->closeWithoutQuestion();
    frame.mdiArea()->subWindowList().front()->close();
    second->closeWithoutQuestion();
}

ZEB_GUI_TEST(EvaluationTest)
#include "Evaluation_test.moc"
