// What the module's Python objects hold, and the one way their work runs:
// without the interpreter lock, in the C locale, the program's failures turned
// into Python's exceptions with the program's texts.
#pragma once

#include "python/Many.h"
#include "python/Measurements.h"

#include <pybind11/pybind11.h>

#include <chrono>
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

// Lets Ctrl-C stop a long run of many measurements: called on the calling
// thread after each one, it takes the interpreter lock now and then (every
// 0.1 s) to see whether a signal came, and raises its exception (the run stops
// after the measurements being worked on).
class InterruptCheck {
public:
    void operator()() {
        const auto now = std::chrono::steady_clock::now();
        if (now < next_) return;
        next_ = now + std::chrono::milliseconds(100);
        py::gil_scoped_acquire locked;
        if (PyErr_CheckSignals() != 0) throw py::error_already_set();
    }

private:
    std::chrono::steady_clock::time_point next_ = std::chrono::steady_clock::now();
};

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
