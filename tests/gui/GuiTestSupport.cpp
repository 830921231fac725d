#include "gui/GuiTestSupport.h"
#include "support/BuildPaths.h"

#include "app/qt/FrameWindowView.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/qt/PlotWindowView.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPointer>
#include <QTemporaryFile>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <vector>

namespace zeb::guitest {

namespace {

std::vector<QPointer<QTimer>>& watches() {
    static std::vector<QPointer<QTimer>> all;
    return all;
}

void endWatch(QTimer* timer) {
    timer->stop();
    timer->deleteLater();
}

} // namespace

std::function<QWidget*(FrameWindowView&)> PlotWindows(QtPlatform& platform) {
    return [&platform](FrameWindowView& frame) -> QWidget* { return new PlotWindowView(frame, platform); };
}

void Screenshot(QWidget* widget, const QString& name) {
    QDir().mkpath(test::build::ScreenshotDir());
    QWidget* window = widget->window();
    window->grab().save(QString(test::build::ScreenshotDir()) + "/" + name + ".png");
}

bool WaitForFirstData(PlotWindowView* view) {
    return view && QTest::qWaitFor([view] { return !view->core().awaitingFirstData(); }, kWindowWaitMs);
}

void WhenModalMatches(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> steps, int timeoutMs) {
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    watches().emplace_back(timer);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, matches, steps, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && matches(modal)) {
            endWatch(timer);
            // Keys go where the focus is, and only an active window has one.
            (void)QTest::qWaitForWindowActive(modal, kWindowWaitMs);
            steps(modal);
        } else if (clock->elapsed() > timeoutMs) {
            endWatch(timer);
        }
    });
    timer->start(20);
}

void WhenModalOpens(std::function<void(QWidget*)> answer, int timeoutMs) {
    WhenModalMatches([](QWidget*) { return true; }, std::move(answer), timeoutMs);
}

void UseTestScreens() {
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen") return;
    // Kept for the whole run: the platform reads it when the application starts.
    static QTemporaryFile config(QDir::tempPath() + "/zebstat-screens-XXXXXX.json");
    if (!config.open()) return;
    config.write(R"({"screens": [
        {"name": "main", "x": 0, "y": 0, "width": 1920, "height": 1200, "logicalDpi": 96, "logicalBaseDpi": 96},
        {"name": "ratio2", "x": 1920, "y": 0, "width": 3840, "height": 2400, "logicalDpi": 192, "logicalBaseDpi": 96},
        {"name": "ratio1.5", "x": 5760, "y": 0, "width": 2880, "height": 1800, "logicalDpi": 144, "logicalBaseDpi": 96},
        {"name": "small2", "x": 8640, "y": 0, "width": 1600, "height": 1000, "logicalDpi": 192, "logicalBaseDpi": 96}]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
}

void CancelWatches() {
    for (auto& timer : watches())
        if (timer) endWatch(timer);
    watches().clear();
}

} // namespace zeb::guitest
