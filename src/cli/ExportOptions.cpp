#include "cli/ExportOptions.h"

#include "texts/CommonTexts.h"
#include "texts/ExportTexts.h"
#include "cli/Commands.h"
#include "data/PltPlxWriter.h"
#include "export/ExportText.h"
#include "platform/AtomicFile.h"
#include "platform/ScriptedPlatform.h"
#include "platform/WriteError.h"
#include "plot/EvaluationView.h"

#include <cctype>
#include <cstdio>
#include <optional>

namespace zeb::cli {

namespace {

const std::string& fileNameOf(const std::vector<std::string>& args, std::size_t& i) {
    if (i + 1 >= args.size() || args[i + 1].empty()) throw UsageError{args[i] + " needs a file name"};
    return args[++i];
}

// The concentration numbers of --choose: digits separated by blanks, nothing
// else. A number of more than six digits is no concentration of any window.
std::vector<int> chosenNumbers(const std::string& text) {
    const UsageError bad{"--choose takes concentration numbers separated by blanks, not \"" + text + "\""};
    std::vector<int> numbers;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) throw bad;
        const std::size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        const std::string digits = text.substr(start, i - start);
        const auto first = digits.find_first_not_of('0');
        if (first != std::string::npos && digits.size() - first > 6)
            throw UsageError{"--choose " + digits + ": no such concentration"};
        numbers.push_back(std::stoi(digits));
    }
    if (numbers.empty()) throw UsageError{"--choose needs concentration numbers separated by blanks"};
    return numbers;
}

bool hasPlxExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || name.size() - dot != 4) return false;
    std::string ext = name.substr(dot + 1);
    for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return ext == "plx";
}

bool writeText(const std::string& path, const std::string& text) {
    const WriteResult written = WriteFileAtomically(path, text);
    if (written) return true;
    std::fprintf(stderr, "zebstat-batch: could not write %s\n", FileAndReason(path, written).c_str());
    return false;
}

} // namespace

bool ParseExportOption(const std::vector<std::string>& args, std::size_t& i, ExportOptions& o) {
    const std::string& a = args[i];
    if (a == "--choose") {
        if (i + 1 >= args.size()) throw UsageError{"--choose needs concentration numbers separated by blanks"};
        // A second --choose replaces the first, as typing the numbers again does.
        o.chosen = chosenNumbers(args[++i]);
        o.choose = true;
        return true;
    }
    if (a == "--export-asc") {
        o.ascFile = fileNameOf(args, i);
        return true;
    }
    if (a == "--export-rat") {
        o.ratFile = fileNameOf(args, i);
        return true;
    }
    if (a == "--export-plx") {
        const std::string& path = fileNameOf(args, i);
        if (!hasPlxExtension(path)) throw UsageError{"--export-plx: \"" + path + "\" must end in .plx"};
        o.plxFile = path;
        return true;
    }
    return false;
}

void CheckExportOptions(const ExportOptions& o) {
    if (o.choose) return;
    if (!o.ascFile.empty()) throw UsageError{"--export-asc needs --choose"};
    if (!o.ratFile.empty()) throw UsageError{"--export-rat needs --choose"};
}

void ApplyChosenConcentrations(EvaluationView& view, const ExportOptions& o) {
    if (!o.choose) return;
    const int last = view.evaluation().set.lastConcIndex;
    for (int c : o.chosen)
        if (c > last)
            throw UsageError{"--choose " + std::to_string(c) + ": no such concentration (1.." + std::to_string(last) +
                             ", 0: extrapolated to c = 0)"};
    view.choose(o.chosen);  // a number typed twice is chosen once
}

int WriteExports(const EvaluationView& view, Platform& platform, const ExportOptions& o) {
    const Evaluation& e = view.evaluation();
    int status = 0;
    if (!o.ascFile.empty()) {
        const std::string text = BuildAsciiExport(e.set, view.chosen(), PlotTypeNumber(e.options.plotType), &e.fits.lineC0);
        if (!writeText(o.ascFile, text)) status = 1;
    }
    if (!o.ratFile.empty()) {
        const std::optional<std::string> text = BuildScatteringRatioExport(e.set, view.chosen());
        if (!text) {
            platform.inform(tx::RatioNoData, tx::CapZebStat, MsgIcon::Information);
            status = 1;
        } else if (!writeText(o.ratFile, *text)) {
            status = 1;
        }
    }
    if (!o.plxFile.empty()) {
        PltPlxWriteRequest request;
        request.mode = PltPlxMode::Plx;
        request.base = 0;  // the whole window
        request.fileName = o.plxFile;
        WriteResult written;
        if (WritePltPlxFile(platform, e.set, request, &written) != kWriteDone) {
            std::fprintf(stderr, "zebstat-batch: could not write %s\n", FileAndReason(o.plxFile, written).c_str());
            status = 1;
        }
    }
    return status;
}

} // namespace zeb::cli
