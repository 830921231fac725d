// The plot window on the real widgets: a file loaded through the frame's open
// command, the menus that take the frame's place, orders and plot types
// switched through the menus, the k buttons and the result fields.
#include "app/qt/FrameWindowView.h"
#include "support/BuildPaths.h"
#include "dialogs/qt/DialogForms.h"
#include "dialogs/qt/ResultsWindowView.h"
#include "gui/GuiTestSupport.h"
#include "plotwindow/PointSelection.h"
#include "plot/PlotLayout.h"
#include "plotwindow/PlotWindow.h"
#include "data/MeasurementSet.h"
#include "support/SyntheticSets.h"
#include "plotwindow/qt/PlotWindowView.h"
#include "platform/qt/QtPlatform.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include <deque>

using namespace zeb;


// The real platform, with the file dialogs answered by the test.
namespace {

QString plotExample(const char* name) { return QString(test::build::SourceDir()) + "/examples/" + name; }

} // namespace

class PlotWindowTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterDialogForms(); }
    void loadsAnExampleAndSwitchesOrdersAndTypes();
    void cancelledFileDialogClosesTheNewWindow();
    void dragDeactivatesPointsAndKeyModeMovesTheCursor();
    void kFieldReportsAnInvalidNumberOnce();
    void resultsWindowAdvisesAHigherOrderForACoil();

private:
    guitest::AnsweringPlatform platform_;
};

void PlotWindowTest::loadsAnExampleAndSwitchesOrdersAndTypes() {
    // A copy, since a review dialog answered with Change would write into the file.
    QTemporaryDir dir;
    const QString file = dir.filePath("ps-toluene.sta");
    QVERIFY(QFile::copy(plotExample("ps-toluene.sta"), file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    platform_.openAnswers.push_back(file.toStdString());

    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    // The record review dialog comes up for the first record: answered on its real form.
    bool reviewed = false;
    guitest::WhenModalOpens([&](QWidget* modal) {
        QCOMPARE(modal->windowTitle(), QString("ZEB-Stat: ZEB-7100 Data"));
        guitest::Screenshot(modal, "load_review_dialog");
        auto* weiter = modal->findChild<QPushButton*>("continueButton");
        QVERIFY(weiter);
        reviewed = true;
        weiter->click();
    });
    frame.loadNewFile();
    QTRY_COMPARE(frame.mdiArea()->subWindowList().size(), 1);
    auto* view = qobject_cast<PlotWindowView*>(frame.mdiArea()->subWindowList().front()->widget());
    QVERIFY(view);
    QTRY_VERIFY(!view->core().awaitingFirstData());
    QVERIFY(reviewed);
    QCOMPARE(view->windowTitle(), QString("ps-toluene"));
    QVERIFY(!view->findChild<QWidget*>("loadingLabel")->isVisible());

    // The plot window's menus take the place of the frame's File menu.
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions()) titles << a->text();
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&Plot-Type", "&q²-Dep.", "&c-Dep.", "Plot-&Options",
                                  "C&alculation", "For&m-Factor:Pz", "&Window", "&Help"}));
    // Every command of the window's menus is there to be used.
    for (QAction* entry : view->childMenuBarActions()) {
        QVERIFY2(!entry->statusTip().contains("not available"), qPrintable(entry->text()));
        if (QMenu* menu = entry->menu())
            for (QAction* a : menu->actions())
                QVERIFY2(a->isSeparator() || !a->statusTip().contains("not available"), qPrintable(a->objectName()));
    }
    QVERIFY(view->action("plotZimm")->isChecked());
    QVERIFY(view->action("qOrderNone")->isChecked());
    QVERIFY(view->action("plotDI")->isEnabled());

    view->action("qOrder1")->trigger();
    view->action("cOrder1")->trigger();
    QVERIFY(view->action("qOrder1")->isChecked());
    QVERIFY(!view->action("qOrderNone")->isChecked());
    auto* mwc = view->findChild<QLineEdit*>("mwcField");
    const double mw = mwc->text().toDouble();
    QVERIFY2(mw > 0.8e6 && mw < 1.2e6, qPrintable(mwc->text()));
    QCOMPARE(view->findChild<QLabel*>("mwcLabel")->text(), QString("Mw(c):[g/mol]"));
    QVERIFY(view->action("results")->isEnabled());
    guitest::Screenshot(view, "plot_window_zimm");

    // "&Results" shows the results window of this calculation.
    QString resultsFirstRow;
    guitest::WhenModalOpens([&](QWidget* modal) {
        auto* results = qobject_cast<ResultsWindowView*>(modal);
        QVERIFY(results);
        resultsFirstRow = QString::fromStdString(results->logic().cell(0, 1));
        // Below the results: the intervals of Mw(c), Mw(q²), Rg and A2 by both methods.
        QTableWidget* intervals = results->findChild<QTableWidget*>("intervals");
        QVERIFY(intervals);
        QCOMPARE(intervals->rowCount(), 4);
        QVERIFY(intervals->item(2, 2)->text().startsWith("["));
        QVERIFY(intervals->geometry().bottom() < results->height());
        guitest::Screenshot(results, "results_window_intervals");
        results->accept();
    });
    view->action("results")->trigger();
    QCOMPARE(resultsFirstRow.trimmed(), QString("Conc.=0"));

    // k buttons change the k field but never the result.
    auto* editK = view->findChild<QLineEdit*>("kField");
    const QString kBefore = editK->text();
    view->findChild<QPushButton*>("kSmallerButton")->click();
    QVERIFY(editK->text() != kBefore);
    QCOMPARE(mwc->text().toDouble(), mw);

    view->action("plotDI")->trigger();
    QVERIFY(view->action("plotDI")->isChecked());
    QCOMPARE(view->findChild<QLabel*>("mwcLabel")->text(), QString("Dz(c):[µm²/s]"));
    const double dz = mwc->text().toDouble();
    QVERIFY2(dz > 12 && dz < 17, qPrintable(mwc->text()));
    guitest::Screenshot(view, "plot_window_d1");

    // Ctrl+F6 from the frame sets the c order to "no".
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F6, Qt::ControlModifier);
    QVERIFY(view->action("cOrderNone")->isChecked());
    view->closeWithoutQuestion();
}

void PlotWindowTest::cancelledFileDialogClosesTheNewWindow() {
    QTemporaryDir dir;
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    frame.show();
    frame.loadNewFile();  // no answer queued: the dialog is cancelled
    QTRY_COMPARE(frame.mdiArea()->subWindowList().size(), 0);
}

// Loads the plotExample into a new window of the frame and waits for its first paint.
static PlotWindowView* openExample(FrameWindowView& frame, guitest::AnsweringPlatform& platform, QTemporaryDir& dir) {
    const QString file = dir.filePath("ps-toluene.sta");
    if (!QFile::copy(plotExample("ps-toluene.sta"), file)) return nullptr;
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    platform.openAnswers.push_back(file.toStdString());
    frame.show();
    guitest::WhenModalOpens([](QWidget* modal) {
        if (auto* b = modal->findChild<QPushButton*>("continueButton")) b->click();
    });
    frame.loadNewFile();
    if (frame.mdiArea()->subWindowList().size() != 1) return nullptr;
    auto* view = qobject_cast<PlotWindowView*>(frame.mdiArea()->subWindowList().front()->widget());
    if (!guitest::WaitForFirstData(view)) return nullptr;
    view->repaint();
    return view;
}

// Widget position of a point of the chart.
static QPoint pointOnScreen(PlotWindowView* view, int c, int a) {
    const PlotLayout& layout = *view->core().screenLayout();
    const PlotMapping map(layout, view->core().axes());
    const DataPoint* p = view->core().set().cell(c, a);
    const QRect target = view->chartTarget();
    const double scale = std::min(target.width() / 16383.0, target.height() / 13941.0);
    return QPoint(target.x() + qRound(map.X(p->x()) * scale), target.y() + qRound(map.Y(p->y()) * scale));
}

void PlotWindowTest::dragDeactivatesPointsAndKeyModeMovesTheCursor() {
    QTemporaryDir dir;
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    PlotWindowView* view = openExample(frame, platform_, dir);
    QVERIFY(view);
    QCOMPARE(view->size(), QSize(728, 515));
    QVERIFY(view->core().screenLayout());
    const MeasurementSet& set = view->core().set();

    // Fitted curves run through the symbols, so a redrawn symbol must keep them on top.
    view->action("qOrder1")->trigger();
    view->action("cOrder1")->trigger();
    view->repaint();

    // A click on a point deactivates it; the status line describes the point under the mouse.
    const QPoint p = pointOnScreen(view, 2, 5);
    QTest::mouseMove(view, p);
    QVERIFY(frame.statusBar()->currentMessage().startsWith("[2]: "));
    QTest::mouseClick(view, Qt::LeftButton, {}, p);
    QCOMPARE(set.cell(2, 5)->active, std::int16_t(0));
    // The toggled symbol is drawn over the kept chart: the picture must be the
    // one a full drawing gives.
    const QImage overlaid = view->grab().toImage();
    view->resize(view->width() + 1, view->height());
    view->resize(view->width() - 1, view->height());
    const QImage full = view->grab().toImage();
    QCOMPARE(overlaid.size(), full.size());
    // Antialiased edges may differ by rounding (a few levels of 255) where the
    // part was drawn on its own; anything more is a drawing fault.
    int worst = 0;
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x) {
            const QRgb a = overlaid.pixel(x, y), b = full.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    QVERIFY2(worst <= 6, qPrintable(QString("largest difference %1").arg(worst)));
    QTest::mouseClick(view, Qt::LeftButton, {}, p);
    QCOMPARE(set.cell(2, 5)->active, std::int16_t(1));

    // Dragging from one point to another toggles every point of the rectangle.
    QTest::mousePress(view, Qt::LeftButton, {}, pointOnScreen(view, 1, 3));
    QTest::mouseMove(view, pointOnScreen(view, 2, 4));
    QTest::mouseRelease(view, Qt::LeftButton, {}, pointOnScreen(view, 2, 4));
    for (int c = 1; c <= 2; ++c)
        for (int a = 3; a <= 4; ++a) QCOMPARE(set.cell(c, a)->active, std::int16_t(0));
    QCOMPARE(set.cell(3, 3)->active, std::int16_t(1));
    view->action("calculate")->trigger();
    guitest::Screenshot(view, "plot_window_deactivated");

    // Ctrl-click chooses a concentration.
    QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, pointOnScreen(view, 3, 6));
    QCOMPARE(view->core().chosenConcentrations().size(), std::size_t(1));
    QCOMPARE(set.cell(3, 6)->symbolState, std::int16_t(100));

    // Keyboard mode: the k input hides; arrows move, Space toggles, Esc ends.
    view->action("pointSelectionMode")->trigger();
    QVERIFY(view->selection().keyMode());
    QVERIFY(!view->findChild<QLineEdit*>("kField")->isVisible());
    QVERIFY(!view->action("calculate")->isEnabled());
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Space);
    QCOMPARE(set.cell(1, 2)->active, std::int16_t(0));
    QVERIFY(frame.statusBar()->currentMessage().contains("point inactive"));
    guitest::Screenshot(view, "plot_window_keymode");
    QTest::keyClick(view, Qt::Key_Escape);
    QVERIFY(!view->selection().keyMode());
    QVERIFY(view->findChild<QLineEdit*>("kField")->isVisible());
    view->closeWithoutQuestion();
}

// Enter on a k that is no number: one message (the message box taking the
// focus from the field does not report it again); the field shows the k in use.
void PlotWindowTest::kFieldReportsAnInvalidNumberOnce() {
    QTemporaryDir dir;
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    PlotWindowView* view = openExample(frame, platform_, dir);
    QVERIFY(view);
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    auto* editK = view->findChild<QLineEdit*>("kField");
    const QString kBefore = editK->text();
    const double k = view->core().k();
    QStringList shown;
    // Every message box that opens is read and closed.
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown << box->text();
            box->accept();
        }
    });
    watcher.start(10);
    for (const char* typed : {"abc", "1e300"}) {
        shown.clear();
        frame.activateWindow();
        editK->setFocus();
        QTRY_VERIFY(editK->hasFocus());
        editK->selectAll();
        QTest::keyClicks(editK, typed);
        QTest::keyClick(editK, Qt::Key_Return);
        QTRY_COMPARE(shown.size(), 1);
        // A number is too large, with the limit named; a text is no number.
        QVERIFY2(shown.front().startsWith(typed[0] == 'a' ? "Invalid input for floating point number."
                                                          : "k is too large: the chart takes a k of at most "),
                 qPrintable(shown.front()));
        QCOMPARE(view->core().k(), k);
        QCOMPARE(editK->text(), kBefore);
        // Leaving the field now reports nothing: it shows the k in use.
        view->setFocus();
        QTRY_VERIFY(!editK->hasFocus());
        QCoreApplication::processEvents();
        QCOMPARE(shown.size(), 1);
    }
    view->closeWithoutQuestion();
}

ZEB_GUI_TEST(PlotWindowTest)
// A monodisperse coil (Rg 45 nm, 0.1 % noise) fitted with q² order 1: the
// results window says that order 2 gives a smaller Rg.
void PlotWindowTest::resultsWindowAdvisesAHigherOrderForACoil() {
    QTemporaryDir dir;
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    PlotWindowView view(frame, platform_);
    test::ModelParams coil = test::NoisyPolymer(kModelCoilMono, 1);
    coil.gaussianNoise = 0.001;
    test::FillModelSet(view.core().set(), 4, 13, coil, 0.25e-3);
    view.core().PostLoadSetup();
    view.syncFromCore();
    view.action("qOrder1")->trigger();
    view.action("cOrder1")->trigger();
    QString advice;
    guitest::WhenModalOpens([&](QWidget* modal) {
        auto* results = qobject_cast<ResultsWindowView*>(modal);
        QVERIFY(results);
        for (const std::string& note : results->logic().uncertaintyNotes()) advice += QString::fromStdString(note);
        guitest::Screenshot(results, "results_window_advice");
        results->accept();
    });
    view.action("results")->trigger();
    QVERIFY2(advice.contains("the q\u00b2 fit of order 1 leaves curvature: order 2 gives Rg = "), qPrintable(advice));
}

#include "PlotWindow_test.moc"
