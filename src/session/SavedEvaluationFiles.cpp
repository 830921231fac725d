#include "session/SavedEvaluationFiles.h"

#include "data/FileAccess.h"
#include "session/Sha256.h"

#include <cerrno>
#include <sys/stat.h>

namespace zeb {

namespace {

// No data file of any format is larger; a file that is, is not hashed.
constexpr std::uint64_t kLargestDataFile = 16u << 20;

DataFileState check(const EvaluationDataFile& saved, const std::string& zebPath) {
    DataFileState s;
    s.resolvedPath = ResolveEvaluationPath(saved.path, zebPath);
    struct stat st {};
    if (::stat(s.resolvedPath.c_str(), &st) != 0) {
        s.reason = SystemReason(errno);
        return s;
    }
    if (!S_ISREG(st.st_mode)) {
        s.reason = SystemReason(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        return s;
    }
    if (static_cast<std::uint64_t>(st.st_size) != saved.sizeBytes) {
        s.state = DataFileState::State::Changed;
        return s;
    }
    if (saved.sizeBytes > kLargestDataFile) {
        s.reason = "larger than any data file";
        return s;
    }
    int error = 0;
    const auto digest = DigestOfFile(s.resolvedPath, &error);
    if (!digest) {
        s.reason = SystemReason(error);
        return s;
    }
    s.state = digest->sizeBytes == saved.sizeBytes && digest->sha256 == saved.sha256 ? DataFileState::State::AsSaved
                                                                                       : DataFileState::State::Changed;
    return s;
}

} // namespace

bool EvaluationFileCheck::anyMissing() const {
    for (const auto& f : files)
        if (f.state == DataFileState::State::Missing) return true;
    return false;
}

bool EvaluationFileCheck::anyChanged() const {
    for (const auto& f : files)
        if (f.state == DataFileState::State::Changed) return true;
    return false;
}

std::string EvaluationFileCheck::listOf(DataFileState::State state) const {
    std::string out;
    for (const auto& f : files)
        if (f.state == state)
            out += f.resolvedPath + (f.reason.empty() || state != DataFileState::State::Missing ? "" : ": " + f.reason) + "\n";
    return out;
}

EvaluationFileCheck CheckEvaluationFiles(const SavedEvaluation& e, const std::string& zebPath) {
    EvaluationFileCheck result;
    for (const auto& f : e.files) result.files.push_back(check(f, zebPath));
    if (e.formFactor && e.formFactor->userFile) result.files.push_back(check(*e.formFactor->userFile, zebPath));
    return result;
}

std::optional<EvaluationDataFile> DescribeDataFile(const std::string& path, const std::string& zebPath,
                                                   std::string* reason) {
    int error = 0;
    const auto digest = DigestOfFile(path, &error);
    if (!digest) {
        if (reason) *reason = path + ": " + SystemReason(error);
        return std::nullopt;
    }
    EvaluationDataFile f;
    f.path = PathForEvaluation(path, zebPath);
    f.sizeBytes = digest->sizeBytes;
    f.sha256 = digest->sha256;
    return f;
}

} // namespace zeb
