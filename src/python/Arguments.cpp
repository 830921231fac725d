#include "python/Arguments.h"

#include <cmath>

namespace zeb::python {

namespace {

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

} // namespace

std::string pathText(const py::handle& item) {
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

unsigned jobsArgument(const py::object& jobs) {
    if (jobs.is_none()) {
        const py::object cores = py::module_::import("os").attr("cpu_count")();
        return cores.is_none() ? 1u : std::max(1u, cores.cast<unsigned>());
    }
    if (py::isinstance<py::bool_>(jobs) || !py::isinstance<py::int_>(jobs))
        throw py::type_error("jobs must be an int from 1 or None");
    const long n = jobs.cast<long>();
    if (n < 1 || n > 4096) throw py::value_error("jobs must be a number of threads from 1, not " + std::to_string(n));
    return static_cast<unsigned>(n);
}

} // namespace zeb::python
