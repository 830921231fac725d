// Saved evaluations (.zeb): the strict reader refuses or accepts any bytes
// without a crash, and whatever it accepts is written back and read again to
// the same text (nothing read is lost or changed by the writer).
#include "session/SavedEvaluation.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const zeb::EvaluationParse parsed = zeb::ParseEvaluation(text);
    if (!parsed.evaluation) {
        if (parsed.problem.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    const std::string written = zeb::EvaluationJson(*parsed.evaluation);
    const zeb::EvaluationParse again = zeb::ParseEvaluation(written);
    if (!again.evaluation || zeb::EvaluationJson(*again.evaluation) != written) std::abort();
    return 0;
}
