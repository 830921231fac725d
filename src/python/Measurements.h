// What the Python module loads and evaluates, without Python: files loaded into
// one measurement as zebstat-batch eval loads them (review dialogs answered
// "Continue without any change", messages kept and never printed), evaluated
// with typed options as the batch tool evaluates, and the outcome as records
// and plain values.
#pragma once

#include "data/MeasurementLoader.h"
#include "evaluation/OptionTable.h"
#include "evaluation/UncertaintyReport.h"
#include "export/FormFactorRecord.h"
#include "export/Record.h"
#include "platform/ScriptedPlatform.h"
#include "plot/EvaluationView.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zeb::python {

// A load that failed or was refused: the text of the message that said why,
// and every message shown until then.
struct LoadFailure {
    std::string text;
    std::vector<RecordedMessage> messages;
};

// A file as it was when it was loaded, to notice a later change.
struct FileStamp {
    std::string path;
    std::uintmax_t sizeBytes = 0;
    std::int64_t modifiedNs = 0;
};

struct Loaded {
    std::vector<std::string> files;
    std::vector<FileStamp> stamps;
    std::shared_ptr<const LoadedMeasurement> measurement;
    std::vector<RecordedMessage> messages;  // shown while loading
};

// Throws LoadFailure.
Loaded LoadMeasurement(const std::vector<std::string>& files);

// Why the loaded measurement is no longer what its files hold (a file gone or
// changed since it was loaded); nothing when they are as they were.
std::optional<std::string> ChangedSinceLoaded(const Loaded& loaded);

// The options of one evaluation: the evaluation's own, k as typed in the
// window's unit, and the chart's.
struct Request {
    EvaluationOptions evaluation;
    std::optional<double> kDisplayed;
    std::optional<std::pair<double, double>> xRange, yRange;
    std::vector<int> formFactorModels;
    std::string userFormFactorFile;
    int representation = 11;
    UncertaintyOptions uncertainty;  // the bootstrap's resamples and seed
};

// The plotted points of a measurement (concentration and angle from 1) or of an
// extrapolation (concentration 0: the line to c = 0; angle 0: the line to q = 0).
struct PointColumns {
    std::vector<double> x, y, yHigh, yLow;
    std::vector<std::uint8_t> active;
    std::vector<int> conc, angle;
    void add(const DataPoint& p, int c, int a);
};

struct Evaluated {
    std::shared_ptr<const EvaluationView> view;
    Record results;  // `eval --json`, with its "ci95" and "advice"
    UncertaintyReport uncertainty;
    std::vector<RecordedMessage> messages;
    PointColumns points;  // the measured points
    PointColumns toC0;    // the extrapolated points at c = 0, per angle
    PointColumns toQ0;    // ... at q = 0, per concentration
    // The double extrapolation (x, y): found along the line to q = 0 and along
    // the line to c = 0; absent when not calculated.
    std::optional<std::pair<double, double>> q0Intercept, c0Intercept;
};

// Evaluates the loaded measurement (throws LoadFailure when a file changed
// since it was loaded, OptionError for options the data cannot take, with the
// keywords' names).
Evaluated Evaluate(const Loaded& loaded, const Request& request);

// The form factors fitted to the points at c = 0 of an evaluation (models
// 1..5; a user model reads its table, LoadFailure when it cannot).
Record FitFormFactorsOf(const Evaluated& evaluated, const std::vector<int>& models, const std::string& userTable);

// The form factors as `zebstat-batch formfactor` gives them; throws LoadFailure
// when the user table cannot be read.
Record FormFactor(const FormFactorRequest& request);

// Runs the numbers on this thread in the C locale, whatever the embedding
// program set.
class CNumbersOnThisThread {
public:
    CNumbersOnThisThread();
    ~CNumbersOnThisThread();
    CNumbersOnThisThread(const CNumbersOnThisThread&) = delete;
    CNumbersOnThisThread& operator=(const CNumbersOnThisThread&) = delete;

private:
    void* previous_ = nullptr;
    void* own_ = nullptr;
};

} // namespace zeb::python
