#include "series/SeriesManifest.h"

#include "analysis/NumberText.h"
#include "evaluation/OptionTable.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

namespace zeb {

namespace {

enum class Column { Group, Files, Plot, QOrder, COrder, Smooth, Weight, K };

struct ColumnName {
    Column column;
    const char* name;
};
constexpr std::array<ColumnName, 8> kManifestColumns = {{{Column::Group, "group"},
                                                  {Column::Files, "files"},
                                                  {Column::Plot, "plot"},
                                                  {Column::QOrder, "q_order"},
                                                  {Column::COrder, "c_order"},
                                                  {Column::Smooth, "smooth"},
                                                  {Column::Weight, "weight"},
                                                  {Column::K, "k"}}};

std::string trimmed(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return std::string(s.substr(b, e - b));
}

// One record of the CSV text from position `at`: its fields, the line it
// started on; false at the end of the text. Throws the error text.
struct Reader {
    std::string_view text;
    std::size_t at = 0;
    std::size_t line = 1;

    bool next(std::vector<std::string>& fields, std::size_t& startLine) {
        fields.clear();
        // Blank lines and comments between records.
        while (at < text.size()) {
            std::size_t end = text.find('\n', at);
            if (end == std::string_view::npos) end = text.size();
            const std::string_view l = text.substr(at, end - at);
            const std::string t = trimmed(l);
            if (!t.empty() && t[0] != '#') break;
            at = end + 1;
            ++line;
        }
        if (at >= text.size()) return false;
        startLine = line;
        std::string field;
        bool quoted = false, wasQuoted = false;
        while (true) {
            if (at >= text.size()) {
                if (quoted) throw std::string("line " + std::to_string(startLine) + ": a quoted field is not closed");
                fields.push_back(wasQuoted ? field : trimmed(field));
                return true;
            }
            const char c = text[at++];
            if (quoted) {
                if (c == '"') {
                    if (at < text.size() && text[at] == '"') {
                        field += '"';
                        ++at;
                    } else {
                        quoted = false;
                    }
                } else {
                    if (c == '\n') ++line;
                    field += c;
                }
                continue;
            }
            if (c == '"' && trimmed(field).empty() && !wasQuoted) {
                field.clear();
                quoted = wasQuoted = true;
            } else if (c == ',') {
                fields.push_back(wasQuoted ? field : trimmed(field));
                field.clear();
                wasQuoted = false;
            } else if (c == '\n' || c == '\r') {
                if (c == '\r' && at < text.size() && text[at] == '\n') ++at;
                ++line;
                fields.push_back(wasQuoted ? field : trimmed(field));
                return true;
            } else if (wasQuoted) {
                if (!std::isspace(static_cast<unsigned char>(c)))
                    throw std::string("line " + std::to_string(startLine) + ": text after a quoted field");
            } else {
                field += c;
            }
        }
    }
};

std::optional<bool> yesNo(const std::string& v) {
    std::string l = v;
    for (char& c : l) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (l == "yes" || l == "on" || l == "true" || l == "1") return true;
    if (l == "no" || l == "off" || l == "false" || l == "0") return false;
    return std::nullopt;
}

// Takes one field of a row; false with the row's problem when it cannot.
bool take(Column column, const std::string& v, const std::string& folder, SeriesEntry& e) {
    if (v.empty() && column != Column::Group && column != Column::Files) return true;
    switch (column) {
    case Column::Group: e.group = v; return true;
    case Column::Files: {
        std::size_t start = 0;
        while (start <= v.size()) {
            const auto semi = v.find(';', start);
            const std::string name = trimmed(v.substr(start, semi == std::string::npos ? std::string::npos : semi - start));
            if (!name.empty()) e.files.push_back(folder.empty() || name[0] == '/' ? name : folder + "/" + name);
            if (semi == std::string::npos) break;
            start = semi + 1;
        }
        return true;
    }
    case Column::Plot:
        e.options.plotType = PlotTypeNamed(v);
        if (!e.options.plotType) e.problem = "plot must be " + PlotTypeNameList() + ", not \"" + v + "\"";
        return e.problem.empty();
    case Column::QOrder:
    case Column::COrder: {
        const bool digit = v.size() == 1 && v[0] >= '0' && v[0] <= '9';
        const Option option = column == Column::QOrder ? Option::QOrder : Option::COrder;
        try {
            const FitOrder order = CheckedOrder(digit ? v[0] - '0' : -1, option, OptionSpelling::Keyword);
            (column == Column::QOrder ? e.options.qOrder : e.options.cOrder) = order;
        } catch (const OptionError& error) {
            e.problem = error.text + ", not \"" + v + "\"";
        }
        return e.problem.empty();
    }
    case Column::Smooth:
    case Column::Weight: {
        const auto on = yesNo(v);
        if (!on) {
            e.problem = std::string(column == Column::Smooth ? "smooth" : "weight") + " must be yes or no, not \"" + v + "\"";
            return false;
        }
        if (column == Column::Smooth) e.options.smoothing = *on ? Smoothing::On : Smoothing::Off;
        else e.options.weighting = *on ? Weighting::On : Weighting::Off;
        return true;
    }
    case Column::K: {
        const auto k = ParseTypedNumber(v);
        if (!k) {
            e.problem = "k needs a number, not \"" + v + "\"";
            return false;
        }
        e.options.kDisplayed = *k;
        return true;
    }
    }
    return true;
}

} // namespace

ManifestParse ParseSeriesManifest(std::string_view text, const std::string& folder) {
    ManifestParse out;
    if (text.size() > kMaxManifestBytes) {
        out.error = "the manifest holds more than " + std::to_string(kMaxManifestBytes) + " bytes";
        return out;
    }
    if (text.find('\0') != std::string_view::npos) {
        out.error = "the manifest is no text (it holds a NUL byte)";
        return out;
    }
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a BOM
    Reader reader{text};
    std::vector<std::string> fields;
    std::size_t line = 0;
    try {
        if (!reader.next(fields, line)) {
            out.error = "the manifest is empty: its first line names the columns (group,files,...)";
            return out;
        }
        std::vector<Column> columns;
        for (const std::string& name : fields) {
            const auto known = std::find_if(kManifestColumns.begin(), kManifestColumns.end(), [&](const ColumnName& c) { return name == c.name; });
            if (known == kManifestColumns.end())
                throw std::string("line " + std::to_string(line) + ": unknown column \"" + name +
                                  "\" (the columns are group, files, plot, q_order, c_order, smooth, weight, k)");
            if (std::find(columns.begin(), columns.end(), known->column) != columns.end())
                throw std::string("line " + std::to_string(line) + ": the column \"" + name + "\" is named twice");
            columns.push_back(known->column);
        }
        for (Column needed : {Column::Group, Column::Files})
            if (std::find(columns.begin(), columns.end(), needed) == columns.end())
                throw std::string("line " + std::to_string(line) + ": the columns \"group\" and \"files\" are needed");
        std::set<std::string> groups;
        while (reader.next(fields, line)) {
            if (fields.size() != columns.size())
                throw std::string("line " + std::to_string(line) + ": " + std::to_string(fields.size()) +
                                  " fields where the first line names " + std::to_string(columns.size()) + " columns");
            SeriesEntry e;
            e.line = line;
            for (std::size_t i = 0; i < columns.size() && e.problem.empty(); ++i) take(columns[i], fields[i], folder, e);
            if (e.problem.empty() && e.group.empty()) e.problem = "the group has no name";
            if (e.problem.empty() && e.files.empty()) e.problem = "the group names no files";
            if (e.problem.empty() && !groups.insert(e.group).second)
                e.problem = "the group name \"" + e.group + "\" is used by an earlier row";
            out.entries.push_back(std::move(e));
        }
    } catch (const std::string& error) {
        out.entries.clear();
        out.error = error;
    }
    return out;
}

} // namespace zeb
