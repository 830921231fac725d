// Reading a maximal record file (99 concentrations × 135 angles, review
// answered "Continue") and writing plus reading back a PLX file of that set;
// reading PLT, PLX and ASC files of that size (bytes per second reported).
#include "ExampleData.h"
#include "data/PltPlxWriter.h"
#include "data/DataWindow.h"
#include "platform/ScriptedPlatform.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

struct MaximalFile {
    std::string dir;
    std::string sta, plt, plx, asc;
    MaximalFile() {
        dir = (std::filesystem::temp_directory_path() / ("zebstat-bench-" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(dir);
        sta = dir + "/max.sta";
        std::ofstream(sta, std::ios::binary) << zeb::examples::MaximalRecordFile();
        std::vector<double> conc, angles;
        for (int c = 1; c <= 99; ++c) conc.push_back(1e-5 * c);
        for (int a = 0; a < 135; ++a) angles.push_back(10.0 + a);
        const auto model = zeb::examples::PolystyreneLarge();
        plt = dir + "/max.plt";
        std::ofstream(plt, std::ios::binary) << zeb::examples::PltText(model, conc, angles, 9);
        plx = dir + "/max.plx";
        std::ofstream(plx, std::ios::binary)
            << zeb::examples::PlxText(model, conc, angles, std::vector<std::string>(conc.size(), "max.sta"), 9);
        asc = dir + "/max.asc";
        std::ofstream(asc, std::ios::binary) << zeb::examples::AscText(model, conc, angles, 9);
    }
    ~MaximalFile() { std::filesystem::remove_all(dir); }
};

const MaximalFile& File() {
    static const MaximalFile file;
    return file;
}

// The window's load of path: the file is read and its reader run (the review
// and the concentration table take the file as it is).
int Read(zeb::DataWindow& window, zeb::ScriptedPlatform& platform, const std::string& path) {
    platform.openAnswers.push_back(path);
    return window.LoadDataFile();
}

void BM_ReadMaximalRecordFile(benchmark::State& state) {
    const auto& file = File();
    for (auto _ : state) {
        zeb::ScriptedPlatform platform;
        zeb::DataWindow window(platform);
        if (Read(window, platform, file.sta) != 1 || window.set().lastConcIndex != 99 ||
            window.set().lastAngleIndex != 135)
            state.SkipWithError("the maximal record file did not load");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file.sta)));
}
BENCHMARK(BM_ReadMaximalRecordFile)->Unit(benchmark::kMillisecond);

// A text file of 99 concentrations × 135 angles through its reader.
void ReadText(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        zeb::ScriptedPlatform platform;
        zeb::DataWindow window(platform);
        if (Read(window, platform, path) != 1 || window.set().lastConcIndex != 99 || window.set().lastAngleIndex != 135)
            state.SkipWithError(("did not load " + path).c_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

void BM_ReadMaximalPlt(benchmark::State& state) { ReadText(state, File().plt); }
BENCHMARK(BM_ReadMaximalPlt)->Unit(benchmark::kMillisecond);
void BM_ReadMaximalPlx(benchmark::State& state) { ReadText(state, File().plx); }
BENCHMARK(BM_ReadMaximalPlx)->Unit(benchmark::kMillisecond);
void BM_ReadMaximalAsc(benchmark::State& state) { ReadText(state, File().asc); }
BENCHMARK(BM_ReadMaximalAsc)->Unit(benchmark::kMillisecond);

void BM_WriteAndReadBackPlx(benchmark::State& state) {
    const auto& file = File();
    zeb::ScriptedPlatform platform;
    zeb::DataWindow loaded(platform);
    Read(loaded, platform, file.sta);
    zeb::PltPlxWriteRequest request;
    request.fileName = file.dir + "/max.plx";
    for (auto _ : state) {
        zeb::ScriptedPlatform p;
        zeb::DataWindow window(p);
        if (zeb::WritePltPlxFile(platform, loaded.set(), request) != zeb::kWriteDone ||
            Read(window, p, *request.fileName) != 1 || window.set().lastConcIndex != 99)
            state.SkipWithError("the PLX round trip failed");
    }
}
BENCHMARK(BM_WriteAndReadBackPlx)->Unit(benchmark::kMillisecond);

} // namespace
