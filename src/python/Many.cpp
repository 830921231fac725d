#include "python/Many.h"

#include "series/OrderedRunner.h"
#include "texts/DataTexts.h"

#include <new>
#include <stdexcept>

namespace zeb::python {

namespace {

Outcome evaluateItem(const ManyItem& item, const Request& request) {
    if (!item.problem.empty()) return Failure{item.files, item.problem, {}};
    std::shared_ptr<const Loaded> loaded = item.loaded;
    const auto failure = [&](std::string why) {
        return Failure{item.files, std::move(why), loaded ? loaded->messages : std::vector<RecordedMessage>{}};
    };
    try {
        if (!loaded) loaded = std::make_shared<const Loaded>(LoadMeasurement(item.files));
        return std::make_shared<const Evaluated>(Evaluate(*loaded, request));
    } catch (const LoadFailure& e) {
        return Failure{item.files, e.text, e.messages};
    } catch (const OptionError& e) {
        return failure(e.text);
    } catch (const std::invalid_argument& e) {
        return failure(e.what());
    } catch (const std::bad_alloc&) {
        return failure(tx::ErrorAllocationMemory);
    }
}

} // namespace

std::vector<Outcome> EvaluateMany(const std::vector<ManyItem>& items, const Request& request, unsigned jobs,
                                  const std::function<void()>& each) {
    std::vector<Outcome> out;
    out.reserve(items.size());
    RunOrdered<Outcome>(
        items.size(), jobs,
        [&](std::size_t i) {
            CNumbersOnThisThread numbers;
            return evaluateItem(items[i], request);
        },
        [&](std::size_t, Outcome&& outcome) {
            out.push_back(std::move(outcome));
            each();
        });
    return out;
}

void SeriesRows(const std::vector<SeriesEntry>& entries, const SeriesOptions& options, unsigned jobs,
                const std::function<void(Record&&)>& row) {
    RunOrdered<Record>(
        entries.size(), jobs,
        [&](std::size_t i) {
            CNumbersOnThisThread numbers;
            return EvaluateSeriesEntry(entries[i], options);
        },
        [&](std::size_t, Record&& r) { row(std::move(r)); });
}

} // namespace zeb::python
