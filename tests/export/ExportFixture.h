// Small measurement sets with hand-picked values for the export tests, and a
// snapshot of everything a window shows of its set (to prove a refused paste
// changed nothing).
#pragma once

#include "data/MeasurementSet.h"
#include "platform/ScriptedPlatform.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zeb::test {

// Concentrations 1 mg/ml ("  /data/a.sta ", with blanks), 2 mg/ml (/data/a.sta)
// and 3.5 mg/ml (/data/b.sta); q² rows 1e10 and 2.5e10 1/cm².
//   (1,1) Kc/R 2e-6, Dapp 11/12/13 µm²/s, no R      (1,2) Kc/R 2.5e-6, R 2e-5 ± 2e-7, inactive
//   (2,1) Kc/R 2.2e-6                              (2,2) nothing
//   (3,1) Kc/R 3e-6, R 1.5e-5 ± 1e-7               (3,2) nothing
inline void FillSmallSet(MeasurementSet& s) {
    s.InitMeasurementSet();
    s.AddConcentration("  /data/a.sta ", 298.15f, 0.89f, 0.001);
    s.AddConcentration("/data/a.sta", 298.15f, 0.89f, 0.002);
    s.AddConcentration("/data/b.sta", 299.0f, 0.55f, 0.0035);
    s.AddQ2(1e10);
    s.AddQ2(2.5e10);
    auto store = [&](int c, int a, ValueCode code, double v) { s.storeValue(code, c, a, v, 0, 0); };
    store(1, 1, kCodeQ2, 1e10);
    store(1, 1, kCodeKcr, 2e-6);
    store(1, 1, kCodeDappI, 11e-8);
    store(1, 1, kCodeDappII, 12e-8);
    store(1, 1, kCodeDappIII, 13e-8);
    store(1, 2, kCodeQ2, 2.5e10);
    store(1, 2, kCodeKcr, 2.5e-6);
    store(1, 2, kCodeRSample, 2e-5);
    store(1, 2, kCodeRSampleError, 2e-7);
    s.cell(1, 2)->active = 0;
    store(2, 1, kCodeQ2, 1e10);
    store(2, 1, kCodeKcr, 2.2e-6);
    store(3, 1, kCodeQ2, 1e10);
    store(3, 1, kCodeKcr, 3e-6);
    store(3, 1, kCodeRSample, 1.5e-5);
    store(3, 1, kCodeRSampleError, 1e-7);
}

// Everything of a set that is in use, as bytes: indices, q², concentrations,
// viscosities, temperatures, names and every cell of the grid in use.
inline std::string Snapshot(const MeasurementSet& s) {
    std::string out = std::to_string(s.lastConcIndex) + "/" + std::to_string(s.lastAngleIndex) + "/" +
                      std::to_string(s.savedConcIndex) + "/" + std::to_string(s.savedAngleIndex) + "|";
    auto raw = [&out](const void* p, std::size_t n) { out.append(static_cast<const char*>(p), n); };
    for (int a = 0; a <= s.lastAngleIndex; ++a) raw(&s.q2[static_cast<std::size_t>(a)], sizeof(double));
    for (int c = 0; c <= s.lastConcIndex; ++c) {
        const auto i = static_cast<std::size_t>(c);
        raw(&s.concentration[i], sizeof(double));
        raw(&s.viscosity[i], sizeof(float));
        raw(&s.temperature[i], sizeof(float));
        out += s.sourceName[i] + "|";
        for (int a = 0; a <= s.lastAngleIndex; ++a) {
            const DataPoint* p = s.cell(c, a);
            if (!p) {
                out += "null";
                continue;
            }
            const auto bytes = ToBytes(*p);
            raw(bytes.data(), bytes.size());
        }
    }
    return out;
}

inline bool SameRecord(const DataPoint& a, const DataPoint& b) { return ToBytes(a) == ToBytes(b); }

} // namespace zeb::test
