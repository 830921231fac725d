// The program's values as Python's: records as None, bool, int, float, str,
// list and dict; point columns as numpy arrays; messages as (caption, text).
#pragma once

#include "export/Record.h"
#include "python/Measurements.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <optional>
#include <utility>
#include <vector>

namespace zeb::python {

namespace py = pybind11;

// A number known to fewer than 17 digits is the number those digits write, as
// in the batch tool's JSON.
py::object pythonOf(const Record& r);

py::list messageList(const std::vector<RecordedMessage>& messages);

// x, y, error, y_high, y_low, active, conc, angle as numpy arrays.
py::dict columns(const PointColumns& p);

py::object pointOrNone(const std::optional<std::pair<double, double>>& p);

template <typename T>
py::array_t<T> array(const std::vector<T>& values) {
    py::array_t<T> out(static_cast<py::ssize_t>(values.size()));
    std::copy(values.begin(), values.end(), out.mutable_data());
    return out;
}

} // namespace zeb::python
