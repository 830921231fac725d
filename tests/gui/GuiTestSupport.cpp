#include "gui/GuiTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPointer>
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

void Screenshot(QWidget* widget, const QString& name) {
    QDir().mkpath(ZEBSTAT_SCREENSHOT_DIR);
    QWidget* window = widget->window();
    window->grab().save(QString(ZEBSTAT_SCREENSHOT_DIR) + "/" + name + ".png");
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

void CancelWatches() {
    for (auto& timer : watches())
        if (timer) endWatch(timer);
    watches().clear();
}

} // namespace zeb::guitest
