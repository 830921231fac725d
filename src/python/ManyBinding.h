// The module's functions for many measurements: evaluate_many, table and the
// Failure type; added to the module after Measurement and Evaluation.
#pragma once

#include <pybind11/pybind11.h>

namespace zeb::python {

void BindMany(pybind11::module_& m);

} // namespace zeb::python
