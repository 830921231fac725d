// Many measurements at once, for the Python module's evaluate_many and table:
// the work runs on `jobs` threads (the calling one among them), each in the C
// locale, and comes back in the order given. Nothing here touches Python: the
// module calls these with the interpreter lock released.
#pragma once

#include "python/Measurements.h"
#include "series/SeriesManifest.h"
#include "series/SeriesRow.h"

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace zeb::python {

// One measurement of evaluate_many: a group of files to load, or a measurement
// loaded before (its files are not read again).
struct ManyItem {
    std::vector<std::string> files;
    std::shared_ptr<const Loaded> loaded;  // null: the files are loaded
    std::string problem;                   // why it cannot be evaluated at all (a folder without measurements)
};

// A measurement that could not be loaded or evaluated: its files, why, and the
// messages shown until then.
struct Failure {
    std::vector<std::string> files;
    std::string error;
    std::vector<RecordedMessage> messages;
};

using Outcome = std::variant<std::shared_ptr<const Evaluated>, Failure>;

// Each item evaluated with the request, in the items' order; `each` runs on the
// calling thread after each (an exception from it stops the run).
std::vector<Outcome> EvaluateMany(const std::vector<ManyItem>& items, const Request& request, unsigned jobs,
                                  const std::function<void()>& each);

// The row of the series table of each entry (as `zebstat-batch series` gives
// it), handed to `row` on the calling thread in the entries' order.
void SeriesRows(const std::vector<SeriesEntry>& entries, const SeriesOptions& options, unsigned jobs,
                const std::function<void(Record&&)>& row);

} // namespace zeb::python
