#include "analysis/UserFormFactor.h"

#include "analysis/NumberText.h"
#include "app/texts/AnalysisTexts.h"
#include "app/texts/FormFactorTexts.h"

#include <fstream>
#include <new>

namespace zeb {

namespace {

constexpr std::size_t kLineChars = 98;
constexpr double kPerMicrometreToPerCm = 1e4;

enum class LineKind { Skip, Data, Invalid };

LineKind classify(std::string line, double& q, double& pz) {
    if (line.size() > kLineChars) line.resize(kLineChars);
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return LineKind::Skip;
    const char c = line[first];
    if (c == '/' || c == '\0' || c == '\n' || c == '\r') return LineKind::Skip;
    return ScanNumbers(line.c_str() + first, "%lf %lf", &q, &pz) == 2 ? LineKind::Data : LineKind::Invalid;
}

// One reading of the file: counts the pairs, and stores them when q and pz are given.
FfuResult readPass(const std::string& path, std::size_t& count, std::vector<double>* q, std::vector<double>* pz) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return FfuResult::CannotOpen;
    count = 0;
    std::string line;
    while (std::getline(in, line)) {
        double qv = 0.0, pzv = 0.0;
        switch (classify(line, qv, pzv)) {
        case LineKind::Skip: break;
        case LineKind::Invalid: return FfuResult::InvalidLine;
        case LineKind::Data:
            if (q && count < q->size()) {
                (*q)[count] = qv * kPerMicrometreToPerCm;
                (*pz)[count] = pzv;
            }
            ++count;
            break;
        }
    }
    return FfuResult::Ok;
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

void UserFormFactor::Release() {
    spline.Release();
    qPerCm.clear();
    pz.clear();
    loaded = false;
}

FfuResult LoadUserFormFactor(const std::string& path, UserFormFactor& out) {
    out.Release();
    std::size_t count = 0;
    FfuResult r = readPass(path, count, nullptr, nullptr);
    if (r != FfuResult::Ok) return r;
    if (count < 4) return FfuResult::TooFewPairs;
    try {
        out.qPerCm.assign(count, 0.0);
        out.pz.assign(count, 0.0);
        std::size_t second = 0;
        r = readPass(path, second, &out.qPerCm, &out.pz);
        if (r == FfuResult::Ok && second != count) r = FfuResult::CountChanged;
        if (r == FfuResult::Ok && !out.spline.Setup(out.qPerCm, out.pz, kUserSplineSmoothing))
            r = FfuResult::SplineFailed;
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
