// The numbers of `eval --json` on the example files against an independent
// evaluation (tests/cli/ReferenceEvaluation.h) of the same loaded data: every
// plot type, every pair of fit orders, smoothing and weighting on and off.
// Values must agree to at least 7 significant digits; the apparent Mw and Dz,
// which the program rounds before it reports them, to their rounding; values
// that are zero in exact arithmetic (errors of exact fits) down to rounding noise.
#include "cli/ReferenceEvaluation.h"
#include "data/MeasurementLoader.h"
#include "evaluation/Evaluation.h"
#include "export/ResultsRecord.h"
#include "platform/ScriptedPlatform.h"
#include "support/JsonReader.h"
#include "support/SyntheticSets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zeb {
namespace {

using test::JsonReader;
using test::JsonValue;
using test::LD;

constexpr double kRel = 1e-7;          // 7 significant digits

using test::Example;

const char* const kExamples[] = {"ps-toluene.sta", "ps-static.sta", "ps-tarn.plt", "ps-toluene.plx", "ps-small.asc"};
const char* const kPlotNames[] = {"", "zimm", "berry", "guinier", "d1", "d2", "d3"};

// Compares one reported number with the reference; counts and remembers the
// worst relative deviation so that a failure shows how far off it is.
struct Checker {
    double worst = 0.0;
    std::string worstWhere;
    int compared = 0;

    // floor: a deviation this small passes whatever the value (rounding noise
    // of a quantity that is zero in exact arithmetic).
    void value(const JsonValue& v, const std::optional<LD>& ref, const std::string& where, double tol = kRel,
               double floor = 0.0) {
        if (!ref || !std::isfinite(static_cast<double>(*ref))) {
            EXPECT_TRUE(v.isNull()) << where << " = " << v.number << ", expected null";
            return;
        }
        ASSERT_FALSE(v.isNull()) << where << " is null, expected " << static_cast<double>(*ref);
        within(std::fabs(static_cast<double>(v.num() - *ref)), std::fabs(static_cast<double>(*ref)), tol, floor,
               where, v.num(), static_cast<double>(*ref));
    }

    // A value reported after rounding to the grid 10^(trunc(log10 |x|) - 3):
    // at most half a step from the reference.
    void rounded(const JsonValue& v, const std::optional<LD>& ref, const std::string& where) {
        if (!ref) {
            EXPECT_TRUE(v.isNull()) << where << " = " << v.number << ", expected null";
            return;
        }
        ASSERT_FALSE(v.isNull()) << where << " is null, expected " << static_cast<double>(*ref);
        const double r = static_cast<double>(*ref);
        const double step = std::pow(10.0, std::trunc(std::log10(std::fabs(r))) - 3);
        EXPECT_LE(std::fabs(v.num() - r), 0.5 * step * (1 + 1e-9)) << where << " = " << v.num() << ", expected " << r;
    }

    // Coefficients in powers of x compared by their share of the polynomial at
    // the largest |x| (a high coefficient may be tiny beside the others); the
    // errors each to its own size, down to the rounding noise of the fit (the
    // errors of a fit through points exactly on the curve).
    void fit(const JsonValue& fit, const test::RefFit& ref, double xMax, const std::string& where) {
        const std::vector<double> a = fit["coefficients"].numbers(), e = fit["errors"].numbers();
        if (!ref.made) {
            EXPECT_TRUE(a.empty() && e.empty()) << where << ": fitted, expected no fit";
            return;
        }
        ASSERT_EQ(a.size(), ref.a.size()) << where;
        ASSERT_EQ(e.size(), ref.err.size()) << where;
        LD size = 0;
        for (std::size_t k = 0; k < a.size(); ++k)
            size += std::fabs(ref.a[k]) * std::pow(static_cast<LD>(xMax), static_cast<LD>(k));
        for (std::size_t k = 0; k < a.size(); ++k) {
            const LD share = std::pow(static_cast<LD>(xMax), static_cast<LD>(k));
            within(static_cast<double>(std::fabs(a[k] - ref.a[k]) * share), static_cast<double>(size), kRel, 0.0,
                   where + " a" + std::to_string(k + 1), a[k], static_cast<double>(ref.a[k]));
            within(static_cast<double>(std::fabs(e[k] - ref.err[k]) * share), static_cast<double>(ref.err[k] * share),
                   kRel, static_cast<double>(size * 1e-12L), where + " err" + std::to_string(k + 1), e[k],
                   static_cast<double>(ref.err[k]));
        }
    }

    void within(double diff, double size, double tol, double floor, const std::string& where, double got,
                double expected) {
        ++compared;
        const double dev = diff / (size + floor / tol);
        if (tol == kRel && dev > worst) worst = dev, worstWhere = where;  // the rounded values aside
        EXPECT_LE(diff, tol * size + floor) << where << " = " << got << ", expected " << expected;
    }
};

// A loaded set (or one evaluated once, whose extrapolated points can be
// switched off), what each evaluation starts from.
struct Loaded {
    ScriptedPlatform platform;
    std::unique_ptr<LoadedMeasurement> loaded = std::make_unique<LoadedMeasurement>();
    std::unique_ptr<Evaluation> evaluated;  // when the evaluations start from an evaluated set
    MessageLog messages;                    // of every evaluation
    test::RefData data;
    double q2Max = 0, cMax = 0;
    Loaded() = default;
    explicit Loaded(const std::vector<std::string>& files) {
        loaded = LoadMeasurement(files, platform);
        EXPECT_TRUE(loaded->loaded()) << files.front();
        snapshot();
    }
    const MeasurementSet& set() const { return evaluated ? evaluated->set : loaded->set; }
    // The reference's copy of the set, as --dump prints it.
    void snapshot() {
        data = test::RefData::FromDump(JsonReader::Parse(RecordJson(SetRecord(set(), {}))));
        for (int a = 1; a <= data.na; ++a) q2Max = std::max(q2Max, data.q2[static_cast<std::size_t>(a)]);
        for (int c = 1; c <= data.nc; ++c) cMax = std::max(cMax, data.conc[static_cast<std::size_t>(c)]);
    }
};

void CompareWithReference(const JsonValue& j, const test::RefData& data, const test::RefSettings& s, double q2Max,
                          double cMax, Checker& check, const std::string& where) {
    const test::RefResult ref = test::RefEvaluate(data, s);
    if (s.plotType <= 3) {
        check.value(j["MwC"], ref.mwC, where + " MwC");
        check.value(j["MwQ2"], ref.mwQ2, where + " MwQ2");
        check.value(j["RgNm"], ref.rgNm, where + " RgNm");
        check.value(j["S2Cm2"], ref.s2Cm2, where + " S2Cm2");
        check.value(j["A2"], ref.a2, where + " A2");
    } else {
        check.value(j["DzC"], ref.dzC, where + " DzC");
        check.value(j["DzQ2"], ref.dzQ2, where + " DzQ2");
        check.value(j["CS2"], ref.cs2, where + " CS2");
        check.value(j["kD"], ref.kD, where + " kD");
    }
    const char* const p[] = {"P1", "P2", "P3", "P4"};
    for (std::size_t i = 0; i < 4; ++i)
        check.value(j["relErrPercent"][p[i]], ref.relErrPercent[i], where + " " + p[i], kRel, 1e-6);
    const JsonValue& concs = j["concentrations"];
    ASSERT_EQ(concs.items.size(), static_cast<std::size_t>(data.nc)) << where;
    for (int c = 1; c <= data.nc; ++c) {
        const JsonValue& row = concs[static_cast<std::size_t>(c - 1)];
        const test::RefConc& v = ref.conc[static_cast<std::size_t>(c)];
        const std::string at = where + " conc " + std::to_string(c);
        check.rounded(row["MwApp"], v.mwApp, at + " MwApp");
        check.value(row["S2AppCm2"], v.s2App, at + " S2AppCm2");
        check.value(row["RgAppNm"], v.rgAppNm, at + " RgAppNm");
        check.rounded(row["DzApp"], v.dzApp, at + " DzApp");
        check.value(row["CS2App"], v.cs2App, at + " CS2App");
        check.value(row["RhNm"], v.rhNm, at + " RhNm");
        check.fit(row, ref.concFits[static_cast<std::size_t>(c)], q2Max, at);
    }
    check.fit(j["lines"]["cToZero"], ref.concFits[0], q2Max, where + " cToZero");
    check.fit(j["lines"]["qToZero"], ref.angleFits[0], cMax, where + " qToZero");
}

// Every plot type, both orders 0..5, smoothing and weighting off and on.
void EveryCombination(Loaded& x, const std::string& name, Checker& check) {
    for (int type = 1; type <= 6; ++type)
        for (int weight = 0; weight <= 1; ++weight)
            for (int smooth = 0; smooth <= 1; ++smooth)
                for (int q = 0; q <= 5; ++q)
                    for (int c = 0; c <= 5; ++c) {
                        EvaluationOptions o;
                        o.plotType = static_cast<PlotType>(type);
                        o.qOrder = *FitOrderFromNumber(q);
                        o.cOrder = *FitOrderFromNumber(c);
                        o.smoothing = smooth ? Smoothing::On : Smoothing::Off;
                        o.weighting = weight ? Weighting::On : Weighting::Off;
                        JsonValue j;
                        try {
                            const Evaluation e(x.set(), o);
                            for (const Message& m : e.messages) x.messages.inform(m.text, m.caption, m.icon);
                            j = JsonReader::Parse(RecordJson(ResultsRecord(e.set, e.options, e.fits, e.results, nullptr, {})));
                        } catch (const std::exception& e) {
                            FAIL() << name << ": " << e.what();
                        }
                        const std::string where = name + " " + kPlotNames[type] + " q" + std::to_string(q) + " c" +
                                                  std::to_string(c) + (smooth ? " smooth" : "") +
                                                  (weight ? " weight" : "");
                        CompareWithReference(j, x.data, {type, q, c, smooth == 1, weight == 1}, x.q2Max, x.cMax,
                                             check, where);
                        if (::testing::Test::HasFailure()) return;
                    }
}

void Report(const Checker& check) {
    std::printf("compared %d numbers; worst relative deviation %.3g at %s\n", check.compared, check.worst,
                check.worstWhere.c_str());
}

TEST(EvalAgreement, EveryPlotTypeAndOrderOnEveryExampleFile) {
    Checker check;
    for (const char* name : kExamples) {
        Loaded x({Example(name)});
        EveryCombination(x, name, check);
        if (HasFailure()) break;
    }
    Report(check);
    EXPECT_GT(check.compared, 100000);
}

TEST(EvalAgreement, FilesAddedToOneWindowAndDeactivatedPoints) {
    // Files of different angle sets in one window leave cells without points;
    // deactivated points drop out of their fits, a deactivated extrapolated
    // point out of its line.
    Checker check;
    Loaded x({Example("ps-tarn.plt"), Example("ps-toluene.plx"), Example("ps-small.asc")});
    ASSERT_EQ(x.set().lastConcIndex, 10);
    EveryCombination(x, "plt+plx+asc", check);
    Loaded y({Example("ps-toluene.sta"), Example("ps-static.sta")});
    EvaluationOptions o;
    o.switchedOff = {{1, 1}, {1, 13}, {2, 5}, {5, 3}, {9, 11}};
    o.qOrder = o.cOrder = FitOrder::One;
    y.evaluated = std::make_unique<Evaluation>(y.loaded->set, o);
    // Extrapolated points are deactivated in the plot only.
    y.evaluated->set.cell(3, 0)->active = 0;
    y.evaluated->set.cell(0, 7)->active = 0;
    y.snapshot();
    EveryCombination(y, "sta+sta deactivated", check);
    Report(check);
}

TEST(EvalAgreement, NonPositiveKcROnlyInTheirPlotTypes) {
    // Scatter large enough to drive some Kc/R below zero: Berry and Guinier
    // leave those points out (with their messages), Zimm keeps them.
    Checker check;
    Loaded x;
    test::ModelParams m;
    m.noise = 1.3;
    test::FillModelSet(x.loaded->set, 6, 14, m);
    x.snapshot();
    int negative = 0;
    for (int c = 1; c <= 6; ++c)
        for (int a = 1; a <= 14; ++a) negative += x.set().cell(c, a)->kcr <= 0;
    ASSERT_GT(negative, 3);
    EveryCombination(x, "model with Kc/R <= 0", check);
    const auto saw = [&](const std::string& part) {
        return std::any_of(x.messages.messages.begin(), x.messages.messages.end(),
                           [&](const Message& msg) { return msg.text.find(part) != std::string::npos; });
    };
    EXPECT_TRUE(saw("Kc/R < 0"));
    EXPECT_TRUE(saw("Kc/R <= 0"));
    Report(check);
}

} // namespace
} // namespace zeb
