#include "python/PythonValues.h"

#include "data/CFormat.h"

#include <charconv>

namespace zeb::python {

namespace {

py::array_t<bool> boolArray(const std::vector<std::uint8_t>& values) {
    py::array_t<bool> out(static_cast<py::ssize_t>(values.size()));
    bool* data = out.mutable_data();
    for (std::size_t i = 0; i < values.size(); ++i) data[i] = values[i] != 0;
    return out;
}

} // namespace

py::object pythonOf(const Record& r) {
    switch (r.kind()) {
    case Record::Kind::Null: return py::none();
    case Record::Kind::Bool: return py::bool_(r.boolean());
    case Record::Kind::Whole: return py::int_(r.whole());
    case Record::Kind::Number:
        if (r.significantDigits() < 17) {
            const std::string digits = CFormat("%.*g", r.significantDigits(), r.number());
            double v = r.number();
            std::from_chars(digits.data(), digits.data() + digits.size(), v);
            return py::float_(v);
        }
        return py::float_(r.number());
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

} // namespace zeb::python
