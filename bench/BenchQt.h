// The Qt application the drawing benchmarks need, on the offscreen platform
// unless another is asked for; created once.
#pragma once

#include <QGuiApplication>

namespace zeb::bench {

inline void EnsureGuiApplication() {
    static QGuiApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "zebstat_bench";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

} // namespace zeb::bench
