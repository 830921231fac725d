#include "series/SeriesTable.h"

#include "data/CFormat.h"
#include "series/SeriesRow.h"

namespace zeb {

namespace {

std::string plain(const Record& v) {
    switch (v.kind()) {
    case Record::Kind::Null: return "";
    case Record::Kind::Bool: return v.boolean() ? "true" : "false";
    case Record::Kind::Whole: return std::to_string(v.whole());
    case Record::Kind::Number: return CFormat("%.*g", v.significantDigits(), v.number());
    case Record::Kind::Text: return v.text();
    case Record::Kind::List: {
        std::string out;
        for (const Record& item : v.items()) {
            if (!out.empty()) out += '\n';
            const Record* caption = item.find("caption");
            const Record* text = item.find("text");
            out += caption && text ? caption->text() + ": " + text->text() : plain(item);
        }
        return out;
    }
    case Record::Kind::Object: return RecordJson(v);
    }
    return "";
}

std::string csvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos && (s.empty() || (s.front() != ' ' && s.back() != ' ')))
        return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string tsvField(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\\': out += "\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

std::optional<TableFormat> TableFormatNamed(std::string_view name) {
    if (name == "csv") return TableFormat::Csv;
    if (name == "tsv") return TableFormat::Tsv;
    if (name == "jsonl") return TableFormat::JsonLines;
    return std::nullopt;
}

std::string TableHeader(TableFormat format, bool intervals) {
    if (format == TableFormat::JsonLines) return "";
    std::string out;
    for (const std::string& column : SeriesColumns(intervals)) {
        if (!out.empty()) out += format == TableFormat::Csv ? "," : "\t";
        out += column;
    }
    return out + "\n";
}

std::string TableLine(const Record& row, TableFormat format) {
    if (format == TableFormat::JsonLines) return RecordJson(row) + "\n";
    std::string out;
    bool first = true;
    for (const auto& [key, value] : row.members()) {
        if (!first) out += format == TableFormat::Csv ? "," : "\t";
        first = false;
        out += format == TableFormat::Csv ? csvField(plain(value)) : tsvField(plain(value));
    }
    return out + "\n";
}

std::string TableText(const Record& value) { return plain(value); }

} // namespace zeb
