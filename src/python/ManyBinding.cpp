// zebstat.evaluate_many, zebstat.table and zebstat.Failure: many measurements
// at once on several threads, with the interpreter lock released while they
// are worked on. A measurement that fails is an item or a row that says why,
// never left out.
#include "python/ManyBinding.h"

#include "data/FileAccess.h"
#include "platform/PathName.h"
#include "python/Arguments.h"
#include "python/Handles.h"
#include "python/PythonValues.h"
#include "series/SeriesInputs.h"
#include "series/SeriesTable.h"

#include <pybind11/stl.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>

namespace zeb::python {

namespace {

using namespace pybind11::literals;

constexpr const char* kFailureDoc =
    "A measurement evaluate_many could not load or evaluate: .files (the paths), .error (why, the program's "
    "message) and .messages (caption, text) shown until then.";

constexpr const char* kEvaluateManyDoc =
    "Evaluates many measurements on `jobs` threads (None: os.cpu_count()) without the interpreter lock.\n\n"
    "measurements: an iterable of items, or one item. An item is a path (str or os.PathLike: one file; a folder: "
    "one measurement per .sta .dat .plt .plx .asc file in it, in name order; a pattern with * ? [ ]: one per "
    "matching file), a list or tuple of paths (one measurement of several files, loaded as zebstat.load loads "
    "them) or a zebstat.Measurement (evaluated as it was loaded).\n"
    "The keywords are Measurement.evaluate's (k in the unit the window shows, ranges in the units of the axes).\n\n"
    "Returns a list in the order of the measurements: a zebstat.Evaluation for each one evaluated, a "
    "zebstat.Failure (.files, .error, .messages) for each one that could not be loaded or evaluated. Options that "
    "cannot be taken at all raise ValueError or TypeError before anything runs.";

constexpr const char* kTableDoc =
    "The series table of many measurements, one row per measurement in the order given, as `zebstat-batch "
    "series` writes it: the columns group, files, sample, solvent, wavelengthNm (nm), temperatureK (K), "
    "concentrations and angles (counts), plot, qOrder, cOrder, smoothing, weighting, k (cm⁻² per g/cm³), "
    "MwC and MwQ2 (g/mol), RgNm (nm), A2 (mol dm³/g²), DzC and DzQ2 (µm²/s), CS2 (C<S²>, µm²), kD (dm³/g), "
    "RhNm (nm), relErrP1..relErrP4 (relative errors of the four results, %), with ci=True the 95 % "
    "intervals by propagation in the results' units (MwC_ci95_low, MwC_ci95_high, ..., RhNm_ci95_high; NaN "
    "where not determined), messages (\"CAPTION: TEXT\" lines), "
    "status (\"ok\" or \"failed\") and error (why a row failed).\n\n"
    "measurements: as evaluate_many's (a folder gives one row per measurement file in it), or None with "
    "manifest=PATH: a CSV manifest of groups as `zebstat-batch series --manifest` reads it (a malformed manifest "
    "raises ValueError before anything runs). jobs: threads (None: os.cpu_count()). The keywords are "
    "Measurement.evaluate's analysis keywords; a manifest row's own options win.\n\n"
    "format=None returns a pandas.DataFrame (values that do not apply are NaN or None); \"csv\", \"tsv\" or "
    "\"jsonl\" returns the table as the series command's text (without pandas). A measurement that cannot be "
    "loaded or evaluated is a row with status \"failed\" and its error.";

std::string joined(const std::vector<std::string>& files) {
    std::string out;
    for (const std::string& f : files) out += (out.empty() ? "" : ";") + f;
    return out;
}

// One measurement as the caller named it: its files (or why there are none),
// and the measurement itself when it was loaded before.
struct Named {
    SeriesEntry entry;
    std::shared_ptr<const Loaded> loaded;
};

bool isPath(const py::handle& item) { return py::isinstance<py::str>(item) || py::hasattr(item, "__fspath__"); }

void addNamed(const py::handle& item, std::vector<Named>& out) {
    if (py::isinstance<MeasurementHandle>(item)) {
        const auto& m = item.cast<const MeasurementHandle&>();
        Named named;
        named.entry.group = joined(m.loaded->files);
        named.entry.files = m.loaded->files;
        named.loaded = m.loaded;
        out.push_back(std::move(named));
    } else if (isPath(item)) {
        const SeriesList listed = SeriesListOf({pathText(item)});
        for (std::size_t i = 0; i < listed.size(); ++i) out.push_back({listed.entry(i), nullptr});
    } else if (py::isinstance<py::list>(item) || py::isinstance<py::tuple>(item)) {
        Named named;
        for (const py::handle f : item) named.entry.files.push_back(pathText(f));
        named.entry.group = joined(named.entry.files);
        if (named.entry.files.empty()) named.entry.problem = "the group names no files";
        out.push_back(std::move(named));
    } else {
        throw py::type_error("a measurement is a path, a list or tuple of paths or a zebstat.Measurement, not " +
                             py::str(py::type::handle_of(item).attr("__name__")).cast<std::string>());
    }
}

std::vector<Named> namedMeasurements(const py::object& measurements) {
    std::vector<Named> out;
    if (isPath(measurements) || py::isinstance<MeasurementHandle>(measurements)) {
        addNamed(measurements, out);
    } else {
        for (const py::handle item : measurements) addNamed(item, out);
    }
    return out;
}

std::vector<SeriesEntry> manifestEntries(const std::string& path) {
    const FileBytes file = ReadFileBytes(path, kMaxManifestBytes);
    if (file.status == FileBytes::Status::TooLarge) throw py::value_error(TooLargeDetail(path, file, kMaxManifestBytes));
    if (!file.ok()) {
        errno = file.error != 0 ? file.error : EIO;
        PyErr_SetFromErrnoWithFilename(PyExc_OSError, path.c_str());
        throw py::error_already_set();
    }
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    ManifestParse parsed = ParseSeriesManifest(file.bytes, ec ? FolderOf(path) : absolute.parent_path().string());
    if (!parsed.ok()) throw py::value_error(path + ": " + parsed.error);
    return std::move(parsed.entries);
}

py::object importPandas() {
    try {
        return py::module_::import("pandas");
    } catch (py::error_already_set& e) {
        if (!e.matches(PyExc_ImportError)) throw;
        py::raise_from(e, PyExc_ImportError,
                       "zebstat.table needs pandas (Debian: python3-pandas); table(..., format=\"csv\") gives the "
                       "table as text without it");
        throw py::error_already_set();
    }
}

// One value of a row as a cell of the DataFrame.
py::object cellOf(const Record& value) {
    if (value.kind() == Record::Kind::List || value.kind() == Record::Kind::Object) return py::str(TableText(value));
    return pythonOf(value);
}

// The rows as a DataFrame, one column list filled per row as the rows come.
struct FrameColumns {
    std::vector<py::list> lists;
    std::vector<bool> anyValue;
    const std::vector<std::string>& names;
    explicit FrameColumns(const std::vector<std::string>& columns)
        : lists(columns.size()), anyValue(columns.size(), false), names(columns) {}

    void add(const Record& row) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            const Record* value = row.find(names[i]);
            if (value && value->kind() != Record::Kind::Null) anyValue[i] = true;
            lists[i].append(value ? cellOf(*value) : py::none());
        }
    }

    // A column without any value is one of NaN, as pandas reads an empty column of a CSV file.
    py::object frame(const py::object& pandas) const {
        py::dict data;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (anyValue[i]) {
                data[py::str(names[i])] = lists[i];
            } else {
                std::vector<double> nan(py::len(lists[i]), std::numeric_limits<double>::quiet_NaN());
                data[py::str(names[i])] = array(nan);
            }
        }
        return pandas.attr("DataFrame")(data, "columns"_a = names);
    }
};

py::object table(const py::object& measurements, const py::object& jobs, const py::object& format,
                 const py::object& manifest, const std::string& plot, const py::object& qOrder,
                 const py::object& cOrder, const py::object& k, bool smooth, bool weight,
                 const py::object& deactivate, bool ci) {
    CNumbersOnThisThread numbers;
    std::optional<TableFormat> text;
    if (!format.is_none()) {
        const std::string name = py::str(format).cast<std::string>();
        text = TableFormatNamed(name);
        if (!text) throw py::value_error("format must be None (a pandas.DataFrame), \"csv\", \"tsv\" or \"jsonl\", not \"" + name + "\"");
    }
    const py::object pandas = text ? py::object(py::none()) : importPandas();
    const Request request = evaluationRequest(plot, qOrder, cOrder, k, smooth, weight, deactivate);
    SeriesOptions options;
    options.evaluation = request.evaluation;
    options.kDisplayed = request.kDisplayed;
    options.intervals = ci;
    const unsigned threads = jobsArgument(jobs);

    std::vector<SeriesEntry> entries;
    if (!manifest.is_none()) {
        if (!measurements.is_none()) throw py::value_error("table takes measurements or manifest=, not both");
        entries = manifestEntries(pathText(manifest));
    } else {
        if (measurements.is_none()) throw py::value_error("table needs measurements or manifest=");
        for (Named& named : namedMeasurements(measurements)) {
            // A measurement loaded before is evaluated from its files: a file changed since is the row's error.
            if (named.loaded)
                if (auto changed = ChangedSinceLoaded(*named.loaded)) named.entry.problem = std::move(*changed);
            entries.push_back(std::move(named.entry));
        }
    }

    InterruptCheck interrupted;
    if (text) {
        std::string out = TableHeader(*text, ci);
        Unlocked([&] {
            SeriesRows(entries, options, threads, [&](Record&& row) {
                out += TableLine(row, *text);
                interrupted();
            });
            return 0;
        });
        return py::str(out);
    }
    FrameColumns columns(SeriesColumns(ci));
    Unlocked([&] {
        SeriesRows(entries, options, threads, [&](Record&& row) {
            {
                py::gil_scoped_acquire locked;
                columns.add(row);
            }
            interrupted();
        });
        return 0;
    });
    return columns.frame(pandas);
}

std::string failureLine(const Failure& f) {
    return "<zebstat.Failure " + joined(f.files) + ": " + f.error + ">";
}

} // namespace

void BindMany(py::module_& m) {
    py::class_<FailureHandle>(m, "Failure", kFailureDoc)
        .def_property_readonly("files", [](const FailureHandle& f) { return f.failure.files; },
                               "The paths of the measurement's files (list of str).")
        .def_property_readonly("error", [](const FailureHandle& f) { return f.failure.error; },
                               "Why it could not be loaded or evaluated: the program's message (str).")
        .def_property_readonly("messages", [](const FailureHandle& f) { return messageList(f.failure.messages); },
                               "(caption, text) of each message shown until it failed.")
        .def("__repr__", [](const FailureHandle& f) { return failureLine(f.failure); });

    m.def(
        "evaluate_many",
        [](const py::object& measurements, const py::object& jobs, const std::string& plot, const py::object& qOrder,
           const py::object& cOrder, const py::object& k, bool smooth, bool weight, const py::object& deactivate,
           const py::object& xRange, const py::object& yRange, const py::object& formFactor, int representation) {
            CNumbersOnThisThread numbers;
            Request request = evaluationRequest(plot, qOrder, cOrder, k, smooth, weight, deactivate);
            chartRequest(request, xRange, yRange, formFactor, representation);
            const unsigned threads = jobsArgument(jobs);
            std::vector<ManyItem> items;
            for (Named& named : namedMeasurements(measurements)) {
                std::vector<std::string> files = named.entry.files.empty() ? std::vector<std::string>{named.entry.group}
                                                                            : std::move(named.entry.files);
                items.push_back({std::move(files), named.loaded, named.entry.problem});
            }
            InterruptCheck interrupted;
            std::vector<Outcome> outcomes =
                Unlocked([&] { return EvaluateMany(items, request, threads, std::ref(interrupted)); });
            py::list out;
            for (Outcome& outcome : outcomes) {
                if (auto* evaluated = std::get_if<std::shared_ptr<const Evaluated>>(&outcome))
                    out.append(py::cast(EvaluationHandle{*evaluated, pythonOf((*evaluated)->results)}));
                else
                    out.append(py::cast(FailureHandle{std::get<Failure>(std::move(outcome))}));
            }
            return out;
        },
        py::arg("measurements"), py::kw_only(), py::arg("jobs") = py::none(), py::arg("plot") = "zimm",
        py::arg("q_order") = 1, py::arg("c_order") = 1, py::arg("k") = py::none(), py::arg("smooth") = false,
        py::arg("weight") = false, py::arg("deactivate") = py::none(), py::arg("x_range") = py::none(),
        py::arg("y_range") = py::none(), py::arg("form_factor") = py::none(), py::arg("representation") = 11,
        kEvaluateManyDoc);

    m.def("table", &table, py::arg("measurements") = py::none(), py::kw_only(), py::arg("jobs") = py::none(),
          py::arg("format") = py::none(), py::arg("manifest") = py::none(), py::arg("plot") = "zimm",
          py::arg("q_order") = 1, py::arg("c_order") = 1, py::arg("k") = py::none(), py::arg("smooth") = false,
          py::arg("weight") = false, py::arg("deactivate") = py::none(), py::arg("ci") = false, kTableDoc);
}

} // namespace zeb::python
