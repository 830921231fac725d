// The uncertainty of an evaluation for other programs and as text:
//
//   "ci95": {"level": 0.95,
//            "propagation": {"MwC": [low, high], ..., "notDetermined": {"MwQ2": "why"}},
//            "bootstrapBCa": {...}, "bootstrapPercentile": {...},
//            "bootstrap": {"seed": 1, "resamples": 2000, "completed": 2000}}
//   "advice": [{"direction": "q2", "chosenOrder": 1, "suggestedOrder": 2, "result": "RgNm",
//               "chosenValue", "suggestedValue", "suggestedInterval": [low, high],
//               "changePercent", "pValue", "text"}, ...]
//   "formFactorFits": {"points": 13, "best": "coil-md",
//                      "models": [{"model", "MwGPerMol", "MwInterval", "RgNm", "RgInterval",
//                                  "sizeNm", "chi2", "reducedChi2", "rmsPercent", "converged",
//                                  "notDetermined"}, ...]}
//
// Results are named as --json names them (MwC, MwQ2, RgNm, A2, DzC, DzQ2, CS2,
// kD, RhNm) in the units the results show; an interval that cannot be given is
// null with its reason under "notDetermined".
#pragma once

#include "evaluation/UncertaintyReport.h"
#include "export/Record.h"

#include <string>

namespace zeb {

// "MwC", "RgNm", ... as --json names the results.
const char* ResultKey(ResultKind kind);

Record IntervalsRecord(const UncertaintyReport& report);
// Adds "ci95", "advice" and (when fitted) "formFactorFits" to the results of
// --json, before their axes and messages.
void AddUncertaintyMembers(Record& results, const UncertaintyReport& report);
Record AdviceRecord(const OrderAdvice& advice);
Record FormFactorFitsRecord(const FormFactorFits& fits);

// The intervals as a text section (the batch tool's --ci, the results window):
// a line per result with the value, the propagated and the bootstrap
// interval ("---" and the reason where there is none), then the advice.
std::string UncertaintyText(const UncertaintyReport& report);
// The advice as lines of plain words (empty when the chosen orders suit the data).
std::string AdviceText(const OrderAdvice& advice);
// The form-factor fits as a text table (FormFactorFitTable.h: as the plot
// window shows them).
std::string FormFactorFitsText(const FormFactorFits& fits);

} // namespace zeb
