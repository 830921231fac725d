// The one program of the view tests: `zebstat_gui_tests CLASS [QtTest options]`
// runs one registered test class, as QTEST_MAIN would run it in a program of its
// own; without a class name every class runs in turn.
#include "gui/GuiTestSupport.h"

#include "platform/qt/ProgramFault.h"

#include <QApplication>
#include <QtTest>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace zeb::guitest {

namespace {

struct Entry {
    TestFactory make;
    void (*initMain)();
};

std::map<std::string, Entry>& registry() {
    static std::map<std::string, Entry> tests;
    return tests;
}

} // namespace

bool RegisterTest(const char* name, TestFactory make, void (*initMain)()) {
    registry()[name] = Entry{make, initMain};
    return true;
}

} // namespace zeb::guitest

int main(int argc, char** argv) {
    using zeb::guitest::registry;
    std::vector<std::string> names;
    std::vector<char*> args(argv, argv + argc);
    if (argc > 1 && argv[1][0] != '-') {
        if (!registry().count(argv[1])) {
            std::fprintf(stderr, "no test class %s; the classes are:\n", argv[1]);
            for (const auto& [name, entry] : registry()) std::fprintf(stderr, "  %s\n", name.c_str());
            return 2;
        }
        names.push_back(argv[1]);
        args.erase(args.begin() + 1);
    } else {
        for (const auto& [name, entry] : registry()) names.push_back(name);
    }
    for (const auto& name : names)
        if (auto init = registry()[name].initMain) init();

    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    zeb::guitest::UseTestScreens();
    QApplication app(count, args.data());
    app.setAttribute(Qt::AA_Use96Dpi, true);
    // A part of the program left unconnected (a dialog without its form, a
    // frame without plot windows) fails the test that meets it, instead of a
    // message box that waits for nobody.
    zeb::SetProgramFaultHandler([](const std::string& text) {
        QTest::qFail(("fault of the program: " + text).c_str(), __FILE__, __LINE__);
    });
    int failed = 0;
    for (const auto& name : names) {
        auto test = registry()[name].make();
        failed += QTest::qExec(test.get(), count, args.data());
    }
    return failed == 0 ? 0 : 1;
}
