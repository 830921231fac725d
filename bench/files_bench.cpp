// Reading a maximal record file (99 concentrations × 135 angles, review
// answered "Continue") and writing plus reading back a PLX file of that set.
#include "ExampleData.h"
#include "data/PltPlxWriter.h"
#include "data/Readers.h"
#include "data/TFitF.h"
#include "platform/ScriptedPlatform.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

struct MaximalFile {
    std::string dir;
    std::string sta;
    MaximalFile() {
        dir = (std::filesystem::temp_directory_path() / ("zebstat-bench-" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(dir);
        sta = dir + "/max.sta";
        std::ofstream(sta, std::ios::binary) << zeb::examples::MaximalRecordFile();
    }
    ~MaximalFile() { std::filesystem::remove_all(dir); }
};

const MaximalFile& File() {
    static const MaximalFile file;
    return file;
}

int Read(zeb::TFitF& window, const std::string& path, int (*reader)(zeb::TFitF&)) {
    window.set().InitMeasurementSet();
    window.setCurrentPath(path);
    window.setLoading(true);
    return reader(window);
}

void BM_ReadMaximalRecordFile(benchmark::State& state) {
    const auto& file = File();
    for (auto _ : state) {
        zeb::ScriptedPlatform platform;
        zeb::TFitF window(platform);
        if (Read(window, file.sta, zeb::ReadRecordFile) != 1 || window.set().lastConcIndex != 99 ||
            window.set().lastAngleIndex != 135)
            state.SkipWithError("the maximal record file did not load");
    }
}
BENCHMARK(BM_ReadMaximalRecordFile)->Unit(benchmark::kMillisecond);

void BM_WriteAndReadBackPlx(benchmark::State& state) {
    const auto& file = File();
    zeb::ScriptedPlatform platform;
    zeb::TFitF loaded(platform);
    Read(loaded, file.sta, zeb::ReadRecordFile);
    zeb::PltPlxWriteRequest request;
    request.fileName = file.dir + "/max.plx";
    for (auto _ : state) {
        zeb::ScriptedPlatform p;
        zeb::TFitF window(p);
        if (zeb::WritePltPlxFile(platform, loaded.set(), request) != zeb::kWriteDone ||
            Read(window, *request.fileName, zeb::ReadPlxFile) != 1 || window.set().lastConcIndex != 99)
            state.SkipWithError("the PLX round trip failed");
    }
}
BENCHMARK(BM_WriteAndReadBackPlx)->Unit(benchmark::kMillisecond);

} // namespace
