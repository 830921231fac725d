// Files that come from outside the program: given on the command line (the
// desktop passes them with %F), dropped on the frame, or chosen from the
// recent files of the File menu. Each opens in a plot window of its own as
// "&Load new file... " would, one after the other, without a file dialog.
#include "app/qt/FrameWindowView.h"
#include "support/BuildPaths.h"
#include "dialogs/qt/DialogForms.h"
#include "gui/GuiTestSupport.h"
#include "platform/qt/QtPlatform.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/qt/PlotWindowView.h"
#include "settings/RecentFiles.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

#include <algorithm>
#include <deque>

using namespace zeb;


// The real platform; a file dialog would be a failure here, and message boxes
// are recorded and answered at once.
class OutsidePlatform : public QtPlatform {
public:
    int openDialogs = 0;
    std::vector<std::string> messages;
    std::optional<std::string> openFileName(const FileDialogRequest&) override {
        ++openDialogs;
        return std::nullopt;
    }
    MsgAnswer message(const std::string& text, const std::string&, MsgButtons, MsgIcon,
                      MsgAnswer defaultAnswer) override {
        messages.push_back(text);
        return defaultAnswer;
    }
    void beep() override {}
};

namespace {

QString outsideExample(const char* name) { return QString(test::build::SourceDir()) + "/examples/" + name; }

QStringList captions(FrameWindowView& frame) {
    QStringList titles;
    for (QMdiSubWindow* w : frame.mdiArea()->subWindowList(QMdiArea::CreationOrder)) titles << w->widget()->windowTitle();
    return titles;
}

// Every window holds the data of its file (none still waits for its first load).
bool allLoaded(FrameWindowView& frame) {
    const auto windows = frame.mdiArea()->subWindowList();
    return std::all_of(windows.begin(), windows.end(), [](QMdiSubWindow* w) {
        auto* view = qobject_cast<PlotWindowView*>(w->widget());
        return view && !view->core().awaitingFirstData() && !view->core().loading();
    });
}

QAction* actionNamed(QMenu* menu, const QString& name) {
    for (QAction* a : menu->actions())
        if (a->objectName() == name) return a;
    return nullptr;
}

} // namespace

class FilesFromOutsideTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterDialogForms(); }
    void init() {
        platform_.openDialogs = 0;
        platform_.messages.clear();
    }
    void filesGivenAsArgumentsOpenOneAfterTheOther();
    void filesDroppedOnTheFrameOpen();
    void recentFilesOpenFromBothFileMenus();
    void aSavedEvaluationGivenAsArgumentOpensWithItsSettings();

private:
    OutsidePlatform platform_;
};

void FilesFromOutsideTest::filesGivenAsArgumentsOpenOneAfterTheOther() {
    QTemporaryDir dir;
    const QString plx = dir.filePath("first.plx"), asc = dir.filePath("third.asc");
    QVERIFY(QFile::copy(outsideExample("ps-toluene.plx"), plx));
    QVERIFY(QFile::copy(outsideExample("ps-small.asc"), asc));
    const QString missing = dir.filePath("second.plt");
    const std::string ini = dir.filePath("zebstat.ini").toStdString();
    FrameWindowView frame(platform_, ini, guitest::PlotWindows(platform_));
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));

    frame.openFiles({plx, missing, asc});
    // The missing file is named in a message and its window closes; the others open.
    QTRY_VERIFY_WITH_TIMEOUT(captions(frame) == QStringList({"first", "third"}) && allLoaded(frame),
                             guitest::kWindowWaitMs);
    QCOMPARE(platform_.openDialogs, 0);
    QCOMPARE(platform_.messages.size(), std::size_t(1));
    QVERIFY2(QString::fromStdString(platform_.messages[0]).startsWith("This file cannot be opened.\n" + missing),
             platform_.messages[0].c_str());
    // Both were read as "Load new file..." reads them: the data of each file in its window.
    auto* first = qobject_cast<PlotWindowView*>(frame.mdiArea()->subWindowList(QMdiArea::CreationOrder)[0]->widget());
    QCOMPARE(first->core().set().lastConcIndex, 3);
    QCOMPARE(ReadRecentFiles(ini), (std::vector<std::string>{asc.toStdString(), plx.toStdString()}));
    guitest::Screenshot(&frame, "frame_files_from_command_line");
}

void FilesFromOutsideTest::filesDroppedOnTheFrameOpen() {
    QTemporaryDir dir;
    const QString plx = dir.filePath("dropped.plx"), plt = dir.filePath("also dropped.asc");
    QVERIFY(QFile::copy(outsideExample("ps-toluene.plx"), plx));
    QVERIFY(QFile::copy(outsideExample("ps-small.asc"), plt));
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QWidget* target = frame.mdiArea()->viewport();
    const QPoint at = target->rect().center();

    // Only local files are taken: a drag of a web address is refused.
    QMimeData web;
    web.setUrls({QUrl("https://example.org/a.sta")});
    QDragEnterEvent webEnter(at, Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &webEnter);
    QVERIFY(!webEnter.isAccepted());

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(plx), QUrl("https://example.org/b.sta"), QUrl::fromLocalFile(plt)});
    QDragEnterEvent enter(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_VERIFY_WITH_TIMEOUT(captions(frame) == QStringList({"dropped", "also dropped"}) && allLoaded(frame),
                             guitest::kWindowWaitMs);
    QCOMPARE(platform_.openDialogs, 0);
    QVERIFY(platform_.messages.empty());

    // Dropped on a plot window, a file opens in a window of its own as well.
    QWidget* plotWindow = frame.mdiArea()->subWindowList().front()->widget();
    QMimeData again;
    again.setUrls({QUrl::fromLocalFile(plx)});
    QDragEnterEvent enterWindow(plotWindow->rect().center(), Qt::CopyAction, &again, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(plotWindow, &enterWindow);
    QVERIFY(enterWindow.isAccepted());
    QDropEvent dropWindow(QPointF(plotWindow->rect().center()), Qt::CopyAction, &again, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(plotWindow, &dropWindow);
    QTRY_VERIFY_WITH_TIMEOUT(captions(frame).size() == 3 && allLoaded(frame), guitest::kWindowWaitMs);
    // The same file in a second window: the caption tells the windows apart.
    QCOMPARE(captions(frame).front(), QString("dropped"));
    QCOMPARE(captions(frame).last(), QString("dropped:2"));
}

void FilesFromOutsideTest::recentFilesOpenFromBothFileMenus() {
    QTemporaryDir dir;
    const QString plx = dir.filePath("recent.plx"), asc = dir.filePath("recent & old.asc");
    QVERIFY(QFile::copy(outsideExample("ps-toluene.plx"), plx));
    QVERIFY(QFile::copy(outsideExample("ps-small.asc"), asc));
    const std::string ini = dir.filePath("zebstat.ini").toStdString();
    FrameWindowView frame(platform_, ini, guitest::PlotWindows(platform_));
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));

    // No file opened yet: the frame's File menu is as it always was.
    auto* fileMenu = frame.findChild<QMenu*>("fileMenu");
    QVERIFY(fileMenu);
    emit fileMenu->aboutToShow();
    QStringList items;
    for (QAction* a : fileMenu->actions()) items << (a->isSeparator() ? "-" : a->text());
    QCOMPARE(items, QStringList({"&Load new file... ", "Open evaluation...", "-", "E&xit"}));

    QVERIFY(RememberRecentFile(plx.toStdString(), ini));
    QVERIFY(RememberRecentFile(asc.toStdString(), ini));
    emit fileMenu->aboutToShow();
    items.clear();
    for (QAction* a : fileMenu->actions()) items << (a->isSeparator() ? "-" : a->text());
    QCOMPARE(items, QStringList({"&Load new file... ", "Open evaluation...", "-", "&1 recent && old.asc",
                                 "&2 recent.plx", "-", "E&xit"}));
    QCOMPARE(actionNamed(fileMenu, "recentFile2")->statusTip(), plx);
    guitest::Screenshot(&frame, "frame_recent_files");

    actionNamed(fileMenu, "recentFile2")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(captions(frame) == QStringList({"recent"}) && allLoaded(frame), guitest::kWindowWaitMs);
    // The plot window's File menu lists them after its load and evaluation commands, newest first.
    auto* view = qobject_cast<PlotWindowView*>(frame.mdiArea()->subWindowList().front()->widget());
    auto* windowFile = view->findChild<QMenu*>("plotFileMenu");
    QVERIFY(windowFile);
    emit windowFile->aboutToShow();
    items.clear();
    for (QAction* a : windowFile->actions()) items << (a->isSeparator() ? "-" : a->objectName());
    QCOMPARE(items, QStringList({"loadNewFile", "addDataFile", "-", "openEvaluation", "saveEvaluation", "savePlotAs", "-",
                                 "recentFile1", "recentFile2", "-", "printerSetup", "print", "-",
                                 "exitWindow"}));
    QCOMPARE(actionNamed(windowFile, "recentFile1")->text(), QString("&1 recent.plx"));
    // Shown again, the menu has the entries once.
    emit windowFile->aboutToShow();
    QCOMPARE(windowFile->actions().size(), items.size());
    actionNamed(windowFile, "recentFile2")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(captions(frame) == QStringList({"recent", "recent & old"}) && allLoaded(frame),
                             guitest::kWindowWaitMs);
    QCOMPARE(platform_.openDialogs, 0);
}

ZEB_GUI_TEST(FilesFromOutsideTest)
// A .zeb file handed over by the desktop opens as "Open evaluation..." opens it:
// its data file loaded, its orders and switched-off point applied.
void FilesFromOutsideTest::aSavedEvaluationGivenAsArgumentOpensWithItsSettings() {
    QTemporaryDir dir;
    const QString sta = dir.filePath("data.plx"), zeb = dir.filePath("saved.zeb");
    QVERIFY(QFile::copy(outsideExample("ps-toluene.plx"), sta));
    const test::CommandResult saved = test::RunBatch({"eval", "--q-order", "1", "--c-order", "1", "--deactivate", "1:2",
                                                      "--results", "--save-session", zeb.toStdString(), sta.toStdString()});
    QCOMPARE(saved.status, 0);
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));

    frame.openFiles({zeb});
    QTRY_VERIFY_WITH_TIMEOUT(captions(frame) == QStringList({"data"}) && allLoaded(frame), guitest::kWindowWaitMs);
    auto* view = qobject_cast<PlotWindowView*>(frame.mdiArea()->subWindowList().front()->widget());
    QTRY_VERIFY_WITH_TIMEOUT(view->core().qOrder() == FitOrder::One && view->core().cOrder() == FitOrder::One, guitest::kWindowWaitMs);
    QCOMPARE(view->core().set().cell(1, 2)->active, std::int16_t(0));
    QCOMPARE(QString::fromStdString(view->core().resultsText() + "\n"), QString::fromStdString(saved.out));
}

#include "FilesFromOutside_test.moc"
