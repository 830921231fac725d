// The frame on a small high-density screen (1600 x 1000 pixels at scale 2,
// that is 800 x 500; see UseTestScreens): it opens inside the screen, "&Tile" and "&Cascade" keep
// every plot window whole and inside the frame however many there are, and
// the help asked for from a modal dialog can be used while the dialog waits.
#include "app/qt/HelpViewer.h"
#include "app/qt/FrameWindowView.h"
#include "dialogs/qt/DialogForms.h"
#include "gui/GuiTestSupport.h"
#include "platform/qt/QtPlatform.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/qt/PlotWindowView.h"

#include <QAction>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

#include <deque>
#include <memory>

using namespace zeb;

namespace {

const char* const kFrameGrid =
    "2\t3\t1.000000E-03\t2.000000E-03\n"
    "30.0\t5.912109E+09\t3.42E-06\t4.30E-06\n"
    "90.0\t4.412858E+10\t3.58E-06\t4.46E-06\n"
    "150.0\t8.000000E+10\t3.70E-06\t4.65E-06\n";

// Every window lies inside the window area (and, when tiled, none covers another).
bool InsideAndApart(QMdiArea* mdi, bool apart) {
    const auto windows = mdi->subWindowList();
    for (QMdiSubWindow* w : windows) {
        if (!mdi->viewport()->rect().contains(w->geometry())) return false;
        for (QMdiSubWindow* other : windows)
            if (apart && other != w && w->geometry().intersects(other->geometry())) return false;
    }
    return true;
}

} // namespace

class FrameWindowsTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void initTestCase();
    void frameOpensInsideTheScreen();
    void tileAndCascadeKeepEveryWindowWholeAndInside();
    void helpFromAModalDialogCanBeUsed();

private:
    // A frame on the small screen, fitted to it as at the start of the program.
    std::unique_ptr<FrameWindowView> frameOnSmallScreen();
    guitest::AnsweringPlatform platform_;
    QTemporaryDir dir_;
    QScreen* small_ = nullptr;
};

std::unique_ptr<FrameWindowView> FrameWindowsTest::frameOnSmallScreen() {
    auto frame = std::make_unique<FrameWindowView>(platform_, dir_.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    frame->setScreen(small_);
    frame->fitIntoScreen();
    frame->show();
    if (!QTest::qWaitForWindowExposed(frame.get())) return nullptr;
    return frame;
}

void FrameWindowsTest::initTestCase() {
    RegisterDialogForms();
    for (QScreen* s : QGuiApplication::screens())
        if (s->name() == guitest::kScreenSmallRatio2) small_ = s;
    QVERIFY2(small_, "the view tests' screens are not there");
    QCOMPARE(small_->devicePixelRatio(), 2.0);
    QFile grid(dir_.filePath("grid.asc"));
    QVERIFY(grid.open(QIODevice::WriteOnly));
    grid.write(kFrameGrid);
}

void FrameWindowsTest::frameOpensInsideTheScreen() {
    const auto owner = frameOnSmallScreen();
    QVERIFY(owner);
    FrameWindowView& frame = *owner;
    const QRect avail = frame.screen()->availableGeometry();
    QCOMPARE(avail.size(), QSize(800, 500));
    QVERIFY2(avail.contains(frame.frameGeometry()),
             qPrintable(QString("frame %1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
    guitest::Screenshot(&frame, "frame_small_screen@2x");
}

void FrameWindowsTest::tileAndCascadeKeepEveryWindowWholeAndInside() {
    const auto owner = frameOnSmallScreen();
    QVERIFY(owner);
    FrameWindowView& frame = *owner;
    QMdiArea* mdi = frame.mdiArea();
    int loaded = 0;
    for (int count : {7, 24}) {
        while (loaded < count) {
            platform_.openAnswers.push_back(dir_.filePath("grid.asc").toStdString());
            frame.loadNewFile();
            ++loaded;
        }
        QTRY_COMPARE(mdi->subWindowList().size(), count);
        for (QMdiSubWindow* w : mdi->subWindowList())
            QTRY_VERIFY(!qobject_cast<PlotWindowView*>(w->widget())->core().awaitingFirstData());
        // Each opened inside the window area, at its 728 x 515 where there is room.
        for (QMdiSubWindow* w : mdi->subWindowList())
            QVERIFY2(mdi->viewport()->rect().contains(w->geometry()),
                     qPrintable(QString("opened at %1,%2 %3x%4").arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height())));
        frame.findChild<QAction*>("tileWindows")->trigger();
        QTRY_VERIFY(InsideAndApart(mdi, true));
        QRect area = mdi->viewport()->rect();
        const auto windows = mdi->subWindowList();
        for (QMdiSubWindow* w : windows) {
            QVERIFY2(area.contains(w->geometry()), qPrintable(QString("%1 tiled: %2,%3 %4x%5 outside")
                                                                  .arg(count).arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height())));
            // The plot window is whole inside its frame: nothing of it is cut off.
            QVERIFY2(w->contentsRect().contains(w->widget()->geometry()),
                     qPrintable(QString("%1 tiled: plot window %2x%3 in a frame of %4x%5")
                                    .arg(count).arg(w->widget()->width()).arg(w->widget()->height())
                                    .arg(w->contentsRect().width()).arg(w->contentsRect().height())));
            for (QMdiSubWindow* other : windows)
                if (other != w) QVERIFY(!w->geometry().intersects(other->geometry()));
        }
        guitest::Screenshot(&frame, QString("frame_tiled_%1@2x").arg(count));

        frame.findChild<QAction*>("cascadeWindows")->trigger();
        QTRY_VERIFY(InsideAndApart(mdi, false));
        area = mdi->viewport()->rect();
        for (QMdiSubWindow* w : mdi->subWindowList()) {
            QVERIFY2(area.contains(w->geometry()), qPrintable(QString("%1 cascaded: %2,%3 %4x%5 outside")
                                                                  .arg(count).arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height())));
            QVERIFY(w->contentsRect().contains(w->widget()->geometry()));
        }
        guitest::Screenshot(&frame, QString("frame_cascaded_%1@2x").arg(count));
    }
    for (QMdiSubWindow* w : mdi->subWindowList()) qobject_cast<PlotWindowView*>(w->widget())->closeWithoutQuestion();
}

void FrameWindowsTest::helpFromAModalDialogCanBeUsed() {
    const auto owner = frameOnSmallScreen();
    QVERIFY(owner);
    FrameWindowView& frame = *owner;
    QDialog dialog(&frame);
    dialog.setWindowTitle("ZEB-Stat: Plot Options");
    dialog.resize(300, 200);
    // A window a modal dialog blocks is told so (and gets no input from the user).
    struct BlockedHelp : QObject {
        bool blocked = false;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::WindowBlocked && qobject_cast<HelpViewer*>(watched)) blocked = true;
            if (event->type() == QEvent::WindowUnblocked && qobject_cast<HelpViewer*>(watched)) blocked = false;
            return false;
        }
    } recorder;
    qApp->installEventFilter(&recorder);
    bool shown = false, scrolled = false, closed = false, usable = false;
    QTimer::singleShot(0, &dialog, [&] {
        frame.platform().showHelp(14);  // as a dialog's Help button does (the long page of the file formats)
        HelpViewer* viewer = frame.findChild<HelpViewer*>();  // wherever it opened
        shown = viewer && viewer->isVisible();
        usable = !recorder.blocked;
        if (viewer) {
            QVERIFY(QTest::qWaitForWindowExposed(viewer));
            guitest::Screenshot(viewer, "help_from_modal_dialog@2x");
            // Scrolled with the keyboard, its contents page down.
            QScrollBar* bar = viewer->browser()->verticalScrollBar();
            viewer->browser()->setFocus();
            QTest::keyClick(viewer->browser(), Qt::Key_PageDown);
            scrolled = bar->maximum() > 0 && bar->value() > 0;
            // Its Close button closes it.
            for (QPushButton* b : viewer->findChildren<QPushButton*>())
                if (b->text() == "Close") QTest::mouseClick(b, Qt::LeftButton);
            closed = !viewer->isVisible();
        }
        dialog.accept();
    });
    dialog.exec();
    qApp->removeEventFilter(&recorder);
    QVERIFY(shown);
    QVERIFY2(usable, "the help window is blocked by the dialog");
    QVERIFY(scrolled);
    QVERIFY(closed);
}

ZEB_GUI_TEST(FrameWindowsTest)
#include "FrameWindows_test.moc"
