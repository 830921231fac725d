// The Python module `zebstat`: this program's evaluation for scripts and
// notebooks. Thin: every number comes from the same functions as zebstat-batch
// eval (python/Measurements.h); here the values become numpy arrays and Python
// objects, directly. The work itself runs without the interpreter lock.
#include "cli/ChartFileModule.h"
#include "export/ResultsRecord.h"
#include "plot/ChartExport.h"
#include "plot/PlotWindowGeometry.h"
#include "python/Measurements.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
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

PyObject* g_loadError = nullptr;

template <typename T>
py::array_t<T> array(const std::vector<T>& values) {
    py::array_t<T> out(static_cast<py::ssize_t>(values.size()));
    std::copy(values.begin(), values.end(), out.mutable_data());
    return out;
}

py::array_t<bool> boolArray(const std::vector<std::uint8_t>& values) {
    py::array_t<bool> out(static_cast<py::ssize_t>(values.size()));
    bool* data = out.mutable_data();
    for (std::size_t i = 0; i < values.size(); ++i) data[i] = values[i] != 0;
    return out;
}

// A record as Python's own values: None, bool, int, float, str, list, dict.
py::object pythonOf(const Record& r) {
    switch (r.kind()) {
    case Record::Kind::Null: return py::none();
    case Record::Kind::Bool: return py::bool_(r.boolean());
    case Record::Kind::Whole: return py::int_(r.whole());
    case Record::Kind::Number: return py::float_(r.number());
    case Record::Kind::Text: return py::str(r.text());
    case Record::Kind::List: {
        py::list out;
        for (const Record& item : r.items()) out.append(pythonOf(item));
        return out;
    }
    case Record::Kind::Object: {
        py::dict out;
        for (const auto& [key, value] : r.members()) out[py::str(key)] = pythonOf(value);
        return out;
    }
    }
    return py::none();
}

py::list messageList(const std::vector<RecordedMessage>& messages) {
    py::list out;
    for (const auto& m : messages) out.append(py::make_tuple(m.caption, m.text));
    return out;
}

py::dict columns(const PointColumns& p) {
    std::vector<double> error(p.y.size());
    for (std::size_t i = 0; i < error.size(); ++i) error[i] = (p.yHigh[i] - p.yLow[i]) / 2;
    py::dict d;
    d["x"] = array(p.x);
    d["y"] = array(p.y);
    d["error"] = array(error);
    d["y_high"] = array(p.yHigh);
    d["y_low"] = array(p.yLow);
    d["active"] = boolArray(p.active);
    d["conc"] = array(p.conc);
    d["angle"] = array(p.angle);
    return d;
}

py::object pointOrNone(const std::optional<std::pair<double, double>>& p) {
    return p ? py::object(py::make_tuple(p->first, p->second)) : py::object(py::none());
}

std::string pathText(const py::handle& item) {
    // str or any path-like object
    py::object fs = py::module_::import("os").attr("fspath")(item);
    if (!py::isinstance<py::str>(fs)) throw py::type_error("file names must be str or path-like, not bytes");
    return fs.cast<std::string>();
}

std::vector<std::string> fileList(const py::object& files) {
    std::vector<std::string> out;
    if (py::isinstance<py::str>(files) || py::hasattr(files, "__fspath__")) {
        out.push_back(pathText(files));
    } else {
        for (const py::handle item : files) out.push_back(pathText(item));
    }
    if (out.empty()) throw py::value_error("load needs at least one file");
    return out;
}

FitOrder orderArgument(Option option, const py::object& value) {
    const std::string name = OptionName(option, OptionSpelling::Keyword);
    if (py::isinstance<py::bool_>(value) || !py::isinstance<py::int_>(value))
        throw py::type_error(name + " must be an int 0..5");
    const long v = value.cast<long>();
    try {
        return CheckedOrder(v, option, OptionSpelling::Keyword);
    } catch (const OptionError& e) {
        throw py::value_error(e.text + ", not " + std::to_string(v));
    }
}

Request evaluationRequest(const std::string& plot, const py::object& qOrder, const py::object& cOrder,
                          const py::object& k, bool smooth, bool weight, const py::object& deactivate) {
    Request request;
    EvaluationOptions& o = request.evaluation;
    const auto type = PlotTypeNamed(plot);
    if (!type) throw py::value_error("plot must be " + PlotTypeNameList() + ", not \"" + plot + "\"");
    o.plotType = *type;
    o.qOrder = orderArgument(Option::QOrder, qOrder);
    o.cOrder = orderArgument(Option::COrder, cOrder);
    if (!k.is_none()) {
        if (py::isinstance<py::bool_>(k)) throw py::type_error("k must be a number or None");
        const double value = k.cast<double>();
        if (!std::isfinite(value)) throw py::value_error("k must be a finite number");
        request.kDisplayed = value;
    }
    o.smoothing = smooth ? Smoothing::On : Smoothing::Off;
    o.weighting = weight ? Weighting::On : Weighting::Off;
    if (!deactivate.is_none())
        for (const py::handle item : deactivate) {
            const auto pair = item.cast<py::sequence>();
            if (pair.size() != 2) throw py::value_error("deactivate takes (concentration, angle) pairs");
            const long c = pair[0].cast<long>(), a = pair[1].cast<long>();
            if (c < 1 || a < 1 || c > 9999 || a > 9999)
                throw py::value_error("deactivate: (" + std::to_string(c) + ", " + std::to_string(a) +
                                      ") is no point: indices count from 1");
            o.switchedOff.push_back({static_cast<int>(c), static_cast<int>(a)});
        }
    return request;
}

std::optional<std::pair<double, double>> rangeArgument(Option option, const py::object& range) {
    if (range.is_none()) return std::nullopt;
    const std::string name = OptionName(option, OptionSpelling::Keyword);
    const auto pair = range.cast<py::sequence>();
    if (pair.size() != 2) throw py::value_error(name + " takes (low, high)");
    const double low = pair[0].cast<double>(), high = pair[1].cast<double>();
    try {
        CheckRange(low, high, option, OptionSpelling::Keyword);
    } catch (const OptionError& e) {
        throw py::value_error(e.text);
    }
    return std::make_pair(low, high);
}

// The chart's part of the request: ranges and the form-factor view.
void chartRequest(Request& request, const py::object& xRange, const py::object& yRange, const py::object& formFactor,
                  int representation) {
    request.xRange = rangeArgument(Option::XRange, xRange);
    request.yRange = rangeArgument(Option::YRange, yRange);
    if (formFactor.is_none()) return;
    std::string models;
    if (py::isinstance<py::str>(formFactor)) {
        models = formFactor.cast<std::string>();
    } else {
        for (const py::handle item : formFactor) models += (models.empty() ? "" : ",") + item.cast<std::string>();
    }
    try {
        ModelList list;
        ParseModelList(models, Option::FormFactor, OptionSpelling::Keyword, true, list);
        request.formFactorModels = list.models;
        request.userFormFactorFile = list.userFile;
        request.representation = CheckedRepresentation(representation, Option::Representation, OptionSpelling::Keyword);
    } catch (const OptionError& e) {
        throw py::value_error(e.text);
    }
}

void raiseLoadError(const std::string& text) {
    PyErr_SetString(g_loadError, text.c_str());
    throw py::error_already_set();
}

// The work without the interpreter lock; the program's failures become
// Python's exceptions with the program's texts.
template <typename F>
auto unlocked(F&& work) {
    try {
        py::gil_scoped_release release;
        CNumbersOnThisThread numbers;
        return work();
    } catch (const LoadFailure& e) {
        raiseLoadError(e.text);
    } catch (const OptionError& e) {
        throw py::value_error(e.text);
    }
    throw std::logic_error("unreachable");
}

struct MeasurementHandle {
    std::shared_ptr<const Loaded> loaded;
};

std::vector<double> concentrationsOf(const Loaded& loaded) {
    const MeasurementSet& set = loaded.measurement->set;
    return std::vector<double>(set.concentration.begin() + 1, set.concentration.begin() + 1 + std::max(0, static_cast<int>(set.lastConcIndex)));
}

std::vector<double> q2Of(const Loaded& loaded) {
    const MeasurementSet& set = loaded.measurement->set;
    return std::vector<double>(set.q2.begin() + 1, set.q2.begin() + 1 + std::max(0, static_cast<int>(set.lastAngleIndex)));
}

struct EvaluationHandle {
    std::shared_ptr<const Evaluated> evaluated;
    py::object results;
};

// The chart as --plot-file writes it: laid out with the text sizes of the
// screen picture, which the Qt canvas measures. The Qt side wants one thread
// at a time: it runs with the interpreter lock held.
py::bytes chart(const EvaluationHandle& e, bool svg) {
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
    if (svg) return py::bytes(ChartToSvg(in, measured));
    const std::vector<std::uint8_t> wmf = ChartToPlaceableWmf(in, measured);
    if (wmf.empty()) throw std::runtime_error("the chart could not be drawn as a metafile");
    return py::bytes(reinterpret_cast<const char*>(wmf.data()), wmf.size());
}

std::string numberText(double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

} // namespace

PYBIND11_MODULE(zebstat, m) {
    m.doc() = "ZEBstat's evaluation of static and dynamic light scattering (Zimm, Berry, Guinier, D-I..D-III)";
    g_loadError = PyErr_NewExceptionWithDoc("zebstat.LoadError",
                                            "A data file could not be loaded; the text is the program's message.",
                                            PyExc_Exception, nullptr);
    m.attr("LoadError") = py::handle(g_loadError);

    py::class_<MeasurementHandle>(m, "Measurement", "Data files loaded into one measurement, as in one plot window.")
        .def_property_readonly("files", [](const MeasurementHandle& s) { return s.loaded->files; })
        .def_property_readonly("sample_name", [](const MeasurementHandle& s) { return s.loaded->measurement->set.sampleName; })
        .def_property_readonly("concentrations", [](const MeasurementHandle& s) { return array(concentrationsOf(*s.loaded)); },
                               "Concentrations 1..n in g/cm³.")
        .def_property_readonly("q2", [](const MeasurementHandle& s) { return array(q2Of(*s.loaded)); },
                               "q² of angles 1..n in 1/cm².")
        .def_property_readonly("messages", [](const MeasurementHandle& s) { return messageList(s.loaded->messages); },
                               "(caption, text) of each message shown while loading.")
        .def("dump", [](const MeasurementHandle& s) { return pythonOf(SetRecord(s.loaded->measurement->set, s.loaded->messages)); },
             "The loaded set with the keys of `zebstat-batch eval --dump`.")
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
                     std::make_shared<const Evaluated>(unlocked([&] { return Evaluate(*loaded, request); }));
                 return EvaluationHandle{evaluated, pythonOf(evaluated->results)};
             },
             py::arg("plot") = "zimm", py::arg("q_order") = 1, py::arg("c_order") = 1, py::arg("k") = py::none(),
             py::arg("smooth") = false, py::arg("weight") = false, py::arg("deactivate") = py::none(),
             py::arg("x_range") = py::none(), py::arg("y_range") = py::none(), py::arg("form_factor") = py::none(),
             py::arg("representation") = 11, py::arg("bootstrap") = 2000, py::arg("seed") = 1,
             "Evaluates the measurement as `zebstat-batch eval` with these options does. bootstrap: the "
             "resamples of the bootstrap intervals (0: none), seed: its seed.")
        .def("__repr__", [](const MeasurementHandle& s) {
            const MeasurementSet& set = s.loaded->measurement->set;
            return "<zebstat.Measurement \"" + set.sampleName + "\": " + std::to_string(set.lastConcIndex) +
                   " concentrations, " + std::to_string(set.lastAngleIndex) + " angles>";
        });

    py::class_<EvaluationHandle>(m, "Evaluation", "The outcome of Measurement.evaluate.")
        .def_property_readonly("results", [](const EvaluationHandle& e) { return e.results; },
                               "The keys and values of `zebstat-batch eval --json`.")
        .def_property_readonly("results_text", [](const EvaluationHandle& e) { return e.evaluated->view->evaluation().results.text; },
                               "The text of `zebstat-batch eval --results`.")
        .def_property_readonly("messages", [](const EvaluationHandle& e) { return messageList(e.evaluated->messages); })
        .def_property_readonly("points", [](const EvaluationHandle& e) { return columns(e.evaluated->points); },
                               "The plotted points: x, y, error, y_high, y_low, active, conc, angle.")
        .def_property_readonly("lines",
                               [](const EvaluationHandle& e) {
                                   py::dict d;
                                   d["c0"] = columns(e.evaluated->toC0);
                                   d["q0"] = columns(e.evaluated->toQ0);
                                   d["c0_intercept"] = pointOrNone(e.evaluated->c0Intercept);
                                   d["q0_intercept"] = pointOrNone(e.evaluated->q0Intercept);
                                   return d;
                               },
                               "The extrapolated points: c0 (to c = 0, per angle), q0 (to q = 0, per "
                               "concentration) and the intercepts found along each line.")
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
                 return pythonOf(unlocked([&] { return FitFormFactorsOf(*evaluated, list.models, list.userFile); }));
             },
             py::arg("models") = "all",
             "Fits form factors to the points extrapolated to c = 0 (models: all, or coil-md, coil-pd, rod, sphere, "
             "user:FILE.FFU joined by commas): per model Mw (g/mol) and Rg (nm) with 95 % intervals, the size (nm), "
             "chi2 and the rms deviation (%), as --fit-form-factors gives them.")
        .def("svg", [](const EvaluationHandle& e) { return chart(e, true); }, "The chart as --plot-file writes an SVG.")
        .def("wmf", [](const EvaluationHandle& e) { return chart(e, false); }, "The chart as --plot-file writes a WMF.");

    m.def("load",
          [](const py::object& files) {
              const std::vector<std::string> paths = fileList(files);
              return MeasurementHandle{std::make_shared<const Loaded>(unlocked([&] { return LoadMeasurement(paths); }))};
          },
          py::arg("files"), "Loads the files into one measurement: the first as \"Load\", the others as \"Add data file\".");

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
              return pythonOf(unlocked([&] { return FormFactor(request); }));
          },
          py::arg("model"), py::arg("representation") = 11, py::arg("rg_nm"), py::arg("mw") = py::none(),
          py::arg("q_max") = py::none(),
          "Theoretical form factors as `zebstat-batch formfactor` gives them (model: coil-md, coil-pd, rod, sphere "
          "or user:FILE.FFU; several joined by commas).");
}
