// FitPolynomial against certified values computed exactly in rational
// arithmetic (tools/certify_polynomial_fits.py): degree-5 problems as
// ill-conditioned as the NIST Wampler sets, from exact data to noise far above
// the signal, with x as given and with x times 1e10 (the size of q² in 1/cm²).
// Every coefficient and every standard deviation must have at least 10
// correct digits (log relative error, LRE).
#include "analysis/FitPolynomial.h"
#include "platform/ScriptedPlatform.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace zeb {
namespace {

struct Case {
    std::string name;
    std::string scale;   // "1" or "1e10"
    int degree = 0;
    bool weighted = false;
    std::vector<double> x, y, sigma;
    std::vector<double> coefficient, sd;  // certified, constant term first
    double residualSd = 0.0;
};

struct Reference {
    std::vector<Case> cases;
    std::vector<std::string> errors;  // what could not be read
};

double Number(const std::string& text, std::vector<std::string>& errors) {
    double v = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) errors.push_back("not a number: " + text);
    return v;
}

// Read when the tests are listed (the cases name the tests), so the reader
// collects its complaints for the first test instead of failing there.
Reference ReadReference() {
    Reference ref;
    auto& errors = ref.errors;
    auto& cases = ref.cases;
    std::ifstream in(test::DataFile("certified/polynomial-fits.txt"));
    if (!in.good()) errors.push_back("cannot open " + test::DataFile("certified/polynomial-fits.txt"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string keyword, weighting;
        int n = 0;
        fields >> keyword;
        if (keyword != "case") {
            errors.push_back("unexpected line: " + line);
            break;
        }
        Case c;
        fields >> c.name >> c.scale >> c.degree >> weighting >> n;
        c.weighted = weighting == "on";
        for (int i = 0; i < n && std::getline(in, line); ++i) {
            std::istringstream row(line);
            std::string x, y, s;
            row >> x >> y >> s;
            c.x.push_back(Number(x, errors));
            c.y.push_back(Number(y, errors));
            if (c.weighted) c.sigma.push_back(Number(s, errors));
        }
        for (int k = 0; k <= c.degree && std::getline(in, line); ++k) {
            std::istringstream row(line);
            std::string label, coef, sd;
            row >> label >> coef >> sd;
            if (label != "B" + std::to_string(k)) errors.push_back(c.name + ": expected B" + std::to_string(k));
            c.coefficient.push_back(Number(coef, errors));
            c.sd.push_back(Number(sd, errors));
        }
        if (std::getline(in, line)) {
            std::istringstream row(line);
            std::string label, value;
            row >> label >> value;
            if (label != "residualSD") errors.push_back(c.name + ": expected residualSD");
            c.residualSd = Number(value, errors);
        }
        if (static_cast<int>(c.x.size()) != n || static_cast<int>(c.coefficient.size()) != c.degree + 1)
            errors.push_back(c.name + ": incomplete case");
        cases.push_back(std::move(c));
    }
    return ref;
}

const Reference& TheReference() {
    static const Reference ref = ReadReference();
    return ref;
}

const std::vector<Case>& Cases() { return TheReference().cases; }

double CertifiedLre(double estimate, double certified, double reference) {
    const double rel = std::fabs(estimate - certified) / std::fabs(reference);
    if (!std::isfinite(estimate)) return 0.0;
    if (rel == 0.0) return 17.0;
    return std::min(17.0, -std::log10(rel));
}

struct Measured {
    std::vector<double> coefficientLre, sdLre;
    double worst() const {
        double w = 17.0;
        for (double v : coefficientLre) w = std::min(w, v);
        for (double v : sdLre) w = std::min(w, v);
        return w;
    }
};

// Fits the case and measures the LRE of every coefficient and SD. Where the
// data are a polynomial to within their own rounding (a residual SD below
// 1e-13 of the largest |y|), the SDs are only the rounding of the data: they
// are measured against their coefficient instead of against themselves.
Measured FitCertifiedCase(const Case& c, std::vector<std::string>& messages) {
    ScriptedPlatform platform;
    FitContext ctx{platform, c.weighted ? kWeightingOn : kWeightingOff};
    const int n = static_cast<int>(c.x.size());
    std::vector<double> x(n + 1), y(n + 1), s(n + 1, 1.0);
    double yMax = 0.0;
    for (int i = 0; i < n; ++i) {
        x[i + 1] = c.x[i];
        y[i + 1] = c.y[i];
        if (c.weighted) s[i + 1] = c.sigma[i];
        yMax = std::max(yMax, std::fabs(c.y[i]));
    }
    const PolyFitResult fit = FitPolynomial(ctx, c.degree, s, y, x, n);
    EXPECT_FALSE(fit.singular) << c.name;
    for (const auto& m : platform.messages) messages.push_back(m.text);
    const bool exactData = c.residualSd <= 1e-13 * yMax;
    Measured r;
    for (int k = 0; k <= c.degree; ++k) {
        r.coefficientLre.push_back(CertifiedLre(fit.a[k + 1], c.coefficient[k], c.coefficient[k]));
        r.sdLre.push_back(CertifiedLre(fit.err[k + 1], c.sd[k], exactData ? c.coefficient[k] : c.sd[k]));
    }
    return r;
}

TEST(CertifiedFits, TheReferenceHoldsBothScalesOfEveryProblem) {
    for (const auto& e : TheReference().errors) ADD_FAILURE() << e;
    const auto& cases = Cases();
    ASSERT_GE(cases.size(), 60u);
    std::map<std::string, const Case*> given;
    for (const auto& c : cases)
        if (c.scale == "1") given[c.name] = &c;
    int scaled = 0;
    for (const auto& c : cases) {
        if (c.scale != "1e10") continue;
        ++scaled;
        ASSERT_TRUE(given.count(c.name)) << c.name;
        const Case& g = *given[c.name];
        ASSERT_EQ(g.x.size(), c.x.size()) << c.name;
        // The scaled abscissae are the doubles x * 1e10 rounds to, which the
        // certified values were computed from; the ordinates are the same.
        for (std::size_t i = 0; i < c.x.size(); ++i) {
            EXPECT_EQ(c.x[i], g.x[i] * 1e10) << c.name << " point " << i;
            EXPECT_EQ(c.y[i], g.y[i]) << c.name << " point " << i;
        }
    }
    EXPECT_EQ(scaled * 2, static_cast<int>(cases.size()));
}

class CertifiedFit : public ::testing::TestWithParam<std::size_t> {};

TEST_P(CertifiedFit, TenCorrectDigitsInEveryCoefficientAndDeviation) {
    const auto& cases = Cases();
    ASSERT_LT(GetParam(), cases.size());
    const Case& c = cases[GetParam()];
    std::vector<std::string> messages;
    const Measured r = FitCertifiedCase(c, messages);
    EXPECT_TRUE(messages.empty()) << c.name << ": " << messages.front();
    std::string table;
    for (int k = 0; k <= c.degree; ++k) {
        char cell[48];
        std::snprintf(cell, sizeof cell, " B%d %.1f/%.1f", k, r.coefficientLre[k], r.sdLre[k]);
        table += cell;
        EXPECT_GE(r.coefficientLre[k], 10.0) << c.name << " x" << c.scale << " coefficient B" << k;
        EXPECT_GE(r.sdLre[k], 10.0) << c.name << " x" << c.scale << " SD of B" << k;
    }
    std::printf("%-22s x%-4s LRE coefficient/SD:%s\n", c.name.c_str(), c.scale.c_str(), table.c_str());
}

// Test names: the case and its scale (Wampler5_x1e10).
std::string CaseName(const ::testing::TestParamInfo<std::size_t>& info) {
    const auto& cases = Cases();
    if (info.param >= cases.size()) return "missing" + std::to_string(info.param);
    std::string name = cases[info.param].name + "_x" + cases[info.param].scale;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Problems, CertifiedFit, ::testing::Range<std::size_t>(0, Cases().size()), CaseName);

} // namespace
} // namespace zeb
