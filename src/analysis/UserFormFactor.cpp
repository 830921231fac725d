#include "analysis/UserFormFactor.h"

#include "texts/AnalysisTexts.h"
#include "texts/FormFactorTexts.h"
#include "data/CFormat.h"
#include "data/FileAccess.h"
#include "data/TextLines.h"

#include <new>

namespace zeb {

namespace {

constexpr std::size_t kDataLineChars = 98;
constexpr std::size_t kMaxLineBytes = 4096;  // comments may be longer than data lines
constexpr double kPerMicrometreToPerCm = 1e4;

struct Pair {
    double q = 0.0;  // 1/µm as written
    double pz = 0.0;
    int line = 0;
};

struct Problem {
    FfuResult result;
    int line;
    std::string what;
};

// The pairs of the file; throws Problem.
std::vector<Pair> parse(std::string_view text) {
    if (const auto at = BinaryByteAt(text))
        throw Problem{FfuResult::InvalidLine, LineOfOffset(text, *at), "this is no text file"};
    std::vector<Pair> pairs;
    TextLineReader lines(text, kMaxLineBytes);
    std::string line;
    std::string previousQ, previousPz;  // the numbers of the last pair as written
    while (lines.next(line)) {
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '/' || line[first] == '\0') continue;
        const int n = lines.lineNumber();
        // Blanks after the numbers do not count against the length.
        line.erase(line.find_last_not_of(" \t") + 1);
        if (line.size() > kDataLineChars)
            throw Problem{FfuResult::InvalidLine, n, CFormat("a data line longer than %d characters", int(kDataLineChars))};
        const auto fields = SplitFields(std::string_view(line).substr(first), " \t");
        Pair p;
        p.line = n;
        if (fields.size() != 2 || !WholeDouble(fields[0], p.q) || !WholeDouble(fields[1], p.pz))
            throw Problem{FfuResult::InvalidLine, n, "a data line holds two numbers, q and Pz, and nothing else"};
        if (p.q < 0.0) throw Problem{FfuResult::InvalidLine, n, CFormat("q %g is negative", p.q)};
        // The file ends inside this line: its numbers may be cut.
        if (!lines.lineEnded() && !pairs.empty() && (LooksCut(fields[0], previousQ) || LooksCut(fields[1], previousPz)))
            throw Problem{FfuResult::InvalidLine, n, "the file ends inside the number \"" + std::string(fields[1]) + "\""};
        if (!pairs.empty() && p.q == pairs.back().q)
            throw Problem{FfuResult::SplineFailed, n, CFormat("q %g is listed twice (line %d)", p.q, pairs.back().line)};
        if (!pairs.empty() && p.q < pairs.back().q)
            throw Problem{FfuResult::SplineFailed, n,
                          CFormat("q %g is smaller than q %g on line %d: q must ascend", p.q, pairs.back().q,
                                  pairs.back().line)};
        previousQ = fields[0];
        previousPz = fields[1];
        pairs.push_back(p);
    }
    if (lines.tooLong()) throw Problem{FfuResult::InvalidLine, lines.lineNumber(), "the line is too long"};
    return pairs;
}

} // namespace

const char* FfuMessage(FfuResult result) {
    switch (result) {
    case FfuResult::CannotOpen: return tx::FfuCannotOpen;
    case FfuResult::InvalidLine: return tx::FfuInvalid;
    case FfuResult::TooFewPairs: return tx::FfuTooFewPairs;
    case FfuResult::NoMemory: return tx::SplineNoMemory;
    case FfuResult::CountChanged: return tx::FfuInternalLoadError;
    case FfuResult::SplineFailed: return tx::FfuSplineSetup;
    case FfuResult::Ok: break;
    }
    return "";
}

std::string FfuMessageText(FfuResult result, const UserFormFactor& failed) {
    std::string text = FfuMessage(result);
    if (!failed.problem.empty()) text += "\n" + failed.problem;
    return text;
}

void UserFormFactor::Release() {
    spline.Release();
    qPerCm.clear();
    pz.clear();
    loaded = false;
}

FfuResult LoadUserFormFactor(const std::string& path, UserFormFactor& out) {
    out.Release();
    out.problem.clear();
    const FileBytes file = ReadFileBytes(path, kMaxFormFactorFileBytes);
    if (file.status == FileBytes::Status::TooLarge) {
        out.problem = TooLargeDetail(path, file, kMaxFormFactorFileBytes);
        return FfuResult::CannotOpen;
    }
    if (!file.ok()) {
        out.problem = CannotReadDetail(path, file);
        return FfuResult::CannotOpen;
    }
    return ParseUserFormFactor(file.bytes, path, out);
}

FfuResult ParseUserFormFactor(std::string_view bytes, const std::string& path, UserFormFactor& out) {
    out.Release();
    out.problem.clear();
    FfuResult r = FfuResult::Ok;
    try {
        const std::vector<Pair> pairs = parse(bytes);
        if (pairs.size() < 4) {
            out.problem = CFormat("%s: %d data pairs", path.c_str(), static_cast<int>(pairs.size()));
            return FfuResult::TooFewPairs;
        }
        out.qPerCm.reserve(pairs.size());
        out.pz.reserve(pairs.size());
        for (const Pair& p : pairs) {
            out.qPerCm.push_back(p.q * kPerMicrometreToPerCm);
            out.pz.push_back(p.pz);
        }
        if (!out.spline.Setup(out.qPerCm, out.pz, kUserSplineSmoothing)) r = FfuResult::SplineFailed;
    } catch (const Problem& p) {
        out.Release();
        out.problem = path + CFormat(", line %d: ", p.line) + p.what;
        return p.result;
    } catch (const std::bad_alloc&) {
        r = FfuResult::NoMemory;
    }
    if (r != FfuResult::Ok) {
        out.Release();
        return r;
    }
    out.loaded = true;
    return FfuResult::Ok;
}

} // namespace zeb
