// A small Zimm-like measurement set built in code, with fitted straight lines,
// and the chart inputs that draw it.
#pragma once

#include "data/MeasurementSet.h"
#include "platform/ScriptedPlatform.h"
#include "plot/AxisCaptions.h"
#include "plot/ChartInputs.h"

#include <memory>

namespace zeb::test {

struct ChartFixture {
    ScriptedPlatform platform;
    MeasurementSet set{platform};
    DataPoint q0, c0;
    PlotSettings settings;
    ChartInputs in;

    // nc concentrations × na angles; Kc/R = (1 + 1e-11 q²)(1 + 2e3 c) · 2e-6.
    explicit ChartFixture(int nc = 3, int na = 4, double k = 1e12) {
        set.InitMeasurementSet();
        set.lastConcIndex = static_cast<std::int16_t>(nc);
        set.lastAngleIndex = static_cast<std::int16_t>(na);
        for (int c = 1; c <= nc; ++c) {
            set.setConcentration(c, 1e-3 * c);
            set.sourceName[static_cast<std::size_t>(c)] = "/data/run" + std::to_string(c) + ".sta";
        }
        for (int a = 1; a <= na; ++a) set.setQ2(a, 1e10 * a);
        auto kcr = [](double q2, double c) { return 2e-6 * (1 + 1e-11 * q2) * (1 + 2e3 * c); };
        for (int c = 0; c <= nc; ++c)
            for (int a = 0; a <= na; ++a) {
                if (c == 0 && a == 0) continue;
                DataPoint& p = set.CreateDataPoint(c, a);
                const double q2 = set.q2[static_cast<std::size_t>(a)];
                const double conc = set.concentration[static_cast<std::size_t>(c)];
                p.hasData = 1;
                p.x() = q2 + k * conc;
                p.y() = kcr(q2, conc);
                p.yHi() = p.y() * 1.01;
                p.yLo() = p.y() * 0.99;
            }
        for (int c = 0; c <= nc; ++c) {  // Kc/R over q²: a1 + a2 q²
            const double conc = set.concentration[static_cast<std::size_t>(c)];
            set.calcTableA[static_cast<std::size_t>(c)] = {0, 2e-6 * (1 + 2e3 * conc), 2e-17 * (1 + 2e3 * conc)};
        }
        for (int a = 0; a <= na; ++a) {  // over c: b1 + b2 c
            const double q2 = set.q2[static_cast<std::size_t>(a)];
            set.calcTableB[static_cast<std::size_t>(a)] = {0, 2e-6 * (1 + 1e-11 * q2), 4e-3 * (1 + 1e-11 * q2)};
        }
        for (DataPoint* p : {&q0, &c0}) {
            p->hasData = 1;
            p->active = 1;
            p->symbolState = 1;
            p->x() = 0;
            p->y() = 2e-6;
            p->yHi() = p->yLo() = 2e-6;
        }
        settings.xTitle = BuiltInXCaption(1);
        settings.yTitle = BuiltInYCaption(1);
        in.set = &set;
        in.q0Intercept = &q0;
        in.c0Intercept = &c0;
        in.k = k;
        in.qCurveEndAngle.assign(static_cast<std::size_t>(nc + 1), na);
        in.cCurveEndConc.assign(static_cast<std::size_t>(na + 1), nc);
        in.settings = &settings;
        in.sourceFiles = "/data/run1.sta; /data/run2.sta";
        in.sampleName = "PS 1";
        in.resultLines = {"Mw(c): 5.000e+05 g/mol", "Mw(q²): 5.000e+05 g/mol", "Rg: 5.477e+01 nm",
                          "A2: 2.000e-03 mol dm³/g²"};
        rescale();
    }

    void rescale() {
        const DataExtremes e = FindDataExtremes(set, &q0, &c0, settings.hideInactive != 0);
        in.axes = RescaleMeasurementAxes(e, settings.manualX, settings.manualY);
    }
};

} // namespace zeb::test
