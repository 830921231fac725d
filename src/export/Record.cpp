#include "export/Record.h"

#include "data/CFormat.h"
#include "export/JsonDocument.h"

#include <algorithm>
#include <cmath>

namespace zeb {

Record Record::Bool(bool value) {
    Record r;
    r.kind_ = Kind::Bool;
    r.boolean_ = value;
    return r;
}

Record Record::Whole(long long value) {
    Record r;
    r.kind_ = Kind::Whole;
    r.whole_ = value;
    return r;
}

Record Record::Number(double value) {
    Record r;
    if (!std::isfinite(value)) return r;
    r.kind_ = Kind::Number;
    r.number_ = value;
    return r;
}

Record Record::Number(double value, int significantDigits) {
    Record r = Number(value);
    r.digits_ = significantDigits;
    return r;
}

Record Record::Number(const std::optional<double>& value) { return value ? Number(*value) : Record(); }

Record Record::Text(std::string value) {
    Record r;
    r.kind_ = Kind::Text;
    r.text_ = std::move(value);
    return r;
}

Record Record::List(std::vector<Record> items) {
    Record r;
    r.kind_ = Kind::List;
    r.items_ = std::move(items);
    return r;
}

Record Record::Numbers(const std::vector<double>& values) {
    Record r = List();
    r.items_.reserve(values.size());
    for (double v : values) r.items_.push_back(Number(v));
    return r;
}

Record Record::Object() {
    Record r;
    r.kind_ = Kind::Object;
    return r;
}

Record& Record::add(std::string key, Record value) {
    members_.emplace_back(std::move(key), std::move(value));
    return *this;
}

Record& Record::set(const std::string& key, Record value) {
    for (auto& [k, v] : members_)
        if (k == key) {
            v = std::move(value);
            return *this;
        }
    return add(key, std::move(value));
}

Record& Record::insertBefore(const std::string& before, std::string key, Record value) {
    auto at = std::find_if(members_.begin(), members_.end(), [&](const auto& m) { return m.first == before; });
    members_.emplace(at, std::move(key), std::move(value));
    return *this;
}

Record& Record::push(Record value) {
    items_.push_back(std::move(value));
    return *this;
}

const Record* Record::find(const std::string& key) const {
    for (const auto& [k, v] : members_)
        if (k == key) return &v;
    return nullptr;
}

namespace {

void write(const Record& r, std::string& out) {
    switch (r.kind()) {
    case Record::Kind::Null: out += "null"; return;
    case Record::Kind::Bool: out += r.boolean() ? "true" : "false"; return;
    case Record::Kind::Whole: out += std::to_string(r.whole()); return;
    case Record::Kind::Number: out += CFormat("%.*g", r.significantDigits(), r.number()); return;
    case Record::Kind::Text: out += jsondoc::Quote(r.text()); return;
    case Record::Kind::List:
        out += '[';
        for (std::size_t i = 0; i < r.items().size(); ++i) {
            if (i) out += ", ";
            write(r.items()[i], out);
        }
        out += ']';
        return;
    case Record::Kind::Object:
        out += '{';
        for (std::size_t i = 0; i < r.members().size(); ++i) {
            if (i) out += ", ";
            out += jsondoc::Quote(r.members()[i].first);
            out += ": ";
            write(r.members()[i].second, out);
        }
        out += '}';
        return;
    }
}

} // namespace

std::string RecordJson(const Record& record) {
    std::string out;
    write(record, out);
    return out;
}

} // namespace zeb
