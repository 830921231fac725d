// The series table as CSV, TSV and JSON lines.
#include "series/SeriesRow.h"
#include "series/SeriesTable.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

Record Row() {
    Record row = Record::Object();
    for (const std::string& c : SeriesColumns()) row.add(c, Record());
    row.set("group", Record::Text("PS, \"big\""));
    row.set("sample", Record::Text("tab\there\\"));
    row.set("wavelengthNm", Record::Number(632.79998779296875, 7));
    row.set("MwC", Record::Number(1008704.532541988));
    row.set("concentrations", Record::Whole(4));
    row.set("smoothing", Record::Bool(false));
    Record messages = Record::List();
    messages.push(Record::Object().add("caption", Record::Text("ZEB-Stat")).add("text", Record::Text("a\nb")));
    messages.push(Record::Object().add("caption", Record::Text("X")).add("text", Record::Text("c")));
    row.set("messages", std::move(messages));
    row.set("status", Record::Text("ok"));
    return row;
}

// The field of a column in a CSV or TSV line without quoted separators.
std::vector<std::string> Split(const std::string& line, char separator) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        if (c == separator && !quoted) out.emplace_back();
        else out.back() += c;
    }
    return out;
}

std::size_t Column(const std::string& name) {
    const auto& c = SeriesColumns();
    return static_cast<std::size_t>(std::find(c.begin(), c.end(), name) - c.begin());
}

TEST(SeriesTable, CsvQuotesWhatNeedsItAndKeepsTheDigits) {
    EXPECT_EQ(TableHeader(TableFormat::Csv).substr(0, 20), "group,files,sample,s");
    const std::string line = TableLine(Row(), TableFormat::Csv);
    ASSERT_EQ(line.back(), '\n');
    const auto fields = Split(line.substr(0, line.size() - 1), ',');
    ASSERT_EQ(fields.size(), SeriesColumns().size());
    EXPECT_EQ(fields[Column("group")], "\"PS, \"\"big\"\"\"");
    EXPECT_EQ(fields[Column("wavelengthNm")], "632.8");
    EXPECT_EQ(fields[Column("MwC")], "1008704.532541988");
    EXPECT_EQ(fields[Column("concentrations")], "4");
    EXPECT_EQ(fields[Column("smoothing")], "false");
    EXPECT_EQ(fields[Column("RgNm")], "");
    EXPECT_EQ(fields[Column("messages")], "\"ZEB-Stat: a\nb\nX: c\"");
}

TEST(SeriesTable, TsvEscapesTabsLineEndsAndBackslashes) {
    const std::string line = TableLine(Row(), TableFormat::Tsv);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    const auto fields = Split(line.substr(0, line.size() - 1), '\t');
    ASSERT_EQ(fields.size(), SeriesColumns().size());
    EXPECT_EQ(fields[Column("sample")], "tab\\there\\\\");
    EXPECT_EQ(fields[Column("messages")], "ZEB-Stat: a\\nb\\nX: c");
}

TEST(SeriesTable, JsonLinesAreOneObjectPerRow) {
    EXPECT_EQ(TableHeader(TableFormat::JsonLines), "");
    const std::string line = TableLine(Row(), TableFormat::JsonLines);
    EXPECT_EQ(line.rfind("{\"group\": \"PS, \\\"big\\\"\", \"files\": null", 0), 0u) << line;
    EXPECT_NE(line.find("\"wavelengthNm\": 632.8,"), std::string::npos);
    EXPECT_NE(line.find("\"messages\": [{\"caption\": \"ZEB-Stat\", \"text\": \"a\\nb\"}"), std::string::npos);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    EXPECT_EQ(TableFormatNamed("jsonl"), TableFormat::JsonLines);
    EXPECT_FALSE(TableFormatNamed("xlsx"));
}

} // namespace
} // namespace zeb
