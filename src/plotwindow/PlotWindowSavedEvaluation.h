// A plot window and a saved evaluation: what the window holds as an
// evaluation, and a window rebuilt from one (its files loaded through the load
// sequence, as "&Load new file... " and "&Add data file..." load them, review
// dialogs included; then its settings through the window's handlers).
#pragma once

#include "session/EvaluationCapture.h"

#include <optional>
#include <string>

namespace zeb {

class PlotWindow;

// Why the window cannot be saved as an evaluation whatever the file: pasted
// data, or data corrected for reflection; nullopt when it can.
std::optional<std::string> EvaluationRefusal(const PlotWindow& window);

// The evaluation of the window for a .zeb file at zebPath (absolute). Refused
// for pasted data, for data corrected for reflection, when a data file has
// changed since it was loaded and when zebPath names one of the data files.
EvaluationCapture CaptureEvaluation(const PlotWindow& window, const std::string& zebPath);

// Loads the evaluation's files into a new window: the first as its first load,
// the others added. False when one did not load; the load has said why, a
// message names the file, and the window is to be closed.
bool LoadEvaluationFiles(PlotWindow& window, const SavedEvaluation& evaluation, const std::string& zebPath);

// The evaluation's settings on a window holding its data: switched-off points,
// weighting, smoothing, k, plot type, orders and the form-factor view, each as
// its handler sets it. What does not fit the data (a point that does not
// exist, a plot type without values, a k the chart cannot show, a form-factor
// view) is left out and named in a message.
void ApplyEvaluation(PlotWindow& window, const SavedEvaluation& evaluation, const std::string& zebPath);

} // namespace zeb
