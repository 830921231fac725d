// zebstat-batch series [options] INPUT... | --manifest FILE.csv: many
// measurements into one table, one row per measurement, in the order given,
// evaluated on all cores. A measurement that fails gives its row with the
// error and the others go on; the exit status is 1 when any failed.
#include "cli/AnalysisOptions.h"
#include "cli/Commands.h"
#include "data/FileAccess.h"
#include "platform/PathName.h"
#include "series/OrderedRunner.h"
#include "series/SeriesInputs.h"
#include "series/SeriesManifest.h"
#include "series/SeriesRow.h"
#include "series/SeriesTable.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace zeb::cli {

namespace {

struct SeriesArgs {
    std::vector<std::string> inputs;
    std::string manifest;
    TableFormat format = TableFormat::Csv;
    unsigned jobs = 0;  // 0: the number of cores
    std::optional<bool> progress;  // none: when standard error is a terminal
    AnalysisOptions analysis;
};

SeriesArgs parse(const std::vector<std::string>& args) {
    SeriesArgs s;
    bool onlyInputs = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyInputs || a.empty() || a[0] != '-' || a == "-") {
            s.inputs.push_back(a);
            continue;
        }
        if (a == "--") {
            onlyInputs = true;
            continue;
        }
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
            return args[++i];
        };
        if (a == "--manifest") {
            s.manifest = value();
        } else if (a == "--format") {
            const std::string& v = value();
            const auto format = TableFormatNamed(v);
            if (!format) throw UsageError{"--format must be csv, tsv or jsonl, not \"" + v + "\""};
            s.format = *format;
        } else if (a == "--jobs") {
            const std::string& v = value();
            if (v.empty() || v.size() > 4 || v.find_first_not_of("0123456789") != std::string::npos || std::stoi(v) < 1)
                throw UsageError{"--jobs needs a number of threads from 1, not \"" + v + "\""};
            s.jobs = static_cast<unsigned>(std::stoi(v));
        } else if (a == "--progress" || a == "--no-progress") {
            s.progress = a == "--progress";
        } else if (a == "--deactivate" || a == "--results" || a == "--json") {
            throw UsageError{a + " is an option of eval, not of series"};
        } else if (!ParseAnalysisOption(args, i, s.analysis)) {
            throw UsageError{"unknown option " + a};
        }
    }
    if (s.manifest.empty() && s.inputs.empty()) throw UsageError{"series needs FILEs, folders or --manifest FILE.csv"};
    if (!s.manifest.empty() && !s.inputs.empty())
        throw UsageError{"series takes either --manifest or FILEs and folders, not both"};
    return s;
}

// "\rseries: [#######.............] 412/1000  38.2 per s  1 failed" on standard error.
void showProgress(std::size_t done, std::size_t total, std::size_t failed, double seconds) {
    constexpr int kWidth = 30;
    const int filled = total ? static_cast<int>(kWidth * done / total) : kWidth;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.resize(kWidth, '.');
    std::fprintf(stderr, "\rseries: [%s] %zu/%zu  %.1f per s  %zu failed ", bar.c_str(), done, total,
                 seconds > 0 ? static_cast<double>(done) / seconds : 0.0, failed);
    std::fflush(stderr);
}

} // namespace

int RunSeries(const std::vector<std::string>& args) {
    const SeriesArgs s = parse(args);
    SeriesList entries;
    if (!s.manifest.empty()) {
        const FileBytes file = ReadFileBytes(s.manifest, kMaxManifestBytes);
        if (!file.ok()) {
            std::fprintf(stderr, "zebstat-batch: the manifest cannot be read: %s\n",
                         file.status == FileBytes::Status::TooLarge
                             ? TooLargeDetail(s.manifest, file, kMaxManifestBytes).c_str()
                             : CannotReadDetail(s.manifest, file).c_str());
            return 1;
        }
        std::error_code ec;
        const auto absolute = std::filesystem::absolute(s.manifest, ec);
        ManifestParse parsed = ParseSeriesManifest(file.bytes, ec ? FolderOf(s.manifest) : absolute.parent_path().string());
        if (!parsed.ok()) throw UsageError{s.manifest + ": " + parsed.error};
        for (SeriesEntry& e : parsed.entries) entries.add(std::move(e));
    } else {
        entries = SeriesListOf(s.inputs);
    }

    SeriesOptions options;
    options.evaluation = s.analysis.evaluation;
    options.kDisplayed = s.analysis.kDisplayed;
    options.intervals = s.analysis.ci;
    const unsigned jobs = s.jobs ? s.jobs : std::max(1u, std::thread::hardware_concurrency());
    const bool progress = s.progress.value_or(::isatty(STDERR_FILENO) == 1);
    const auto start = std::chrono::steady_clock::now();
    auto lastShown = start;
    std::size_t failed = 0;

    std::fputs(TableHeader(s.format, options.intervals).c_str(), stdout);
    RunOrdered<Record>(
        entries.size(), jobs, [&](std::size_t i) { return EvaluateSeriesEntry(entries.entry(i), options); },
        [&](std::size_t i, Record&& row) {
            if (RowFailed(row)) ++failed;
            std::fputs(TableLine(row, s.format).c_str(), stdout);
            const auto now = std::chrono::steady_clock::now();
            if (progress && (now - lastShown > std::chrono::milliseconds(100) || i + 1 == entries.size())) {
                lastShown = now;
                showProgress(i + 1, entries.size(), failed, std::chrono::duration<double>(now - start).count());
            }
        });
    if (progress) std::fputc('\n', stderr);
    std::fflush(stdout);
    return failed ? 1 : 0;
}

} // namespace zeb::cli
