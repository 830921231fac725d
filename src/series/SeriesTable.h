// The series table as text: comma-separated values (RFC 4180: a field with a
// comma, a quote or a line end in double quotes), tab-separated values (a tab,
// a line end or a backslash in a field written \t, \n, \r, \\) or JSON lines
// (one JSON object per row). Numbers carry 17 significant digits, as eval
// --json writes them; a value that does not apply is an empty field (null in
// JSON); the messages of a row are "CAPTION: TEXT" lines in one field.
#pragma once

#include "export/Record.h"

#include <optional>
#include <string>
#include <string_view>

namespace zeb {

enum class TableFormat { Csv, Tsv, JsonLines };

std::optional<TableFormat> TableFormatNamed(std::string_view name);  // "csv", "tsv", "jsonl"

// The line naming the columns (none for JSON lines), ended by a line end.
std::string TableHeader(TableFormat format, bool intervals = false);
// One row, ended by a line end.
std::string TableLine(const Record& row, TableFormat format);

// One value as a field of the CSV and TSV tables writes it (before quoting):
// the messages as "CAPTION: TEXT" lines, a value that does not apply empty.
std::string TableText(const Record& value);

} // namespace zeb
