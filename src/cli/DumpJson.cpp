#include "cli/DumpJson.h"

#include "cli/Json.h"
#include "data/MeasurementSet.h"
#include "platform/ScriptedPlatform.h"

namespace zeb::cli {

std::string MessagesJson(const std::vector<RecordedMessage>& messages) {
    std::vector<std::string> list;
    for (const auto& m : messages)
        list.push_back(json::object({{"caption", json::string(m.caption)}, {"text", json::string(m.text)}}));
    return json::array(list);
}

std::string DumpJson(const MeasurementSet& set, const std::vector<RecordedMessage>& messages) {
    std::vector<std::string> concentrations;
    for (int c = 1; c <= set.lastConcIndex; ++c) {
        const auto k = static_cast<std::size_t>(c);
        concentrations.push_back(json::object({{"index", std::to_string(c)},
                                               {"cGPerCm3", json::number(set.concentration[k])},
                                               {"viscosity", json::number(set.viscosity[k])},
                                               {"temperature", json::number(set.temperature[k])},
                                               {"source", json::string(set.sourceName[k])}}));
    }
    std::vector<double> q2;
    for (int a = 0; a <= set.lastAngleIndex; ++a) q2.push_back(set.q2[static_cast<std::size_t>(a)]);
    std::vector<std::string> cells;
    for (int c = 0; c <= set.lastConcIndex; ++c) {
        for (int a = 0; a <= set.lastAngleIndex; ++a) {
            const DataPoint* p = set.cell(c, a);
            if (!p) continue;
            cells.push_back(json::object({{"c", std::to_string(c)},
                                          {"a", std::to_string(a)},
                                          {"hasData", std::to_string(p->hasData)},
                                          {"active", std::to_string(p->active)},
                                          {"presence", std::to_string(p->presence)},
                                          {"originMark", std::to_string(p->originMark)},
                                          {"kcr", json::number(p->kcr)},
                                          {"kcrError", json::number(p->kcrError)},
                                          {"dappI", json::number(p->dappI)},
                                          {"dappIError", json::number(p->dappIError)},
                                          {"dappII", json::number(p->dappII)},
                                          {"dappIIError", json::number(p->dappIIError)},
                                          {"dappIII", json::number(p->dappIII)},
                                          {"dappIIIError", json::number(p->dappIIIError)},
                                          {"rSample", json::number(p->rSample)},
                                          {"rSampleError", json::number(p->rSampleError)},
                                          {"nSolvent", json::number(p->nSolvent)},
                                          {"wavelengthCm", json::number(p->wavelengthCm)}}));
        }
    }
    return json::object({{"sampleName", json::string(set.sampleName)},
                         {"solventName", json::string(set.solventName)},
                         {"lastConcIndex", std::to_string(set.lastConcIndex)},
                         {"lastAngleIndex", std::to_string(set.lastAngleIndex)},
                         {"concentrations", json::array(concentrations)},
                         {"q2PerCm2", json::numbers(q2)},
                         {"cells", json::array(cells)},
                         {"messages", MessagesJson(messages)}});
}

} // namespace zeb::cli
