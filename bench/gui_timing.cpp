// Timings of the desktop program that a benchmark library cannot take:
//  - start-up: from the start of main to the first paint of the frame window;
//  - the largest chart (99 concentrations × 135 angles, q and c order 5,
//    error bars) drawn in full in its window, and a point toggled with the
//    mouse and the window painted again; at scale 1, then (a second process)
//    at scale 2 (QT_SCALE_FACTOR=2) unless a scale factor is set already.
// Run: zebstat_gui_timing [startup|toggle] (offscreen or in an X server);
// zebstat_gui_timing draw N draws the largest chart N times, for a profiler.
#include "widgets/qt/Resources.h"
#include "app/qt/FrameWindowView.h"
#include "dialogs/qt/DialogForms.h"
#include "plot/PlotLayout.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/qt/PlotWindowView.h"
#include "platform/qt/QtPlatform.h"
#include "ExampleData.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPaintEvent>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ctime>
#include <unistd.h>

using namespace zeb;

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint && !seen && watched->isWidgetType()) {
            seen = true;
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }
    bool seen = false;
};

class FilePlatform : public QtPlatform {
public:
    std::string file;
    std::optional<std::string> openFileName(const FileDialogRequest&) override { return file; }
};

// Processor time of the calling thread: on a shared machine it says what the
// drawing cost, whatever else ran meanwhile.
double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int Startup(int argc, char** argv, std::chrono::steady_clock::time_point start) {
    QApplication app(argc, argv);
    InitGuiResources();
    QtPlatform platform;
    RegisterDialogForms();
    QTemporaryDir settingsDir;
    FrameWindowView frame(platform, settingsDir.filePath("zebstat.ini").toStdString(),
                        [&platform](FrameWindowView& f) -> QWidget* { return new PlotWindowView(f, platform); });
    FirstPaint probe;
    app.installEventFilter(&probe);
    frame.show();
    app.exec();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("start to first painted frame: %.1f ms\n", ms);
    std::fflush(stdout);
    return 0;
}

int Toggle(int argc, char** argv, const std::string& what) {
    QApplication app(argc, argv);
    InitGuiResources();
    const std::string dir = (std::filesystem::temp_directory_path() / ("zebstat-timing-" + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(dir);
    std::vector<double> conc, angles;
    for (int c = 1; c <= 99; ++c) conc.push_back(1e-5 * c);
    for (int a = 0; a < 135; ++a) angles.push_back(10.0 + a);
    FilePlatform platform;
    platform.file = dir + "/max.sta";
    std::ofstream(platform.file, std::ios::binary)
        << examples::RecordFileBytes(examples::ModelRecords(examples::PolystyreneLarge(), conc, angles, true, 9));
    FrameWindowView frame(platform, dir + "/zebstat.ini",
                        [&platform](FrameWindowView& f) -> QWidget* { return new PlotWindowView(f, platform); });
    frame.resize(1600, 1200);
    frame.show();
    frame.loadNewFile();
    auto* view = qobject_cast<PlotWindowView*>(frame.mdiArea()->subWindowList().front()->widget());
    while (view->core().awaitingFirstData()) QTest::qWait(10);
    frame.mdiArea()->subWindowList().front()->resize(1456, 1030);
    view->core().plotSettings().showErrorBars = 1;
    view->action("qOrder5")->trigger();
    view->action("cOrder5")->trigger();
    view->repaint();
    // A calculation marks the chart for drawing in full at the next paint.
    std::vector<double> fulls, fullsCpu;
    QElapsedTimer timer;
    // zebstat_gui_timing draw N: only the drawing in full, N times, for a
    // profiler to look at.
    const int draws = what == "draw" && argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    for (int i = 0; i < draws; ++i) {
        view->action("calculate")->trigger();
        const double cpu = ThreadCpuMs();
        timer.restart();
        view->repaint();
        fulls.push_back(timer.nsecsElapsed() / 1e6);
        fullsCpu.push_back(ThreadCpuMs() - cpu);
    }
    const double full = Median(fulls);
    if (what == "draw") {
        std::printf("chart drawn in full at scale %g, median of %d: %.1f ms (processor %.1f ms)\n",
                    view->devicePixelRatioF(), draws, full, Median(fullsCpu));
        view->closeWithoutQuestion();
        std::filesystem::remove_all(dir);
        return 0;
    }
    // zebstat_gui_timing toggle PICTURE.png: the window's chart as drawn, to
    // compare the pictures of two builds.
    if (argc > 2) {
        const std::string scale = std::getenv("QT_SCALE_FACTOR") ? std::getenv("QT_SCALE_FACTOR") : "1";
        view->grab().toImage().save(QString::fromStdString(std::string(argv[2]) + "-scale" + scale + ".png"));
    }

    const PlotMapping map(*view->core().screenLayout(), view->core().axes());
    const QRect target = view->chartTarget();
    const double scale = std::min(target.width() / 16383.0, target.height() / 13941.0);
    std::vector<double> toggles;
    for (int i = 0; i < 21; ++i) {
        const DataPoint* p = view->core().set().cell(40 + i, 60);
        const QPoint at(target.x() + qRound(map.X(p->x()) * scale), target.y() + qRound(map.Y(p->y()) * scale));
        QTest::mouseMove(view, at);
        timer.restart();
        QTest::mouseClick(view, Qt::LeftButton, {}, at);
        view->repaint();
        toggles.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("chart drawn in full at scale %g (largest grid, %dx%d pixels), median of 5: %.1f ms "
                "(processor %.1f ms)\n",
                view->devicePixelRatioF(), view->chartTarget().width(), view->chartTarget().height(), full,
                Median(fullsCpu));
    std::printf("point toggle plus repaint, median of 21: %.2f ms (max %.2f ms)\n", Median(toggles),
                *std::max_element(toggles.begin(), toggles.end()));
    view->closeWithoutQuestion();
    std::filesystem::remove_all(dir);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const auto start = std::chrono::steady_clock::now();
    const std::string what = argc > 1 ? argv[1] : "startup";
    if (what == "draw") return Toggle(argc, argv, what);
    if (what != "toggle") return Startup(argc, argv, start);
    const int status = Toggle(argc, argv, what);
    if (status != 0 || std::getenv("QT_SCALE_FACTOR")) return status;
    std::fflush(stdout);
    // The same at scale 2: the factor is read when the application starts.
    ::setenv("QT_SCALE_FACTOR", "2", 1);
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const int raw = std::system(("'" + self + "' toggle" + (argc > 2 ? " '" + std::string(argv[2]) + "'" : "")).c_str());
    return raw == 0 ? 0 : 1;
}
