// The Qt application the canvas tests draw in, on the offscreen platform unless
// another is asked for; created once per test program.
#pragma once

#include <QGuiApplication>

namespace zeb::test {

inline void EnsureGuiApplication() {
    static QGuiApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "zebstat_qt_tests";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

} // namespace zeb::test
