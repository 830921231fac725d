// The Python module `zebstat`: this program's evaluation for scripts and
// notebooks. Thin: every number comes from the same functions as zebstat-batch
// eval (python/Measurements.h); here the values become numpy arrays and Python
// objects, directly. The work itself runs without the interpreter lock.
#include "cli/ChartFileModule.h"
#include "export/ResultsRecord.h"
#include "plot/ChartExport.h"
#include "plot/PlotWindowGeometry.h"
#include "python/Arguments.h"
#include "python/Handles.h"
#include "python/Html.h"
#include "python/ManyBinding.h"
#include "python/PythonValues.h"

#include <pybind11/stl.h>

#include <algorithm>
#include <memory>

#ifdef ZEBSTAT_PYTHON_LINKS_QT
// The Qt canvas, linked in: it measures the text sizes of the screen picture.
extern "C" void zebstat_draw_chart(const zeb::ChartInputs* in, int what, int pngWidth, int pngHeight,
                                   std::string* bytes, zeb::ChartMetrics* metrics);
#endif

namespace py = pybind11;
using namespace zeb;
using namespace zeb::python;

namespace {

constexpr const char* kEvaluateDoc =
    "Evaluates the measurement as `zebstat-batch eval` with these options does.\n\n"
    "plot: zimm, berry, guinier (static) or d1, d2, d3 (dynamic); q_order, c_order: the orders 0..5 of the fits "
    "over q² and over c; k: the k of q² + k·c in the unit the window's field shows (1e-11 of cm⁻² per g/cm³), "
    "None: the automatic k; smooth, weight: smoothing and 1/σ² weighting of the fits; deactivate: (concentration, "
    "angle) pairs, counted from 1, left out of the fits; x_range, y_range: (low, high) of the chart's axes in the "
    "units their labels show; form_factor: coil-md, coil-pd, rod, sphere or user:FILE.FFU (several joined by "
    "commas) drawn with representation 1..12; bootstrap: the resamples of the bootstrap intervals (0: none), "
    "seed: its seed.\n"
    "Raises ValueError (TypeError for a value of the wrong kind) naming the keyword, and zebstat.LoadError when a "
    "file changed since it was loaded.";

std::vector<double> concentrationsOf(const Loaded& loaded) {
    const MeasurementSet& set = loaded.measurement->set;
    return std::vector<double>(set.concentration.begin() + 1,
                               set.concentration.begin() + 1 + std::max(0, static_cast<int>(set.lastConcIndex)));
}

std::vector<double> q2Of(const Loaded& loaded) {
    const MeasurementSet& set = loaded.measurement->set;
    return std::vector<double>(set.q2.begin() + 1, set.q2.begin() + 1 + std::max(0, static_cast<int>(set.lastAngleIndex)));
}

// The chart as --plot-file writes it: laid out with the text sizes of the
// screen picture, which the Qt canvas measures. The Qt side wants one thread
// at a time: it runs with the interpreter lock held.
std::string chartBytes(const EvaluationHandle& e, bool svg) {
    CNumbersOnThisThread numbers;
    const ChartInputs in = e.evaluated->view->chartInputs();
    ChartMetrics metrics;
    const ChartMetrics* measured = nullptr;
#ifdef ZEBSTAT_PYTHON_LINKS_QT
    const ScreenTarget screen = ChartScreenTarget(kInitialClientWidth, kInitialClientHeight);
    zebstat_draw_chart(&in, static_cast<int>(cli::ChartPicture::ScreenMetrics), screen.width, screen.height, nullptr,
                       &metrics);
    measured = &metrics;
#endif
    if (svg) return ChartToSvg(in, measured);
    const std::vector<std::uint8_t> wmf = ChartToPlaceableWmf(in, measured);
    if (wmf.empty()) throw std::runtime_error("the chart could not be drawn as a metafile");
    return std::string(reinterpret_cast<const char*>(wmf.data()), wmf.size());
}

std::string numberText(double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

} // namespace

PYBIND11_MODULE(zebstat, m) {
    m.doc() = "ZEBstat's evaluation of static and dynamic light scattering (Zimm, Berry, Guinier, D-I..D-III): "
              "load() and Measurement.evaluate() for one measurement, evaluate_many() and table() for many.";
    m.attr("__version__") = ZEBSTAT_VERSION;
    LoadErrorType() = PyErr_NewExceptionWithDoc("zebstat.LoadError",
                                                "A data file could not be loaded; the text is the program's message.",
                                                PyExc_Exception, nullptr);
    m.attr("LoadError") = py::handle(LoadErrorType());

    py::class_<MeasurementHandle>(m, "Measurement", "Data files loaded into one measurement, as in one plot window.")
        .def_property_readonly("files", [](const MeasurementHandle& s) { return s.loaded->files; },
                               "The paths of the files, in the order loaded (list of str).")
        .def_property_readonly("sample_name", [](const MeasurementHandle& s) { return s.loaded->measurement->set.sampleName; },
                               "The sample's name as the first file gives it (str).")
        .def_property_readonly("concentrations", [](const MeasurementHandle& s) { return array(concentrationsOf(*s.loaded)); },
                               "Concentrations 1..n in g/cm³ (numpy array).")
        .def_property_readonly("q2", [](const MeasurementHandle& s) { return array(q2Of(*s.loaded)); },
                               "q² of angles 1..n in 1/cm² (numpy array).")
        .def_property_readonly("messages", [](const MeasurementHandle& s) { return messageList(s.loaded->messages); },
                               "(caption, text) of each message shown while loading.")
        .def("dump", [](const MeasurementHandle& s) { return pythonOf(SetRecord(s.loaded->measurement->set, s.loaded->messages)); },
             "The loaded set with the keys (and units) of `zebstat-batch eval --dump`.")
        .def("evaluate",
             [](const MeasurementHandle& s, const std::string& plot, const py::object& qOrder, const py::object& cOrder,
                const py::object& k, bool smooth, bool weight, const py::object& deactivate, const py::object& xRange,
                const py::object& yRange, const py::object& formFactor, int representation, int bootstrap,
                std::uint64_t seed) {
                 CNumbersOnThisThread numbers;
                 Request request = evaluationRequest(plot, qOrder, cOrder, k, smooth, weight, deactivate);
                 chartRequest(request, xRange, yRange, formFactor, representation);
                 if (bootstrap < 0) throw py::value_error("bootstrap must be 0 (none) or a number of resamples");
                 request.uncertainty.bootstrap.resamples = bootstrap;
                 request.uncertainty.withBootstrap = bootstrap > 0;
                 request.uncertainty.bootstrap.seed = seed;
                 const std::shared_ptr<const Loaded> loaded = s.loaded;
                 auto evaluated =
                     std::make_shared<const Evaluated>(Unlocked([&] { return Evaluate(*loaded, request); }));
                 return EvaluationHandle{evaluated, pythonOf(evaluated->results)};
             },
             py::arg("plot") = "zimm", py::arg("q_order") = 1, py::arg("c_order") = 1, py::arg("k") = py::none(),
             py::arg("smooth") = false, py::arg("weight") = false, py::arg("deactivate") = py::none(),
             py::arg("x_range") = py::none(), py::arg("y_range") = py::none(), py::arg("form_factor") = py::none(),
             py::arg("representation") = 11, py::arg("bootstrap") = 2000, py::arg("seed") = 1, kEvaluateDoc)
        .def("_repr_html_",
             [](const MeasurementHandle& s) {
                 CNumbersOnThisThread numbers;
                 return MeasurementHtml(*s.loaded);
             },
             "The files, sample, solvent, concentrations (g/dm³), angles and q² range (µm⁻²) as an HTML table.")
        .def("__repr__", [](const MeasurementHandle& s) {
            const MeasurementSet& set = s.loaded->measurement->set;
            return "<zebstat.Measurement \"" + set.sampleName + "\": " + std::to_string(set.lastConcIndex) +
                   " concentrations, " + std::to_string(set.lastAngleIndex) + " angles>";
        });

    py::class_<EvaluationHandle>(m, "Evaluation", "The outcome of Measurement.evaluate.")
        .def_property_readonly("results", [](const EvaluationHandle& e) { return e.results; },
                               "The keys and values of `zebstat-batch eval --json`: MwC, MwQ2 (g/mol), RgNm (nm), "
                               "S2Cm2 (cm²), A2 (mol dm³/g²) of a static plot; DzC, DzQ2 (µm²/s), CS2 (µm²), kD "
                               "(dm³/g) of a dynamic one; k (cm⁻² per g/cm³), relErrPercent (%), concentrations, "
                               "lines, axes and messages.")
        .def_property_readonly("results_text", [](const EvaluationHandle& e) { return e.evaluated->view->evaluation().results.text; },
                               "The text of `zebstat-batch eval --results` (str, CR LF line ends).")
        .def_property_readonly("messages", [](const EvaluationHandle& e) { return messageList(e.evaluated->messages); },
                               "(caption, text) of each message of loading and evaluating, in order.")
        .def_property_readonly("points", [](const EvaluationHandle& e) { return columns(e.evaluated->points); },
                               "The plotted points as numpy arrays: x (q² + k·c, 1/cm²), y (the plot type's ordinate: "
                               "Kc/R in mol/g, its square root or logarithm; Dapp in µm²/s), error (half the bar), "
                               "y_high, y_low, active (bool), conc and angle (indices from 1).")
        .def_property_readonly("lines",
                               [](const EvaluationHandle& e) {
                                   py::dict d;
                                   d["c0"] = columns(e.evaluated->toC0);
                                   d["q0"] = columns(e.evaluated->toQ0);
                                   d["c0_intercept"] = pointOrNone(e.evaluated->c0Intercept);
                                   d["q0_intercept"] = pointOrNone(e.evaluated->q0Intercept);
                                   return d;
                               },
                               "The extrapolated points in the units of points: c0 (to c = 0, per angle), q0 (to "
                               "q = 0, per concentration) and the intercepts (x, y) found along each line (None: "
                               "not calculated).")
        .def_property_readonly("ci", [](const EvaluationHandle& e) { return e.results["ci95"]; },
                               "The 95 % confidence intervals of the results, as --json's \"ci95\": per method "
                               "(propagation, bootstrapBCa, bootstrapPercentile) [low, high] in the units of the "
                               "results (Mw g/mol, Rg nm, A2 mol dm³/g², Dz µm²/s, C<S²> µm², kD dm³/g, Rh nm), "
                               "None and a reason under \"notDetermined\" where there is none.")
        .def_property_readonly("advice", [](const EvaluationHandle& e) { return e.results["advice"]; },
                               "The order advice as --json's \"advice\": empty when the chosen orders suit the data.")
        .def("fit_form_factors",
             [](const EvaluationHandle& e, const std::string& models) {
                 CNumbersOnThisThread numbers;
                 ModelList list;
                 try {
                     ParseModelList(models == "all" ? "coil-md,coil-pd,rod,sphere" : models, Option::FitFormFactors,
                                    OptionSpelling::Keyword, true, list);
                 } catch (const OptionError& error) {
                     throw py::value_error(error.text);
                 }
                 const auto evaluated = e.evaluated;
                 return pythonOf(Unlocked([&] { return FitFormFactorsOf(*evaluated, list.models, list.userFile); }));
             },
             py::arg("models") = "all",
             "Fits form factors to the points extrapolated to c = 0 (models: all, or coil-md, coil-pd, rod, sphere, "
             "user:FILE.FFU joined by commas): per model Mw (g/mol) and Rg (nm) with 95 % intervals, the size (nm), "
             "chi2 and the rms deviation (%), as --fit-form-factors gives them.")
        .def("svg", [](const EvaluationHandle& e) { return py::bytes(chartBytes(e, true)); },
             "The chart as --plot-file writes an SVG (bytes).")
        .def("wmf", [](const EvaluationHandle& e) { return py::bytes(chartBytes(e, false)); },
             "The chart as --plot-file writes a WMF (bytes).")
        .def("_repr_html_",
             [](const EvaluationHandle& e) {
                 CNumbersOnThisThread numbers;
                 return EvaluationHtml(*e.evaluated);
             },
             "The results with their units and relative errors, the plot type, orders and messages as HTML.")
        .def("_repr_svg_", [](const EvaluationHandle& e) { return chartBytes(e, true); }, "The chart as SVG text.")
        .def("__repr__", [](const EvaluationHandle& e) {
            CNumbersOnThisThread numbers;
            return "<zebstat.Evaluation " + EvaluationLine(*e.evaluated) + ">";
        });

    m.def("load",
          [](const py::object& files) {
              const std::vector<std::string> paths = fileList(files);
              return MeasurementHandle{std::make_shared<const Loaded>(Unlocked([&] { return LoadMeasurement(paths); }))};
          },
          py::arg("files"),
          "Loads the files (a path or a list of paths: .sta .dat .plt .plx .asc) into one measurement: the first as "
          "\"Load\", the others as \"Add data file\". Raises zebstat.LoadError with the program's message.");

    m.def("formfactor",
          [](const std::string& model, int representation, double rgNm, const py::object& mw, const py::object& qMax) {
              CNumbersOnThisThread numbers;
              FormFactorRequest request;
              try {
                  constexpr OptionSpelling kKeywords = OptionSpelling::Keyword;
                  ModelList list;
                  ParseModelList(model, Option::Model, kKeywords, false, list);
                  request.models = list.models;
                  request.userFile = list.userFile;
                  request.representation = CheckedRepresentation(representation, Option::Representation, kKeywords);
                  request.rgNm = CheckedPositive(rgNm, numberText(rgNm), Option::Rg, kKeywords);
                  if (!mw.is_none()) {
                      const double v = mw.cast<double>();
                      request.mwGPerMol = CheckedPositive(v, numberText(v), Option::Mw, kKeywords);
                  }
                  if (!qMax.is_none()) {
                      const double v = qMax.cast<double>();
                      request.qMaxPerCm = CheckedPositive(v, numberText(v), Option::QMax, kKeywords);
                  }
              } catch (const OptionError& e) {
                  throw py::value_error(e.text);
              }
              return pythonOf(Unlocked([&] { return FormFactor(request); }));
          },
          py::arg("model"), py::arg("representation") = 11, py::arg("rg_nm"), py::arg("mw") = py::none(),
          py::arg("q_max") = py::none(),
          "Theoretical form factors as `zebstat-batch formfactor` gives them (model: coil-md, coil-pd, rod, sphere "
          "or user:FILE.FFU; several joined by commas), for rg_nm (nm), mw (g/mol) and up to q_max (1/cm).");

    BindMany(m);
}
