// What the batch tool prints and the Python module returns of an evaluation,
// as records: the results (`eval --json`), the loaded set (`eval --dump`), the
// axes of the chart and the messages. Other programs read these keys: extend
// them, never rename.
#pragma once

#include "analysis/EvaluationResults.h"
#include "analysis/Extrapolation.h"
#include "evaluation/EvaluationOptions.h"
#include "export/Record.h"
#include "plot/AxisScaling.h"

#include <vector>

namespace zeb {

class MeasurementSet;
struct RecordedMessage;

// [{"caption": ..., "text": ...}, ...]
Record MessagesRecord(const std::vector<RecordedMessage>& messages);

// The set: sample and solvent, concentrations, q², every existing cell in
// internal units; the messages last.
Record SetRecord(const MeasurementSet& set, const std::vector<RecordedMessage>& messages);

// Per axis the plot range and ticks in stored units and the labels,
// multiplier and exponent as the chart draws them.
Record AxesRecord(const AxesState& axes);

// The options used (k in internal units, smoothing in effect), the results,
// the relative errors and result lines, every concentration with its apparent
// values and its fit over q², the two extrapolated lines, the axes (when
// given) and the messages, in this order.
Record ResultsRecord(const MeasurementSet& set, const EvaluationOptions& used, const ExtrapolationResult& fits,
                     const EvaluationResults& results, const AxesState* axes,
                     const std::vector<RecordedMessage>& messages);

} // namespace zeb
