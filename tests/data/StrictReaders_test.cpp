// Damaged tables of the text formats: every mutant of an example file is
// refused with one message that names the file and the line, and nothing of it
// reaches the window, which keeps exactly what it had. (Numbers that are whole
// but impossible are left out line by line: ImpossibleValues_test.)
#include "LoadTestSupport.h"

#include "texts/CommonTexts.h"
#include "texts/DataTexts.h"
#include "texts/FileTexts.h"
#include "texts/ReadCheckTexts.h"
#include "data/TextLines.h"
#include "dialogs/ConcentrationTableDialog.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

using test::LoadWindow;

enum class Lead { EndsEarly, Invalid, Limit };

struct Mutant {
    std::string name;
    std::string bytes;
    Lead lead;
    int line;              // 0: the message names no line (the grid limit)
    std::string mentions;  // a piece of the detail
};

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

// Line n (1-based) replaced, inserted before, or removed.
std::string WithLine(const std::string& text, int n, const std::string& line) {
    auto lines = SplitLines(text);
    lines.at(static_cast<std::size_t>(n - 1)) = line;
    return JoinLines(lines);
}
std::string Inserted(const std::string& text, int n, const std::string& line) {
    auto lines = SplitLines(text);
    lines.insert(lines.begin() + (n - 1), line);
    return JoinLines(lines);
}
std::string Removed(const std::string& text, int n) {
    auto lines = SplitLines(text);
    lines.erase(lines.begin() + (n - 1));
    return JoinLines(lines);
}
std::string Line(const std::string& text, int n) { return SplitLines(text).at(static_cast<std::size_t>(n - 1)); }
std::string Replaced(std::string s, const std::string& from, const std::string& to) {
    const auto at = s.find(from);
    if (at == std::string::npos) throw std::runtime_error("no " + from);
    return s.replace(at, from.size(), to);
}
// Every CR LF from line n on (1-based) ended by CR alone.
std::string CrOnlyFrom(const std::string& text, int n) {
    auto lines = SplitLines(text);
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) out += lines[i] + (static_cast<int>(i) + 1 < n ? "\r\n" : "\r");
    return out;
}
// The file cut inside its last number: the line end and one more character gone.
std::string CutInLastNumber(const std::string& text) { return text.substr(0, text.size() - 3); }

// Adds every mutant to a window holding the small example table and checks the refusal.
void ExpectRefused(const std::vector<Mutant>& mutants, const std::string& ext) {
    test::TempDir dir;
    LoadWindow w;
    ASSERT_TRUE(w.first(test::Write(dir, "base.asc", examples::ExampleFile("ps-small.asc"))));
    const std::string before = test::DataSnapshot(w.set());
    for (const Mutant& m : mutants) {
        SCOPED_TRACE(m.name);
        const std::string path = test::Write(dir, m.name + ext, m.bytes);
        const std::size_t shown = w.platform.messages.size();
        EXPECT_EQ(w.add(path), kLoadFailed);
        ASSERT_EQ(w.platform.messages.size(), shown + 1) << "one message";
        const auto& msg = w.platform.lastMessage();
        EXPECT_EQ(test::DataSnapshot(w.set()), before) << "the window keeps what it had";
        if (m.lead == Lead::Limit) {
            // The text, then which limit and by how much.
            EXPECT_EQ(msg.text.rfind(tx::TooManyConcOrAngles, 0), 0u);
            EXPECT_NE(msg.text.find(m.name == std::string("count-1e9") ? "The file holds 1000000000 " : " more than the "),
                      std::string::npos)
                << msg.text;
            continue;
        }
        EXPECT_EQ(test::LeadOf(msg.text), m.lead == Lead::EndsEarly ? tx::UnexpectedEndOfFile : tx::InvalidDataFile);
        EXPECT_EQ(msg.caption, "ZEBStat: Information");
        const std::string detail = test::DetailOf(msg.text);
        EXPECT_EQ(detail.rfind(path + ", line " + std::to_string(m.line) + ": ", 0), 0u) << detail;
        EXPECT_NE(detail.find(m.mentions), std::string::npos) << detail;
    }
    EXPECT_TRUE(w.platform.dialogsShown.empty()) << "a damaged PLT file never reaches the concentration table";
}

TEST(StrictReaders, DamagedNumberTablesAreNamedAndNotLoaded) {
    const std::string asc = examples::ExampleFile("ps-small.asc");  // 4 concentrations, 10 angle rows
    const std::string row5 = Line(asc, 5);
    const std::vector<Mutant> mutants = {
        {"cut-number", CutInLastNumber(asc), Lead::EndsEarly, 11, "ends inside the number \"6.374363E-0\""},
        {"value-missing", Replaced(asc, "\t6.374363E-06", ""), Lead::EndsEarly, 11, "ends before angle row 10 of 10"},
        {"conc-count-smaller", Replaced(asc, "4\t10", "3\t10"), Lead::Invalid, 10, "follows the table"},
        {"conc-count-larger", Replaced(asc, "4\t10", "5\t10"), Lead::EndsEarly, 11, "ends before"},
        {"angle-count-smaller", Replaced(asc, "4\t10", "4\t9"), Lead::Invalid, 11, "\"120.0\" follows the table"},
        {"row-twice", Inserted(asc, 6, row5), Lead::Invalid, 6, "angle row 4 is written twice (rows 4 and 5)"},
        {"row-twice-counted", Replaced(Inserted(asc, 6, row5), "4\t10", "4\t11"), Lead::Invalid, 6, "written twice"},
        {"trailing-content", asc + "end of table\r\n", Lead::Invalid, 12, "\"end\" follows the table"},
        {"count-1e9", Replaced(asc, "4\t10", "1e9\t10"), Lead::Limit, 0, ""},
        {"count-decimal-comma", Replaced(asc, "4\t10", "1,5\t10"), Lead::Invalid, 1, "\"1,5\" is no number"},
        {"count-fraction", Replaced(asc, "4\t10", "4.5\t10"), Lead::Invalid, 1, "is not a whole number"},
        {"number-with-letters", Replaced(asc, "4.306025E-06", "4.306025E-06x"), Lead::Invalid, 2, "is no number"},
        {"decimal-comma", Replaced(asc, "3.424107E-06", "3,424107E-06"), Lead::Invalid, 2, "is no number"},
        {"binary", Replaced(asc, "\r\n40.0", "\r\n\x01" "40.0"), Lead::Invalid, 3, "no text file"},
    };
    ExpectRefused(mutants, ".asc");
}

TEST(StrictReaders, DamagedPltFilesAreNamedAndNotLoaded) {
    // 7 q² values on lines 7 and 8, 3 concentrations on line 10, 21 value lines 13..33.
    const std::string plt = examples::ExampleFile("ps-tarn.plt");
    const std::vector<Mutant> mutants = {
        {"cut-number", CutInLastNumber(plt), Lead::EndsEarly, 33, "ends inside the number"},
        {"q2-count-smaller", Replaced(plt, "7  , No. of q^2", "6  , No. of q^2"), Lead::Invalid, 8, "2 values on a line"},
        {"q2-count-larger", Replaced(plt, "7  , No. of q^2", "8  , No. of q^2"), Lead::Invalid, 8, "3 expected"},
        {"conc-count-smaller", Replaced(plt, "3  , No. of conc.", "2  , No. of conc."), Lead::Invalid, 10, "2 expected"},
        {"conc-count-larger", Replaced(plt, "3  , No. of conc.", "4  , No. of conc."), Lead::Invalid, 10, "4 expected"},
        {"value-line-twice", Inserted(plt, 21, Line(plt, 20)), Lead::Invalid, 34, "follows the table of 3 \u00d7 7"},
        {"value-line-missing", Removed(plt, 20), Lead::EndsEarly, 33, "ends before value line 21 of 21"},
        {"list-line-twice", Inserted(plt, 8, Line(plt, 7)), Lead::Invalid, 8, "5 values on a line"},
        {"trailing-content", plt + "written 12.11.98\r\n", Lead::Invalid, 34, "follows the table"},
        {"count-1e9", Replaced(plt, "7  , No. of q^2", "1e9  , No. of q^2"), Lead::Invalid, 6, "\"1e9\" is no whole number"},
        {"count-decimal-comma", Replaced(plt, "3  , No. of conc.", "1,5  , No. of conc."), Lead::Invalid, 9,
         "\"1,5\" is no whole number"},
        {"count-huge", Replaced(plt, "7  , No. of q^2", "2147483647  , No. of q^2"), Lead::Limit, 0, ""},
        {"value-surplus", WithLine(plt, 15, Line(plt, 15) + ", 1.0"), Lead::Invalid, 15, "9 values where"},
        {"value-short", WithLine(plt, 15, Line(plt, 15).substr(0, 12 * 7 + 6)), Lead::Invalid, 15, "7 values where"},
        {"temperature-decimal-comma", Replaced(plt, "298.150  , temperature", "298,150  , temperature"), Lead::Invalid,
         3, "\"298,150\" is no number"},
        {"png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + plt, Lead::Invalid, 2, "no text file"},
    };
    ExpectRefused(mutants, ".plt");
}

// A value-line field that is no number is an undetermined value of the program
// that wrote the file: it counts as -1 (for Kc/R the missing-value marker), the
// file loads as if the field held -1, and a notice names the line.
TEST(StrictReaders, ValueFieldsThatAreNoNumbersCountAsMinusOne) {
    test::TempDir dir;
    const std::string plt = examples::ExampleFile("ps-tarn.plt"), plx = examples::ExampleFile("ps-toluene.plx");
    auto firstField = [](const std::string& text, int line, const std::string& field) {
        const std::string old = Line(text, line);
        return WithLine(text, line, " " + field + old.substr(old.find(',')));
    };
    const struct {
        const char* name;
        std::string bytes, minusOne;
        int line;
        const char* field;
    } cases[] = {
        {"ind.plt", firstField(plt, 15, "-1.#IND0E+000"), firstField(plt, 15, "-1.00000E+00"), 15, "-1.#IND0E+000"},
        {"letters.plt", firstField(plt, 15, "1.42484E-06x"), firstField(plt, 15, "-1.00000E+00"), 15, "1.42484E-06x"},
        {"inf.plx", firstField(plx, 16, "1.#INF"), firstField(plx, 16, "-1.00000E+00"), 16, "1.#INF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoadWindow given, written;  // the same path: the set holds it
        ASSERT_TRUE(written.first(test::Write(dir, c.name, c.minusOne)));
        const std::string path = test::Write(dir, c.name, c.bytes);
        ASSERT_TRUE(given.first(path));
        EXPECT_EQ(test::DataSnapshot(given.set()), test::DataSnapshot(written.set()));
        EXPECT_TRUE(given.platform.saw(std::string(tx::NotNumbersCountAsMinusOne) + "\n" + path + ":\nline " +
                                       std::to_string(c.line) + ": \"" + c.field + "\""));
        EXPECT_EQ(test::ReadFile(path), c.bytes);
    }
}

TEST(StrictReaders, DamagedPlxFilesAreNamedAndNotLoaded) {
    // 3 concentrations (lines 4..6), 9 q² values (lines 12, 13), 27 value lines 16..42.
    const std::string plx = examples::ExampleFile("ps-toluene.plx");
    const std::vector<Mutant> mutants = {
        {"cut-number", CutInLastNumber(plx), Lead::EndsEarly, 42, "ends inside the number \"2.07949E-0\""},
        {"value-line-twice", Inserted(plx, 21, Line(plx, 20)), Lead::Invalid, 43, "follows the table of 3 \u00d7 9"},
        {"conc-count-smaller", Replaced(plx, "3  , No. of conc.", "2  , No. of conc."), Lead::Invalid, 7, "2 expected"},
        {"q2-count-smaller", Replaced(plx, "9  , No. of q^2", "8  , No. of q^2"), Lead::Invalid, 13, "3 expected"},
        {"q2-count-larger", Replaced(plx, "9  , No. of q^2", "10  , No. of q^2"), Lead::Invalid, 13, "5 expected"},
        {"trailing-content", plx + "\r\n\r\n 1.0, 2.0\r\n", Lead::Invalid, 45, "follows the table"},
        {"count-float", Replaced(plx, "3  , No. of conc.", "3.0  , No. of conc."), Lead::Invalid, 3, "no whole number"},
        {"count-huge", Replaced(plx, "3  , No. of conc.", "2147483647  , No. of conc."), Lead::Limit, 0, ""},
        {"cut-in-list", Replaced(plx, " 5.52000E-01, 5.52000E-01, 5.52000E-01,", " 5.52000E-01, 5.52000E-0"),
         Lead::Invalid, 8, "2 values on a line"},
        {"cr-only", CrOnlyFrom(plx, 1), Lead::Invalid, 1, "the lines end with a carriage return alone (CR"},
        {"cr-only-from-line-16", CrOnlyFrom(plx, 16), Lead::Invalid, 16, "the lines end with a carriage return alone"},
    };
    ExpectRefused(mutants, ".plx");
}

TEST(StrictReaders, WhatTheFormatsAllowStillLoads) {
    test::TempDir dir;
    // DOS end-of-file marks, blank lines after the table, a last line without its line end.
    const std::string plx = examples::ExampleFile("ps-toluene.plx");
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"eof-mark.plx", plx + "\x1A"},
             {"blank-lines.plx", plx + "\r\n  \r\n"},
             {"no-last-line-end.plx", plx.substr(0, plx.size() - 2)},
             {"lf-only.plx", Replaced(plx, "\r\n", "\n")},
             {"old-tarn.plt", test::ReadFile(test::DataFile("formats/old-tarn.plt"))},
             {"table.asc", test::ReadFile(test::DataFile("formats/table.asc"))},  // no line end at its end
             {"hand-typed.asc", "2 2\n0.001 0.002\n30 1.2e9 1.25e-6 1.1e-6\n60 4.5e9 1.2e-6 1e-6"},
             {"exponent-counts.asc", "2.000000E+00 1.000000E+00 1.0E-03 2.0E-03 9.0E+01 1.0E+10 1.0E-06 2.0E-06\n"},
             {"dos-end.asc", examples::ExampleFile("ps-small.asc").substr(0, 769) + "\x1A"},
         }) {
        LoadWindow w;
        EXPECT_TRUE(w.first(test::Write(dir, name, bytes))) << name;
        for (const auto& m : w.platform.messages)
            EXPECT_EQ(m.text.find("Invalid data file"), std::string::npos) << name << ": " << m.text;
    }
}

TEST(StrictReaders, LooksCutComparesWithTheNumberBefore) {
    EXPECT_TRUE(LooksCut("6.374363E-0", "6.285849E-06"));
    EXPECT_TRUE(LooksCut("6.37436", "6.285849E-06"));
    EXPECT_TRUE(LooksCut("0.9866", "0.98679894"));
    EXPECT_FALSE(LooksCut("6.374363E-06", "6.285849E-06"));
    EXPECT_FALSE(LooksCut("1e-6", "1.25e-6"));  // typed by hand: no fixed form
    EXPECT_FALSE(LooksCut("0.5", "0.25"));
    EXPECT_FALSE(LooksCut("12", "7"));
}

} // namespace
} // namespace zeb
