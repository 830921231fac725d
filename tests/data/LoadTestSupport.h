// A data window on a scripted platform, and helpers to look at what it loaded.
#pragma once

#include "ExampleData.h"
#include "data/MeasurementSet.h"
#include "data/DataWindow.h"
#include "dialogs/LoadDialogs.h"
#include "platform/ScriptedPlatform.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <functional>
#include <string>

namespace zeb::test {

// A data window whose loads review their files with the program's dialogs.
class DialogWindow : public DataWindow {
public:
    using DataWindow::DataWindow;

protected:
    std::unique_ptr<RecordReview> makeRecordReview() override {
        return std::make_unique<DialogRecordReview>(platform_);
    }
    std::unique_ptr<ConcentrationTable> makeConcentrationTable() override {
        return std::make_unique<DialogConcentrationTable>(platform_);
    }
};

struct LoadWindow {
    ScriptedPlatform platform;
    DialogWindow window{platform};

    // The window's first load (activate); true when the window stays open.
    bool first(const std::string& path) {
        platform.openAnswers.push_back(path);
        window.activate();
        return !window.view().closeRequested;
    }
    // "&Add data file..." with path.
    int add(const std::string& path) {
        platform.openAnswers.push_back(path);
        return window.addDataFile();
    }
    // LoadDataFile alone, for the reader's result code.
    int load(const std::string& path) {
        platform.openAnswers.push_back(path);
        return window.LoadDataFile();
    }
    MeasurementSet& set() { return window.set(); }
    // The row holding q² (relative 1e-9), or -1.
    int row(double q2) const {
        for (int a = 1; a <= window.set().lastAngleIndex; ++a)
            if (std::fabs(window.set().q2[static_cast<std::size_t>(a)] / q2 - 1.0) < 1e-9) return a;
        return -1;
    }
    int messagesWith(const std::string& text) const {
        int n = 0;
        for (const auto& m : platform.messages) n += m.text == text;
        return n;
    }
};

// q² of a record as the reader computes it, written independently: the angle
// rounded to 0.1°, q = 4 pi n / lambda sin(theta / 2).
inline double RecordQ2(double angleDeg, double n, double lambdaNm) {
    const double theta = std::round(angleDeg * 10.0) / 10.0;
    const double q = 4.0 * M_PI * n / (lambdaNm * 1e-7) * std::sin(theta * M_PI / 360.0);
    return q * q;
}

inline ::testing::AssertionResult Near(double actual, double expected, double relative) {
    if (std::fabs(actual - expected) <= relative * std::fabs(expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " differs from " << expected << " by more than "
                                         << relative << " relative";
}

inline std::string Write(const TempDir& dir, const std::string& name, const std::string& bytes) {
    const std::string path = dir.file(name);
    WriteFile(path, bytes);
    return path;
}

// Everything of a window's data in use, as bytes: names, indices, q²,
// concentrations and every cell.
inline std::string DataSnapshot(const MeasurementSet& s) {
    std::string out = s.sampleName + "|" + s.solventName + "|" + std::to_string(s.lastConcIndex) + "/" +
                      std::to_string(s.lastAngleIndex) + "|";
    auto raw = [&out](const void* p, std::size_t n) { out.append(static_cast<const char*>(p), n); };
    for (int a = 0; a <= s.lastAngleIndex; ++a) raw(&s.q2[static_cast<std::size_t>(a)], sizeof(double));
    for (int c = 1; c <= s.lastConcIndex; ++c) {
        const auto i = static_cast<std::size_t>(c);
        raw(&s.concentration[i], sizeof(double));
        raw(&s.viscosity[i], sizeof(float));
        raw(&s.temperature[i], sizeof(float));
        out += s.sourceName[i] + "|";
        for (int a = 1; a <= s.lastAngleIndex; ++a) {
            const auto bytes = ToBytes(*s.cell(c, a));
            raw(bytes.data() + 4, bytes.size() - 4);  // the first four bytes are the owner's
        }
    }
    return out;
}

// The lines of a message after its first: where the reader names file and line.
inline std::string DetailOf(const std::string& text) {
    const auto at = text.find('\n');
    return at == std::string::npos ? std::string() : text.substr(at + 1);
}
inline std::string LeadOf(const std::string& text) { return text.substr(0, text.find('\n')); }

inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNogroup = 65534;

// Runs body in a child process and returns its exit status (128 + the signal
// when it was killed). asOrdinaryUser: when the tests run as root, the child
// first becomes the user nobody, for whom permission bits count.
inline int InChild(const std::function<int()>& body, bool asOrdinaryUser = false) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (asOrdinaryUser && ::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setresgid(kNogroup, kNogroup, kNogroup) != 0 ||
                ::setresuid(kNobody, kNobody, kNobody) != 0)
                ::_exit(99);
        }
        int code = 98;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return -1;
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace zeb::test
