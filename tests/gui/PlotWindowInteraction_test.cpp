// The plot window's interaction on the real widgets: Esc during a drag, the
// results shown out of date after points were switched, windows of one name
// told apart, the chart of a maximized window, and "Save plot as..." in the
// File menu.
#include "app/qt/FrameWindowView.h"
#include "support/BuildPaths.h"
#include "data/MeasurementSet.h"
#include "dialogs/qt/DialogForms.h"
#include "gui/GuiTestSupport.h"
#include "plot/PlotLayout.h"
#include "plot/PlotWindowGeometry.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/PointSelection.h"
#include "plotwindow/qt/ChartPicture.h"
#include "plotwindow/qt/PlotWindowView.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace zeb;

// Answers the open dialogs as the base does and records the save dialogs, which it cancels.
class SavingPlatform : public guitest::AnsweringPlatform {
public:
    std::vector<std::string> saveFilters;
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override {
        saveFilters.push_back(request.filter);
        return std::nullopt;
    }
};

namespace {

QString Example(const char* name) { return QString(test::build::SourceDir()) + "/examples/" + name; }

} // namespace

class PlotWindowInteractionTest : public guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterDialogForms(); }
    void escCancelsADrag();
    void switchedPointsDimTheResultsUntilTheCalculation();
    void windowsOfOneNameAreToldApart();
    void maximizedWindowsChartFillsIt();
    void savePlotAsIsInTheFileMenu();

private:
    // Copies the example (as `copyName` in `folder`) and loads it into a new
    // window of the frame; the window once it holds its data and was painted.
    PlotWindowView* open(FrameWindowView& frame, const QString& folder, const char* example, const char* copyName = nullptr);
    QPoint pointOnScreen(PlotWindowView* view, int c, int a) const;

    SavingPlatform platform_;
};

PlotWindowView* PlotWindowInteractionTest::open(FrameWindowView& frame, const QString& folder, const char* example,
                                                const char* copyName) {
    QDir().mkpath(folder);
    const QString file = folder + "/" + (copyName ? copyName : example);
    if (!QFile::copy(Example(example), file)) return nullptr;
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    platform_.openAnswers.push_back(file.toStdString());
    frame.show();
    guitest::WhenModalOpens([](QWidget* modal) {
        if (auto* b = modal->findChild<QPushButton*>("continueButton")) b->click();
    });
    const qsizetype before = frame.mdiArea()->subWindowList().size();
    frame.loadNewFile();
    const auto windows = frame.mdiArea()->subWindowList(QMdiArea::CreationOrder);
    if (windows.size() != before + 1) return nullptr;
    auto* view = qobject_cast<PlotWindowView*>(windows.back()->widget());
    if (!guitest::WaitForFirstData(view)) return nullptr;
    guitest::CancelWatches();  // a file without a review leaves its watch unused
    view->repaint();
    return view;
}

QPoint PlotWindowInteractionTest::pointOnScreen(PlotWindowView* view, int c, int a) const {
    const PlotMapping map(*view->core().screenLayout(), view->core().axes());
    const DataPoint* p = view->core().set().cell(c, a);
    const QRect target = view->chartTarget();
    const double scale = ScreenScale(target.width(), target.height());
    return QPoint(target.x() + qRound(map.X(p->x()) * scale), target.y() + qRound(map.Y(p->y()) * scale));
}

void PlotWindowInteractionTest::escCancelsADrag() {
    QTemporaryDir dir;
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    PlotWindowView* view = open(frame, dir.path(), "ps-toluene.sta");
    QVERIFY(view);
    const MeasurementSet& set = view->core().set();
    view->setFocus();
    QTest::mousePress(view, Qt::LeftButton, {}, pointOnScreen(view, 1, 3));
    QTest::mouseMove(view, pointOnScreen(view, 2, 4));
    QVERIFY(view->selection().drag().dragging);
    QTest::keyClick(view, Qt::Key_Escape);
    QVERIFY(!view->selection().drag().dragging);
    // The red marks of the drag are gone at once ...
    const QImage afterEsc = view->grab().toImage();
    int red = 0;
    for (int y = 0; y < afterEsc.height(); ++y)
        for (int x = 0; x < afterEsc.width(); ++x) {
            const QRgb p = afterEsc.pixel(x, y);
            red += qRed(p) > 180 && qGreen(p) < 100 && qBlue(p) < 100;
        }
    QCOMPARE(red, 0);
    // ... and the release toggles nothing.
    QTest::mouseRelease(view, Qt::LeftButton, {}, pointOnScreen(view, 2, 4));
    for (int c = 1; c <= 2; ++c)
        for (int a = 3; a <= 4; ++a) QCOMPARE(set.cell(c, a)->active, std::int16_t(1));
    view->closeWithoutQuestion();
}

void PlotWindowInteractionTest::switchedPointsDimTheResultsUntilTheCalculation() {
    QTemporaryDir dir;
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    PlotWindowView* view = open(frame, dir.path(), "ps-toluene.sta");
    QVERIFY(view);
    view->action("qOrder1")->trigger();
    view->action("cOrder1")->trigger();
    auto* hint = view->findChild<QLabel*>("resultsOutOfDateLabel");
    auto* mwc = view->findChild<QLineEdit*>("mwcField");
    QVERIFY(hint && mwc);
    QVERIFY(!hint->isVisible());
    QVERIFY(mwc->isEnabled());
    const QString before = mwc->text();

    QTest::mouseClick(view, Qt::LeftButton, {}, pointOnScreen(view, 2, 5));
    QCOMPARE(view->core().set().cell(2, 5)->active, std::int16_t(0));
    QTRY_VERIFY(hint->isVisible());
    QCOMPARE(hint->text(), QString("Calculate (Ctrl+N) to update"));
    QVERIFY(!mwc->isEnabled());
    QVERIFY(!view->findChild<QLabel*>("mwcLabel")->isEnabled());
    QCOMPARE(mwc->text(), before);  // the old result stays readable
    // The hint lies within the panel, under the last result field.
    QVERIFY(hint->geometry().top() > view->findChild<QLineEdit*>("a2Field")->geometry().bottom());
    QVERIFY(hint->geometry().bottom() < view->height());
    guitest::Screenshot(view, "plot_window_results_out_of_date");

    view->action("calculate")->trigger();
    QTRY_VERIFY(!hint->isVisible());
    QVERIFY(mwc->isEnabled());

    // A point switched with the keyboard makes them out of date as well.
    view->action("pointSelectionMode")->trigger();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Space);
    QCOMPARE(view->core().set().cell(2, 1)->active, std::int16_t(0));
    QTRY_VERIFY(hint->isVisible());
    guitest::Screenshot(view, "plot_window_key_cursor");
    view->closeWithoutQuestion();
}

void PlotWindowInteractionTest::windowsOfOneNameAreToldApart() {
    QTemporaryDir dir;
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    QVERIFY(open(frame, dir.path(), "ps-toluene.sta"));
    PlotWindowView* plx = open(frame, dir.path(), "ps-toluene.plx");
    QVERIFY(plx);
    QVERIFY(open(frame, dir.filePath("run2"), "ps-toluene.sta"));
    auto titles = [&] {
        QStringList out;
        for (QMdiSubWindow* w : frame.mdiArea()->subWindowList(QMdiArea::CreationOrder)) out << w->windowTitle();
        return out;
    };
    const QString folder = QFileInfo(dir.path()).fileName();
    QTRY_COMPARE(titles(), QStringList({"ps-toluene.sta (" + folder + ")", "ps-toluene.plx", "ps-toluene.sta (run2)"}));

    // The Window menu lists them as their captions.
    auto* windowMenu = frame.findChild<QMenu*>("windowMenu");
    QVERIFY(windowMenu);
    emit windowMenu->aboutToShow();
    QStringList listed;
    for (QAction* a : windowMenu->actions())
        if (a->isCheckable()) listed << a->text().section(' ', 1);
    QCOMPARE(listed, titles());
    frame.mdiArea()->tileSubWindows();
    guitest::Screenshot(&frame, "frame_two_captions");

    // Once the others are gone the last one is named as ever.
    for (QMdiSubWindow* w : frame.mdiArea()->subWindowList())
        if (w->widget() != plx) {
            static_cast<PlotWindowView*>(w->widget())->closeWithoutQuestion();
            w->close();
        }
    QTRY_COMPARE(titles(), QStringList({"ps-toluene"}));
    plx->closeWithoutQuestion();
}

void PlotWindowInteractionTest::maximizedWindowsChartFillsIt() {
    QTemporaryDir dir;
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    frame.resize(1400, 700);
    PlotWindowView* view = open(frame, dir.path(), "ps-toluene.sta");
    QVERIFY(view);
    auto* sub = qobject_cast<QMdiSubWindow*>(view->parentWidget());
    sub->showMaximized();
    QTRY_VERIFY(view->width() > 1000);
    view->repaint();
    const QRect target = view->chartTarget();
    QCOMPARE(target.left(), 130);  // the panel keeps its width
    QCOMPARE(target.right(), view->width() - 1);
    QCOMPARE(view->picture().image().deviceIndependentSize().toSize(), target.size());
    // The chart's frame reaches across the window, not only its left part.
    const PlotLayout& l = *view->core().screenLayout();
    const double s = ScreenScale(target.width(), target.height());
    QVERIFY2((l.frameLeft() + l.frameWidth()) * s > 0.9 * target.width(),
             qPrintable(QString("frame ends at %1 of %2").arg((l.frameLeft() + l.frameWidth()) * s).arg(target.width())));
    guitest::Screenshot(view, "plot_window_maximized");
    // Points are hit where they are drawn.
    QTest::mouseClick(view, Qt::LeftButton, {}, pointOnScreen(view, 3, 6));
    QCOMPARE(view->core().set().cell(3, 6)->active, std::int16_t(0));
    view->closeWithoutQuestion();
}

void PlotWindowInteractionTest::savePlotAsIsInTheFileMenu() {
    QTemporaryDir dir;
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    PlotWindowView* view = open(frame, dir.path(), "ps-toluene.sta");
    QVERIFY(view);
    QAction* file = view->action("savePlotAs");
    QVERIFY(file);
    QCOMPARE(file->text(), QString("Save plot as..."));
    QVERIFY(view->findChild<QMenu*>("plotFileMenu")->actions().contains(file));
    QCOMPARE(view->action("savePlot")->text(), QString("&Save plot as WMF-file..."));
    platform_.saveFilters.clear();
    file->trigger();
    view->action("savePlot")->trigger();
    QCOMPARE(platform_.saveFilters.size(), std::size_t(2));
    QCOMPARE(platform_.saveFilters[0], platform_.saveFilters[1]);
    view->closeWithoutQuestion();
}

ZEB_GUI_TEST(PlotWindowInteractionTest)
#include "PlotWindowInteraction_test.moc"
