// Helpers of the Qt view tests: screenshots into build/screenshots, waiting for
// modal dialogs and answering them, and the base class every view test derives
// from.
#pragma once

#include "platform/qt/QtPlatform.h"

#include <QObject>
#include <QString>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace zeb {
class FrameWindowView;
}

namespace zeb {
class PlotWindowView;
}

namespace zeb::guitest {

// The program's plot windows (PlotWindowView on platform), for a frame of a test.
std::function<QWidget*(FrameWindowView&)> PlotWindows(QtPlatform& platform);

// The Qt platform whose open-file dialog answers with the names queued in
// openAnswers (nothing, as Cancel, when none is left).
class AnsweringPlatform : public QtPlatform {
public:
    std::deque<std::optional<std::string>> openAnswers;
    std::optional<std::string> openFileName(const FileDialogRequest&) override {
        if (openAnswers.empty()) return std::nullopt;
        auto a = openAnswers.front();
        openAnswers.pop_front();
        return a;
    }
};

// Saves a picture of the widget (its window) as build/screenshots/<name>.png.
void Screenshot(QWidget* widget, const QString& name);

// How long a test waits for a window that it expects: generous, since a busy
// machine may take seconds to show one. Nothing waits this long on success.
constexpr int kWindowWaitMs = 30000;

// Waits until the plot window holds its first data (the load runs while the
// event loop turns); false when it does not within kWindowWaitMs.
bool WaitForFirstData(PlotWindowView* view);

// Runs `steps` on the next modal window that `matches`, while the code that
// opens it runs. The watch ends when it has run, when timeoutMs of real time
// have passed, or when the test function that started it ends (see
// GuiTestCase): a watch never outlives the locals its steps refer to.
void WhenModalMatches(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> steps,
                      int timeoutMs = kWindowWaitMs);

// Runs `answer` on the next modal widget that opens (message box or dialog).
void WhenModalOpens(std::function<void(QWidget*)> answer, int timeoutMs = kWindowWaitMs);

// Ends every watch that has not run yet.
void CancelWatches();

// The screens of the offscreen platform, set before the application starts
// (when it runs offscreen): the primary one of 1920 x 1200 pixels, then three
// of device pixel ratio 2, 1.5 and 2 - the first two 1920 x 1200 in pixels of
// the window system, the last a small one of 800 x 500 (1600 x 1000 device
// pixels). Windows are put on a screen with setScreen and move.
void UseTestScreens();
inline constexpr const char* kScreenRatio2 = "ratio2";
inline constexpr const char* kScreenRatio15 = "ratio1.5";
inline constexpr const char* kScreenSmallRatio2 = "small2";

// The base of every view test class: after each test function the watches it
// started are cancelled. A class that needs its own cleanup() calls
// CancelWatches() there.
class GuiTestCase : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CancelWatches(); }
};

// All view tests are one program; each test class registers itself with
// ZEB_GUI_TEST(Class) in place of QTEST_MAIN, and the program runs the class
// named by its first argument (every class when none is named).
using TestFactory = std::unique_ptr<QObject> (*)();
bool RegisterTest(const char* name, TestFactory make, void (*initMain)());

template <typename T>
constexpr void (*InitMainOf())() {
    if constexpr (requires { T::initMain(); }) return &T::initMain;
    else return nullptr;
}

} // namespace zeb::guitest

#define ZEB_GUI_TEST(Class)                                                                             \
    static const bool zebGuiTestRegistered_##Class = ::zeb::guitest::RegisterTest(                   \
        #Class, []() -> std::unique_ptr<QObject> { return std::make_unique<Class>(); },                \
        ::zeb::guitest::InitMainOf<Class>());
