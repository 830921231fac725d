// The keyword arguments of the module's functions as the program's typed
// requests. A value the program refuses raises ValueError (TypeError for a
// value of the wrong kind) naming the keyword, before any work starts.
#pragma once

#include "python/Measurements.h"

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

namespace zeb::python {

namespace py = pybind11;

// A str or path-like object as a file name.
std::string pathText(const py::handle& item);

// One path, or an iterable of paths; at least one.
std::vector<std::string> fileList(const py::object& files);

// evaluate()'s analysis keywords.
Request evaluationRequest(const std::string& plot, const py::object& qOrder, const py::object& cOrder,
                          const py::object& k, bool smooth, bool weight, const py::object& deactivate);

// evaluate()'s chart keywords: the ranges and the form-factor view.
void chartRequest(Request& request, const py::object& xRange, const py::object& yRange, const py::object& formFactor,
                  int representation);

// The number of threads: None is os.cpu_count().
unsigned jobsArgument(const py::object& jobs);

} // namespace zeb::python
