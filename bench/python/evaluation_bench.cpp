// The evaluation the Python module wraps, called from C++ on the largest grid
// (99 concentrations × 135 angles, Zimm, q and c order 2): evaluating the
// loaded measurement and building its results, as Measurement.evaluate does.
#include "ExampleData.h"
#include "python/Measurements.h"

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
    zeb::python::Request request;
    request.evaluation.plotType = zeb::PlotType::Zimm;
    request.evaluation.qOrder = request.evaluation.cOrder = zeb::FitOrder::Two;
    for (auto _ : state) {
        auto evaluated = zeb::python::Evaluate(loaded, request);
        benchmark::DoNotOptimize(evaluated.points.x.data());
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_PythonModuleEvaluateNative)->Unit(benchmark::kMillisecond);

} // namespace
