// The Python module `zebstat`: this program's evaluation for scripts and
// notebooks. Thin: every number comes from the same functions as zebstat-batch
// eval (python/Evaluation.h); here the values become numpy arrays and Python
// objects. The work itself runs without the interpreter lock.
#include "texts/CommonTexts.h"
#include "cli/ChartFileModule.h"
#include "python/Evaluation.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <memory>

#ifdef ZEBSTAT_PYTHON_LINKS_QT
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

py::object jsonLoads(const std::string& text) { return py::module_::import("json").attr("loads")(text); }

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

int orderArgument(const char* name, const py::object& value) {
    if (py::isinstance<py::bool_>(value) || !py::isinstance<py::int_>(value))
        throw py::type_error(std::string(name) + " must be an int 0..5");
    const long v = value.cast<long>();
    if (v < 0 || v > 5) throw py::value_error(std::string(name) + " must be 0..5, not " + std::to_string(v));
    return static_cast<int>(v);
}

cli::AnalysisOptions analysisOptions(const std::string& plot, const py::object& qOrder, const py::object& cOrder,
                                     const py::object& k, bool smooth, bool weight, const py::object& deactivate) {
    static const char* const names[] = {"zimm", "berry", "guinier", "d1", "d2", "d3"};
    cli::AnalysisOptions o;
    int type = 0;
    for (int t = 0; t < 6; ++t)
        if (plot == names[t]) type = t + 1;
    if (type == 0)
        throw py::value_error("plot must be zimm, berry, guinier, d1, d2 or d3, not \"" + plot + "\"");
    o.plotType = static_cast<PlotType>(type);
    o.qOrder = orderArgument("q_order", qOrder);
    o.cOrder = orderArgument("c_order", cOrder);
    if (!k.is_none()) {
        if (py::isinstance<py::bool_>(k)) throw py::type_error("k must be a number or None");
        const double value = k.cast<double>();
        if (!std::isfinite(value)) throw py::value_error("k must be a finite number");
        o.kDisplayed = value;
    }
    o.smooth = smooth;
    o.weight = weight;
    if (!deactivate.is_none())
        for (const py::handle item : deactivate) {
            const auto pair = item.cast<py::sequence>();
            if (pair.size() != 2) throw py::value_error("deactivate takes (concentration, angle) pairs");
            const long c = pair[0].cast<long>(), a = pair[1].cast<long>();
            if (c < 1 || a < 1 || c > 9999 || a > 9999)
                throw py::value_error("deactivate: (" + std::to_string(c) + ", " + std::to_string(a) +
                                      ") is no point: indices count from 1");
            o.deactivate.emplace_back(static_cast<int>(c), static_cast<int>(a));
        }
    return o;
}

std::string numberText(double v);

std::vector<std::string> rangeArgs(const char* option, const char* name, const py::object& range) {
    if (range.is_none()) return {};
    const auto pair = range.cast<py::sequence>();
    if (pair.size() != 2) throw py::value_error(std::string(name) + " takes (low, high)");
    return {option, numberText(pair[0].cast<double>()), numberText(pair[1].cast<double>())};
}

// The chart options in the batch tool's terms, checked by its parser.
cli::PlotOptions chartOptions(const py::object& xRange, const py::object& yRange, const py::object& formFactor,
                              int representation) {
    std::vector<std::string> args = rangeArgs("--x-range", "x_range", xRange);
    const auto y = rangeArgs("--y-range", "y_range", yRange);
    args.insert(args.end(), y.begin(), y.end());
    if (!formFactor.is_none()) {
        std::string models;
        if (py::isinstance<py::str>(formFactor)) {
            models = formFactor.cast<std::string>();
        } else {
            for (const py::handle item : formFactor) models += (models.empty() ? "" : ",") + item.cast<std::string>();
        }
        args.insert(args.end(), {"--form-factor", models, "--representation", std::to_string(representation)});
    }
    try {
        return python::ChartOptions(args);
    } catch (const OptionFailure& e) {
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
    } catch (const OptionFailure& e) {
        throw py::value_error(e.text);
    }
    throw std::logic_error("unreachable");
}

struct Measurement {
    std::shared_ptr<const Loaded> loaded;
};

struct Evaluation {
    std::shared_ptr<const Evaluated> evaluated;
    py::object results;
};

py::bytes chart(const Evaluation& e, const char* ext) {
    // The drawing may need the Qt side of the program, which wants one thread at
    // a time: it runs with the interpreter lock held.
    CNumbersOnThisThread numbers;
    try {
        const std::string bytes = e.evaluated->chartBytes(ext);
        return py::bytes(bytes);
    } catch (const std::runtime_error& failure) {
        throw std::runtime_error(failure.what());
    }
}

std::string numberText(double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

} // namespace

PYBIND11_MODULE(zebstat, m) {
#ifdef ZEBSTAT_PYTHON_LINKS_QT
    cli::UseLinkedChartDrawer(&zebstat_draw_chart);
#endif
    m.doc() = "ZEBstat's evaluation of static and dynamic light scattering (Zimm, Berry, Guinier, D-I..D-III)";
    g_loadError = PyErr_NewExceptionWithDoc("zebstat.LoadError",
                                            "A data file could not be loaded; the text is the program's message.",
                                            PyExc_Exception, nullptr);
    m.attr("LoadError") = py::handle(g_loadError);

    py::class_<Measurement>(m, "Measurement", "Data files loaded into one measurement, as in one plot window.")
        .def_property_readonly("files", [](const Measurement& s) { return s.loaded->files; })
        .def_property_readonly("sample_name", [](const Measurement& s) { return s.loaded->sampleName; })
        .def_property_readonly("concentrations", [](const Measurement& s) { return array(s.loaded->concentrationsGPerCm3); },
                               "Concentrations 1..n in g/cm³.")
        .def_property_readonly("q2", [](const Measurement& s) { return array(s.loaded->q2PerCm2); },
                               "q² of angles 1..n in 1/cm².")
        .def_property_readonly("messages", [](const Measurement& s) { return messageList(s.loaded->messages); },
                               "(caption, text) of each message shown while loading.")
        .def("dump", [](const Measurement& s) { return jsonLoads(s.loaded->dumpJson); },
             "The loaded set with the keys of `zebstat-batch eval --dump`.")
        .def("evaluate",
             [](const Measurement& s, const std::string& plot, const py::object& qOrder, const py::object& cOrder,
                const py::object& k, bool smooth, bool weight, const py::object& deactivate, const py::object& xRange,
                const py::object& yRange, const py::object& formFactor, int representation) {
                 CNumbersOnThisThread numbers;
                 const cli::AnalysisOptions options = analysisOptions(plot, qOrder, cOrder, k, smooth, weight, deactivate);
                 const cli::PlotOptions chart = chartOptions(xRange, yRange, formFactor, representation);
                 const std::shared_ptr<const Loaded> loaded = s.loaded;
                 auto evaluated =
                     std::make_shared<const Evaluated>(unlocked([&] { return Evaluate(*loaded, options, chart); }));
                 if (options.kDisplayed)
                     for (const auto& msg : evaluated->messages)
                         if (msg.text == tx::InvalidFloatInput)
                             throw py::value_error("k = " + numberText(*options.kDisplayed) + ": " + msg.text);
                 return Evaluation{evaluated, jsonLoads(evaluated->resultsJson)};
             },
             py::arg("plot") = "zimm", py::arg("q_order") = 1, py::arg("c_order") = 1, py::arg("k") = py::none(),
             py::arg("smooth") = false, py::arg("weight") = false, py::arg("deactivate") = py::none(),
             py::arg("x_range") = py::none(), py::arg("y_range") = py::none(), py::arg("form_factor") = py::none(),
             py::arg("representation") = 11,
             "Evaluates the measurement as `zebstat-batch eval` with these options does.")
        .def("__repr__", [](const Measurement& s) {
            return "<zebstat.Measurement \"" + s.loaded->sampleName + "\": " +
                   std::to_string(s.loaded->concentrationsGPerCm3.size()) + " concentrations, " +
                   std::to_string(s.loaded->q2PerCm2.size()) + " angles>";
        });

    py::class_<Evaluation>(m, "Evaluation", "The outcome of Measurement.evaluate.")
        .def_property_readonly("results", [](const Evaluation& e) { return e.results; },
                               "The keys and values of `zebstat-batch eval --json`.")
        .def_property_readonly("results_text", [](const Evaluation& e) { return e.evaluated->resultsText; },
                               "The text of `zebstat-batch eval --results`.")
        .def_property_readonly("messages", [](const Evaluation& e) { return messageList(e.evaluated->messages); })
        .def_property_readonly("points", [](const Evaluation& e) { return columns(e.evaluated->points); },
                               "The plotted points: x, y, error, y_high, y_low, active, conc, angle.")
        .def_property_readonly("lines",
                               [](const Evaluation& e) {
                                   py::dict d;
                                   d["c0"] = columns(e.evaluated->toC0);
                                   d["q0"] = columns(e.evaluated->toQ0);
                                   d["c0_intercept"] = pointOrNone(e.evaluated->c0Intercept);
                                   d["q0_intercept"] = pointOrNone(e.evaluated->q0Intercept);
                                   return d;
                               },
                               "The extrapolated points: c0 (to c = 0, per angle), q0 (to q = 0, per "
                               "concentration) and the intercepts found along each line.")
        .def("svg", [](const Evaluation& e) { return chart(e, ".svg"); }, "The chart as --plot-file writes an SVG.")
        .def("wmf", [](const Evaluation& e) { return chart(e, ".wmf"); }, "The chart as --plot-file writes a WMF.");

    m.def("load",
          [](const py::object& files) {
              const std::vector<std::string> paths = fileList(files);
              return Measurement{std::make_shared<const Loaded>(unlocked([&] { return LoadMeasurement(paths); }))};
          },
          py::arg("files"), "Loads the files into one measurement: the first as \"Load\", the others as \"Add data file\".");

    m.def("formfactor",
          [](const std::string& model, int representation, double rgNm, const py::object& mw, const py::object& qMax) {
              CNumbersOnThisThread numbers;
              std::vector<std::string> args = {"--model", model, "--representation", std::to_string(representation),
                                                "--rg", numberText(rgNm)};
              if (!mw.is_none()) args.insert(args.end(), {"--mw", numberText(mw.cast<double>())});
              if (!qMax.is_none()) args.insert(args.end(), {"--q-max", numberText(qMax.cast<double>())});
              return jsonLoads(unlocked([&] { return FormFactor(args); }));
          },
          py::arg("model"), py::arg("representation") = 11, py::arg("rg_nm"), py::arg("mw") = py::none(),
          py::arg("q_max") = py::none(),
          "Theoretical form factors as `zebstat-batch formfactor` gives them (model: coil-md, coil-pd, rod, sphere "
          "or user:FILE.FFU; several joined by commas).");
}
