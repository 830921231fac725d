// A part of the desktop program left unconnected is reported, never passed
// over: a core dialog without its Qt form (by default in a message box), a
// frame that cannot make plot windows.
#include "app/qt/FrameWindowView.h"
#include "support/BuildPaths.h"
#include "gui/GuiTestSupport.h"
#include "platform/qt/ProgramFault.h"
#include "platform/qt/QtPlatform.h"
#include "texts/CommonTexts.h"

#include <QMdiArea>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include <string>
#include <vector>

using namespace zeb;

namespace {

class FormlessDialog : public ModalDialog {
public:
    const char* dialogName() const override { return "DialogNobodyShows"; }
    void answerDefault() override { answered = true; }
    bool answered = false;
};

// Keeps the reports of its lifetime instead of failing the test.
class CollectedFaults {
public:
    CollectedFaults() : previous_(SetProgramFaultHandler([this](const std::string& t) { texts.push_back(t); })) {}
    ~CollectedFaults() { SetProgramFaultHandler(previous_); }
    std::vector<std::string> texts;

private:
    ProgramFaultHandler previous_;
};

} // namespace

class ProgramFaultTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void dialogWithoutFormIsShownAsInternalError();
    void frameWithoutPlotWindowsReportsEveryOpen();
};

void ProgramFaultTest::dialogWithoutFormIsShownAsInternalError() {
    const ProgramFaultHandler testHandler = SetProgramFaultHandler({});  // the program's own report
    QtPlatform platform;
    FormlessDialog dialog;
    QString caption, text;
    guitest::WhenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        caption = box->windowTitle();
        text = box->text();
        box->accept();
    });
    platform.runModal(dialog);
    SetProgramFaultHandler(testHandler);
    QCOMPARE(caption, QString("Internal Error"));
    QCOMPARE(text, QString("No form is registered for the dialog DialogNobodyShows"));
    QVERIFY(dialog.answered);  // then the program goes on as a user who accepts everything
}

void ProgramFaultTest::frameWithoutPlotWindowsReportsEveryOpen() {
    CollectedFaults faults;
    guitest::AnsweringPlatform platform;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    platform.openAnswers.push_back(std::string(test::build::SourceDir()) + "/examples/ps-small.asc");
    FrameWindowView frame(platform, dir.filePath("zebstat.ini").toStdString(), {});
    frame.loadNewFile();
    frame.openFiles({QString(test::build::SourceDir()) + "/examples/ps-small.asc"});
    frame.openEvaluation({});
    const std::vector<std::string> expected(3, tx::NoPlotWindowFactory);
    QCOMPARE(faults.texts, expected);
    QVERIFY(frame.mdiArea()->subWindowList().isEmpty());
    QCOMPARE(platform.openAnswers.size(), std::size_t{1});  // nobody was asked for a file
}

ZEB_GUI_TEST(ProgramFaultTest)
#include "ProgramFault_test.moc"
