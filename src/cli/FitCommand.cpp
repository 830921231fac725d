// zebstat-batch fit [--order N] [--weight] TABLE: a polynomial fit of the rows
// "x y [sigma]" of a text table through FitPolynomial, printed as JSON.
#include "analysis/FitPolynomial.h"
#include "data/TextLines.h"
#include "cli/BatchPlatform.h"
#include "cli/Commands.h"
#include "export/Record.h"

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

namespace zeb::cli {

namespace {

struct Row {
    double x, y, sigma;
    bool hasSigma;
};

std::vector<Row> readTable(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw UsageError{"cannot open table \"" + path + "\""};
    std::vector<Row> rows;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        std::istringstream fields(line);
        std::vector<std::string> tokens;
        for (std::string t; fields >> t;) tokens.push_back(t);
        if (tokens.size() < 2 || tokens.size() > 3)
            throw UsageError{path + ":" + std::to_string(lineNo) + ": expected \"x y [sigma]\""};
        Row row{0, 0, 1.0, tokens.size() == 3};
        double* targets[] = {&row.x, &row.y, &row.sigma};
        for (std::size_t i = 0; i < tokens.size(); ++i)
            if (!WholeDouble(tokens[i], *targets[i]))
                throw UsageError{path + ":" + std::to_string(lineNo) + ": \"" + tokens[i] +
                                 "\" is not a finite number"};
        rows.push_back(row);
    }
    return rows;
}

} // namespace

int RunFit(const std::vector<std::string>& args) {
    int order = 1;
    bool weight = false;
    std::string table;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--order") {
            if (i + 1 >= args.size()) throw UsageError{"--order needs a value"};
            const std::string& v = args[++i];
            if (v.size() != 1 || v[0] < '0' || v[0] > '5') throw UsageError{"--order must be 0..5"};
            order = v[0] - '0';
        } else if (args[i] == "--weight") {
            weight = true;
        } else if (!args[i].empty() && args[i][0] == '-') {
            throw UsageError{"unknown option " + args[i]};
        } else if (table.empty()) {
            table = args[i];
        } else {
            throw UsageError{"fit takes one table"};
        }
    }
    if (table.empty()) throw UsageError{"fit needs a table: zebstat-batch fit [--order N] [--weight] TABLE"};
    const std::vector<Row> rows = readTable(table);
    const int n = static_cast<int>(rows.size());
    if (n < order + 1)
        throw UsageError{"order " + std::to_string(order) + " needs at least " + std::to_string(order + 1) +
                         " rows, the table has " + std::to_string(n)};
    std::set<double> distinct;
    for (const auto& r : rows) {
        distinct.insert(r.x);
        if (weight && (!r.hasSigma || !(r.sigma > 0.0)))
            throw UsageError{"--weight needs a positive sigma in every row"};
    }
    if (static_cast<int>(distinct.size()) < order + 1)
        throw UsageError{"order " + std::to_string(order) + " needs at least " + std::to_string(order + 1) +
                         " distinct x values"};

    std::vector<double> x(n + 1), y(n + 1), sigma(n + 1);
    for (int i = 1; i <= n; ++i) {
        x[i] = rows[i - 1].x;
        y[i] = rows[i - 1].y;
        sigma[i] = rows[i - 1].sigma;
    }
    BatchPlatform platform;
    FitContext ctx{platform, weight ? kWeightingOn : kWeightingOff};
    const PolyFitResult fit = FitPolynomial(ctx, order, sigma, y, x, n);
    std::vector<double> coefficients, errors;
    for (int k = 1; k <= order + 1; ++k) {
        coefficients.push_back(fit.singular ? NAN : fit.a[k]);
        errors.push_back(fit.singular ? NAN : fit.err[k]);
    }
    const Record out = Record::Object()
                           .add("coefficients", Record::Numbers(coefficients))
                           .add("errors", Record::Numbers(errors))
                           .add("chi2", Record::Number(fit.singular ? NAN : fit.chi2))
                           .add("reducedChi2", Record::Number(fit.singular ? NAN : fit.reducedChi2));
    std::printf("%s\n", RecordJson(out).c_str());
    return 0;
}

} // namespace zeb::cli
