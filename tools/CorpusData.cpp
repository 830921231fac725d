#include "CorpusData.h"

#include "ExampleData.h"

#include <fstream>

namespace zeb::examples {

namespace {

std::vector<double> steps(double from, double to, double step) {
    std::vector<double> v;
    for (double x = from; x <= to + 1e-9; x += step) v.push_back(x);
    return v;
}

std::vector<double> concentrations(int n, double first, double step) {
    std::vector<double> v;
    for (int i = 0; i < n; ++i) v.push_back(first + step * i);
    return v;
}

} // namespace

std::vector<std::string> CorpusFileNames() {
    return {"grid-99x135.sta", "two-conc.sta", "gaps.sta", "many-conc.asc", "sources.plx", "wide-angles.plt"};
}

std::string CorpusFile(const std::string& name) {
    const PolymerModel large = PolystyreneLarge();
    const PolymerModel small = PolystyreneSmall();
    if (name == "grid-99x135.sta") {
        // The largest grid a file gives: 99 concentrations at 135 angles.
        return RecordFileBytes(
            ModelRecords(large, concentrations(99, 0.2e-3, 0.05e-3), steps(20.0, 154.0, 1.0), true, 11));
    }
    if (name == "two-conc.sta") {
        // Two concentrations at four angles: the c fits have no spare points.
        return RecordFileBytes(ModelRecords(large, {1.0e-3, 2.0e-3}, {40, 70, 100, 130}, true, 12));
    }
    if (name == "gaps.sta") {
        // Static and dynamic records where some values are missing.
        auto records = ModelRecords(large, {0.5e-3, 1.0e-3, 1.5e-3}, steps(30, 140, 10), true, 13);
        for (std::size_t i = 0; i < records.size(); i += 5) records[i].kcr = 0.0f;
        for (std::size_t i = 2; i < records.size(); i += 7) records[i].dapp[1] = 0.0f;
        return RecordFileBytes(records);
    }
    if (name == "many-conc.asc") return AscText(small, concentrations(12, 0.5e-3, 0.5e-3), steps(25, 145, 8), 14);
    if (name == "sources.plx")
        return PlxText(large, {0.4e-3, 0.8e-3, 1.2e-3, 1.6e-3, 2.0e-3}, steps(20, 150, 5),
                       {"a.sta", "b.sta", "c.sta", "d.sta", "e.sta"}, 15);
    if (name == "wide-angles.plt") return PltText(small, {1.0e-3, 3.0e-3, 5.0e-3}, steps(15, 155, 20), 16);
    return {};
}

bool WriteCorpusFiles(const std::string& dir) {
    for (const auto& name : CorpusFileNames()) {
        std::ofstream out(dir + "/" + name, std::ios::binary | std::ios::trunc);
        const std::string bytes = CorpusFile(name);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return false;
    }
    return true;
}

} // namespace zeb::examples
