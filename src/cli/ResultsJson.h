// The `--json` output of zebstat-batch eval: the window's analysis state and
// results as one JSON object. Other programs parse these keys: extend, never
// rename. Numbers carry 17 significant digits; absent values are null.
#pragma once

#include "cli/DumpJson.h"
#include "cli/Json.h"

#include <string>
#include <utility>
#include <vector>

namespace zeb {
class TFitF1;
struct RecordedMessage;
}

namespace zeb::cli {

using JsonMembers = std::vector<std::pair<std::string, std::string>>;

// The members in their order, "messages" last, so that a caller can insert
// further members (the axes) before it.
JsonMembers ResultsJsonMembers(const TFitF1& window, const std::vector<RecordedMessage>& messages);

} // namespace zeb::cli
