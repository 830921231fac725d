// A data window on a scripted platform, and helpers to look at what it loaded.
#pragma once

#include "ExampleData.h"
#include "data/MeasurementSet.h"
#include "data/TFitF.h"
#include "platform/ScriptedPlatform.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace zeb::test {

struct LoadWindow {
    ScriptedPlatform platform;
    TFitF window{platform};

    // The window's first load (FormActivate); true when the window stays open.
    bool first(const std::string& path) {
        platform.openAnswers.push_back(path);
        window.FormActivate();
        return !window.view().closeRequested;
    }
    // "&Add data file..." with path.
    int add(const std::string& path) {
        platform.openAnswers.push_back(path);
        return window.ID_DATEI_DAZULADENClick();
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

} // namespace zeb::test
