// The evaluation the Python module wraps, called from C++ on the largest grid
// (99 concentrations × 135 angles, Zimm, q and c order 2): loading the file
// again and evaluating it, as Measurement.evaluate does.
#include "ExampleData.h"
#include "python/Evaluation.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

void BM_PythonModuleEvaluateNative(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / ("zebstat-bench-py-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string sta = (dir / "max.sta").string();
    std::ofstream(sta, std::ios::binary) << zeb::examples::MaximalRecordFile();
    const zeb::python::Loaded loaded = zeb::python::LoadMeasurement({sta});
    zeb::cli::AnalysisOptions options;
    options.plotType = zeb::PlotType::Zimm;
    options.qOrder = 2;
    options.cOrder = 2;
    for (auto _ : state) {
        auto evaluated = zeb::python::Evaluate(loaded, options, {});
        benchmark::DoNotOptimize(evaluated.resultsJson.data());
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_PythonModuleEvaluateNative)->Unit(benchmark::kMillisecond);

} // namespace
