#include "gui/GuiTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>

namespace zeb::guitest {

void Screenshot(QWidget* widget, const QString& name) {
    QDir().mkpath(ZEBSTAT_SCREENSHOT_DIR);
    QWidget* window = widget->window();
    window->grab().save(QString(ZEBSTAT_SCREENSHOT_DIR) + "/" + name + ".png");
}

void WhenModalOpens(std::function<void(QWidget*)> answer, int timeoutMs) {
    auto* timer = new QTimer;
    auto elapsed = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, answer, timeoutMs] {
        *elapsed += 20;
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        } else if (*elapsed > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(20);
}

} // namespace zeb::guitest
