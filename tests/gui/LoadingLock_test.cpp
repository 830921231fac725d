// Loading is exclusive on the real widgets: while a plot window adds a file,
// every command of that window that reads or changes its data, results or
// chart is disabled (menus, k controls, Ctrl+F4), no other window starts a
// load, and Abort leaves the window as it was. No shortcut acts behind a modal
// message box.
#include "app/qt/FrameWindowView.h"
#include "support/BuildPaths.h"
#include "dialogs/qt/DialogForms.h"
#include "gui/GuiTestSupport.h"
#include "platform/qt/QtPlatform.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/qt/PlotWindowView.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <deque>
#include <functional>

using namespace zeb;


// The real platform with the file dialogs answered by the test and a hook in
// the readers' pauses, where the user's clicks and keys arrive.
class LockPlatform : public QtPlatform {
public:
    std::deque<std::optional<std::string>> openAnswers;
    std::function<void()> whileReading;
    std::optional<std::string> openFileName(const FileDialogRequest&) override {
        if (openAnswers.empty()) return std::nullopt;
        auto a = openAnswers.front();
        openAnswers.pop_front();
        return a;
    }
    void processPendingMessages() override {
        if (whileReading) {
            auto hook = std::move(whileReading);  // once
            whileReading = nullptr;
            hook();
        }
        QtPlatform::processPendingMessages();
    }
};

namespace {

QString lockExample(const char* name) { return QString(test::build::SourceDir()) + "/examples/" + name; }

const char* const kStayAvailable[] = {"printerSetup", "helpIntroduction", "helpContents", "helpFileFormats",
                                      "helpAbout"};

bool staysAvailable(const QString& name) {
    for (const char* n : kStayAvailable)
        if (name == n) return true;
    return false;
}

} // namespace

class LoadingLockTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterDialogForms(); }
    void addingAFileLocksTheWindowAndAbortRestoresIt();
    void noShortcutActsBehindAMessageBox();

private:
    PlotWindowView* open(FrameWindowView& frame, const QString& file);
    LockPlatform platform_;
};

PlotWindowView* LoadingLockTest::open(FrameWindowView& frame, const QString& file) {
    platform_.openAnswers.push_back(file.toStdString());
    frame.loadNewFile();
    auto* view = qobject_cast<PlotWindowView*>(frame.mdiArea()->subWindowList().back()->widget());
    return guitest::WaitForFirstData(view) ? view : nullptr;
}

void LoadingLockTest::addingAFileLocksTheWindowAndAbortRestoresIt() {
    QTemporaryDir dir;
    const QString file = dir.filePath("ps-small.asc");
    QVERIFY(QFile::copy(lockExample("ps-small.asc"), file));
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    PlotWindowView* other = open(frame, file);
    PlotWindowView* view = open(frame, file);
    QVERIFY(other && view);
    frame.mdiArea()->setActiveSubWindow(frame.mdiArea()->subWindowList().back());
    view->action("qOrder1")->trigger();
    view->action("cOrder1")->trigger();
    const std::string results = view->core().resultsText();
    const QString mw = view->findChild<QLineEdit*>("mwcField")->text();
    QVERIFY(!mw.trimmed().isEmpty());

    int checked = 0;
    platform_.whileReading = [&] {
        QVERIFY(view->core().loading());
        for (QAction* a : view->findChildren<QAction*>()) {
            if (a->objectName().isEmpty() || a->isSeparator()) continue;
            QVERIFY2(a->isEnabled() == staysAvailable(a->objectName()), qPrintable(a->objectName()));
        }
        for (const char* name : {"kField", "kSmallerButton", "kLargerButton"})
            QVERIFY2(!view->findChild<QWidget*>(name)->isEnabled(), name);
        QVERIFY(view->findChild<QPushButton*>("abortLoadButton")->isVisible());
        // No load starts anywhere meanwhile; the other window's own data stay usable.
        for (const char* name : {"OpenBtn", "CutBtn", "CopyBtn", "PasteBtn"})
            QVERIFY2(!frame.findChild<QToolButton*>(name)->isEnabled(), name);
        QVERIFY(!other->action("addDataFile")->isEnabled());
        QVERIFY(!other->action("loadNewFile")->isEnabled());
        QVERIFY(other->action("plotBerry")->isEnabled());
        const int windows = static_cast<int>(frame.mdiArea()->subWindowList().size());
        frame.loadNewFile();
        QCOMPARE(static_cast<int>(frame.mdiArea()->subWindowList().size()), windows);
        // What the user tries: a plot type, Ctrl+F6 (c-order "no"), the frame's tool buttons.
        view->action("plotBerry")->trigger();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F6, Qt::ControlModifier);
        frame.findChild<QToolButton*>("PasteBtn")->click();
        QCOMPARE(view->core().plotType(), PlotType::Zimm);
        QCOMPARE(view->core().cOrder(), FitOrder::One);
        guitest::Screenshot(view, "loading_add_file_locked");
        ++checked;
        view->findChild<QPushButton*>("abortLoadButton")->click();
    };
    platform_.openAnswers.push_back(file.toStdString());
    view->action("addDataFile")->trigger();
    QCOMPARE(checked, 1);

    QVERIFY(!view->core().loading());
    QCOMPARE(view->core().resultsText(), results);
    QCOMPARE(view->findChild<QLineEdit*>("mwcField")->text(), mw);
    QCOMPARE(view->core().set().lastConcIndex, 4);
    QVERIFY(view->action("plotZimm")->isChecked());
    for (const char* name : {"plotBerry", "cOrder4", "addDataFile", "plotOptions", "print"})
        QVERIFY2(view->action(name)->isEnabled(), name);
    QVERIFY(view->findChild<QWidget*>("kField")->isEnabled());
    QVERIFY(other->action("addDataFile")->isEnabled());
    for (const char* name : {"OpenBtn", "CutBtn", "CopyBtn", "PasteBtn"})
        QVERIFY2(frame.findChild<QToolButton*>(name)->isEnabled(), name);
    QVERIFY(!view->findChild<QPushButton*>("abortLoadButton")->isVisible());
}

void LoadingLockTest::noShortcutActsBehindAMessageBox() {
    QTemporaryDir dir;
    const QString file = dir.filePath("ps-small.asc");
    QVERIFY(QFile::copy(lockExample("ps-small.asc"), file));
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    PlotWindowView* view = open(frame, file);
    QVERIFY(view);
    view->action("cOrder1")->trigger();
    QCOMPARE(view->core().cOrder(), FitOrder::One);

    int boxesSeen = 0;
    guitest::WhenModalOpens([&](QWidget* modal) {
        QTest::keyClick(modal, Qt::Key_F4, Qt::ControlModifier);
        QTest::keyClick(modal, Qt::Key_F6, Qt::ControlModifier);
        QApplication::processEvents();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox*>(w) && w->isVisible()) ++boxesSeen;
        qobject_cast<QMessageBox*>(modal)->accept();
    });
    platform_.inform("A message", "ZEB-Stat", MsgIcon::Information);
    QCOMPARE(boxesSeen, 1);
    QCOMPARE(view->core().cOrder(), FitOrder::One);

    // Without the box the key is the c-order command "&no".
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F6, Qt::ControlModifier);
    QCOMPARE(view->core().cOrder(), FitOrder::None);
}

ZEB_GUI_TEST(LoadingLockTest)
#include "LoadingLock_test.moc"
