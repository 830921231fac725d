// The loaded measurement set as JSON (zebstat-batch eval --dump): every
// existing cell in internal units, and the messages shown while loading.
#pragma once

#include <string>
#include <vector>

namespace zeb {
class MeasurementSet;
struct RecordedMessage;
}

namespace zeb::cli {

std::string DumpJson(const MeasurementSet& set, const std::vector<RecordedMessage>& messages);

// [{"caption": ..., "text": ...}, ...]
std::string MessagesJson(const std::vector<RecordedMessage>& messages);

} // namespace zeb::cli
