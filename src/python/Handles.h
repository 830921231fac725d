// What the module's Python objects hold, and the one way their work runs:
// without the interpreter lock, in the C locale, the program's failures turned
// into Python's exceptions with the program's texts.
#pragma once

#include "python/Many.h"
#include "python/Measurements.h"

#include <pybind11/pybind11.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace zeb::python {

namespace py = pybind11;

// zebstat.Measurement
struct MeasurementHandle {
    std::shared_ptr<const Loaded> loaded;
};

// zebstat.Evaluation
struct EvaluationHandle {
    std::shared_ptr<const Evaluated> evaluated;
    py::object results;
};

// zebstat.Failure
struct FailureHandle {
    Failure failure;
};

// The exception type zebstat.LoadError, made when the module is imported.
inline PyObject*& LoadErrorType() {
    static PyObject* type = nullptr;
    return type;
}

[[noreturn]] inline void RaiseLoadError(const std::string& text) {
    PyErr_SetString(LoadErrorType(), text.c_str());
    throw py::error_already_set();
}

template <typename F>
auto Unlocked(F&& work) {
    try {
        py::gil_scoped_release release;
        CNumbersOnThisThread numbers;
        return work();
    } catch (const LoadFailure& e) {
        RaiseLoadError(e.text);
    } catch (const OptionError& e) {
        throw py::value_error(e.text);
    }
}

} // namespace zeb::python
