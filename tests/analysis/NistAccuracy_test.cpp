// FitPolynomial against the certified values of the NIST StRD polynomial
// datasets, with x as given and with x multiplied by 1e10 (the size of q² in
// 1/cm²). The log relative error (LRE) must reach 10 for every coefficient and
// every standard deviation. (Wampler2..5 at both scales, with certified values
// computed from the doubles a fit is fed, are in CertifiedFits_test.cpp.)
#include "analysis/FitPolynomial.h"
#include "platform/ScriptedPlatform.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>

namespace zeb {
namespace {

struct Dataset {
    std::vector<double> coefficient, sd;  // certified, constant term first
    std::vector<double> x, y;
};

Dataset ReadNist(const std::string& name) {
    std::ifstream in(test::DataFile("nist/" + name + ".dat"));
    EXPECT_TRUE(in.good()) << name;
    Dataset d;
    std::string line;
    bool data = false;
    const std::regex param(R"(^\s*B(\d)\s+(\S+)\s+(\S+)\s*$)");
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::smatch m;
        if (!data && std::regex_match(line, m, param)) {
            d.coefficient.push_back(std::stod(m[2]));
            d.sd.push_back(std::stod(m[3]));
        } else if (!data && line.rfind("Data:", 0) == 0 && line.find('y') != std::string::npos &&
                   line.find('x') != std::string::npos) {
            data = true;
        } else if (data) {
            std::istringstream fields(line);
            double yv, xv;
            if (fields >> yv >> xv) {
                d.y.push_back(yv);
                d.x.push_back(xv);
            }
        }
    }
    return d;
}

double Lre(double estimate, double certified, double reference) {
    const double denom = certified != 0.0 ? std::fabs(certified) : std::fabs(reference);
    const double rel = std::fabs(estimate - certified) / denom;
    if (rel == 0.0) return 15.0;
    return std::min(15.0, -std::log10(rel));
}

struct Lres {
    double worstCoefficient = 15, worstSd = 15;
};

Lres FitAndMeasure(const Dataset& d, double xScale) {
    ScriptedPlatform platform;
    FitContext ctx{platform, kWeightingOff};
    const int n = static_cast<int>(d.x.size());
    const int order = static_cast<int>(d.coefficient.size()) - 1;
    std::vector<double> x(n + 1), y(n + 1), s(n + 1, 1.0);
    for (int i = 0; i < n; ++i) {
        x[i + 1] = d.x[i] * xScale;
        y[i + 1] = d.y[i];
    }
    const PolyFitResult fit = FitPolynomial(ctx, order, s, y, x, n);
    EXPECT_FALSE(fit.singular);
    EXPECT_TRUE(platform.messages.empty());
    Lres r;
    for (int k = 0; k <= order; ++k) {
        const double factor = std::pow(xScale, k);
        const double coef = d.coefficient[k] / factor;
        const double sd = d.sd[k] / factor;
        r.worstCoefficient = std::min(r.worstCoefficient, Lre(fit.a[k + 1], coef, coef));
        r.worstSd = std::min(r.worstSd, Lre(fit.err[k + 1], sd, coef));
    }
    return r;
}

class NistAccuracy : public ::testing::TestWithParam<std::tuple<std::string, double>> {};

TEST_P(NistAccuracy, CoefficientsAndDeviationsMeetTheBar) {
    const auto& [name, scale] = GetParam();
    const Dataset d = ReadNist(name);
    ASSERT_GE(d.coefficient.size(), 2u);
    ASSERT_GE(d.x.size(), d.coefficient.size());
    const Lres r = FitAndMeasure(d, scale);
    RecordProperty("worstCoefficientLRE", std::to_string(r.worstCoefficient));
    RecordProperty("worstSdLRE", std::to_string(r.worstSd));
    std::printf("%s x%g: worst coefficient LRE %.2f, worst SD LRE %.2f\n", name.c_str(), scale,
                r.worstCoefficient, r.worstSd);
    EXPECT_GE(r.worstCoefficient, 10.0);
    EXPECT_GE(r.worstSd, 10.0);
}

INSTANTIATE_TEST_SUITE_P(Datasets, NistAccuracy,
                         ::testing::Combine(::testing::Values("Norris", "Pontius", "Wampler1"),
                                            ::testing::Values(1.0, 1e10)));

// Wampler2 is the exact polynomial y = 1 + 0.1x + 0.01x² + ... + 1e-5 x⁵ at x = 0..20.
TEST(NistAccuracyWampler2, ExactFifthDegreePolynomialWithSmallCoefficients) {
    Dataset d;
    d.coefficient = {1.0, 0.1, 0.01, 0.001, 1e-4, 1e-5};
    d.sd.assign(6, 0.0);
    for (int i = 0; i <= 20; ++i) {
        d.x.push_back(i);
        long double y = 0.0L, p = 1.0L;
        for (int k = 0; k <= 5; ++k, p *= i) y += p * std::pow(10.0L, -k);
        d.y.push_back(static_cast<double>(y));
    }
    for (double scale : {1.0, 1e10}) {
        const Lres r = FitAndMeasure(d, scale);
        EXPECT_GE(r.worstCoefficient, 10.0) << scale;
        EXPECT_GE(r.worstSd, 10.0) << scale;
    }
}

} // namespace
} // namespace zeb
