#include "data/AscTable.h"

#include "data/CFormat.h"
#include "data/LoadErrors.h"
#include "data/MeasurementSet.h"
#include "data/PlausibleRanges.h"
#include "data/TextLines.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace zeb {

namespace {

using Kind = ReadProblem::Kind;

struct Token {
    std::string_view text;
    int line = 0;
};

class Tokens {
public:
    explicit Tokens(std::string_view text) : text_(text) {}

    bool next(Token& token) {
        while (pos_ < text_.size() && isSpace(text_[pos_])) {
            line_ += text_[pos_] == '\n';
            ++pos_;
        }
        if (pos_ >= text_.size() || onlyEndMarks()) return false;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !isSpace(text_[pos_])) ++pos_;
        token = {text_.substr(start, pos_ - start), line_};
        return true;
    }
    // True when the text ends right after the token last returned.
    bool endsHere() const { return pos_ == text_.size(); }

private:
    // The blanks of the C locale, whatever the user's; a DOS end-of-file mark
    // ends a number as a blank does.
    static bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }
    bool onlyEndMarks() const { return OnlyBlanks(text_.substr(pos_)); }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

class AscParser {
public:
    AscParser(std::string_view text, const std::function<void()>& pending) : tokens_(text), pending_(pending) {}

    AscTable run() {
        const int nc = count("number of concentrations", "concentration values", MeasurementSet::kMaxLoadedConc);
        const int na = count("number of angles", "angle values", MeasurementSet::kMaxLoadedAngles);
        std::vector<std::pair<int, std::string>> impossible;  // line, what
        for (int i = 0; i < nc; ++i) {
            const double c = number(CFormat("concentration %d of %d", i + 1, nc));
            table_.concentrationsGPerCm3.push_back(c);
            table_.concentrationKept.push_back(Plausible(Quantity::Concentration, c));
            if (!table_.concentrationKept.back())
                impossible.emplace_back(last_.line, ValueText(Quantity::Concentration, c) +
                                                        CFormat(" (concentration %d of %d, with its %s)", i + 1, nc,
                                                                CountOf(na, "value").c_str()));
        }
        for (int r = 0; r < na; ++r) {
            if (pending_) pending_();
            const std::string where = CFormat("angle row %d of %d", r + 1, na);
            number(where);  // the angle: not used
            std::vector<std::string_view> texts{last_.text};
            const int rowLine = last_.line;
            AscTable::Row row;
            row.q2PerCm2 = number(where);
            texts.push_back(last_.text);
            row.kept = Plausible(Quantity::Q2, row.q2PerCm2);
            if (!row.kept)
                impossible.emplace_back(last_.line, ValueText(Quantity::Q2, row.q2PerCm2) +
                                                        CFormat(" (angle row %d of %d, with its %s)", r + 1, na,
                                                                CountOf(nc, "value").c_str()));
            for (int i = 0; i < nc; ++i) {
                const double kcr = value(where);
                const bool loaded = row.kept && table_.concentrationKept[static_cast<std::size_t>(i)];
                // Not above 0: missing. Above 0: in its range, or left out.
                const bool possible = !(kcr > 0.0) || Plausible(Quantity::Kcr, kcr);
                if (loaded && !possible)
                    impossible.emplace_back(last_.line, ValueText(Quantity::Kcr, kcr) +
                                                            CFormat(" (angle row %d, concentration %d)", r + 1, i + 1));
                if (loaded && possible && !(kcr > 0.0)) ++table_.missingValues;
                row.kcr.push_back(kcr);
                row.kcrKept.push_back(loaded && possible);
                texts.push_back(last_.text);
            }
            for (std::size_t k = 0; k < rowTexts_.size(); ++k)
                if (rowTexts_[k] == texts)
                    Refuse(Kind::Invalid, rowLine, CFormat("angle row %d is written twice (rows %d and %d)",
                                                           static_cast<int>(k) + 1, static_cast<int>(k) + 1, r + 1));
            rowTexts_.push_back(std::move(texts));
            table_.rows.push_back(std::move(row));
        }
        Token surplus;
        if (tokens_.next(surplus))
            Refuse(Kind::Invalid, surplus.line,
                   CFormat("%s follows the table of %d concentrations and %d angles, which ends on line %d",
                           QuotedStart(surplus.text).c_str(), nc, na, last_.line));
        if (tokens_.endsHere()) checkNotCut(nc, na);
        std::stable_sort(impossible.begin(), impossible.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [line, what] : impossible) table_.impossible.push_back(CFormat("line %d: ", line) + what);
        return std::move(table_);
    }

private:
    Token take(const std::string& what) {
        if (!tokens_.next(last_))
            Refuse(Kind::EndsEarly, last_.line > 0 ? last_.line : 1, "the file ends before " + what);
        return last_;
    }

    int count(const char* what, const char* values, int limit) {
        const Token t = take(std::string("the ") + what);
        float v = 0;
        if (!WholeFloat(t.text, v)) Refuse(Kind::Invalid, t.line, std::string("the ") + what + " " + QuotedStart(t.text) + " is no number");
        // Counts are whole numbers, written as "4" or "4.000000E+00"; "2.9" is no count.
        if (v != std::trunc(v))
            Refuse(Kind::Invalid, t.line, std::string("the ") + what + " " + QuotedStart(t.text) + " is not a whole number");
        if (v > limit) throw EOvlConcAngle(GridLimitDetail(values, v, limit));
        if (v < 1) Refuse(Kind::Invalid, t.line, std::string("the ") + what + " is " + QuotedStart(t.text));
        return static_cast<int>(v);
    }

    double number(const std::string& what) {
        const Token t = take(what);
        float v = 0;
        if (!WholeFloat(t.text, v))
            Refuse(Kind::Invalid, t.line, QuotedStart(t.text) + " in " + what + " is no number");
        return v;
    }

    // A Kc/R value: a number, or "nan" or "inf" for a value that was not measured.
    double value(const std::string& what) {
        const Token t = take(what);
        float v = 0;
        if (WholeFloat(t.text, v)) return v;
        std::string lower;
        for (char ch : t.text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (!lower.empty() && (lower[0] == '+' || lower[0] == '-')) lower.erase(0, 1);
        if (lower == "nan" || lower == "inf" || lower == "infinity") return NAN;
        Refuse(Kind::Invalid, t.line, QuotedStart(t.text) + " in " + what + " is no number");
    }

    // The file ends inside its last number when that is written shorter than
    // the Kc/R before it in the row, or above it in the previous row.
    void checkNotCut(int nc, int na) {
        std::string_view comparable;
        const auto& lastRow = rowTexts_.back();
        if (nc >= 2) comparable = lastRow[lastRow.size() - 2];
        else if (na >= 2) comparable = rowTexts_[rowTexts_.size() - 2].back();
        if (!comparable.empty() && LooksCut(last_.text, comparable))
            Refuse(Kind::EndsEarly, last_.line,
                   "the file ends inside the number " + QuotedStart(last_.text) + " (compare " + QuotedStart(comparable) + ")");
    }

    Tokens tokens_;
    const std::function<void()>& pending_;
    AscTable table_;
    Token last_;
    std::vector<std::vector<std::string_view>> rowTexts_;  // angle, q² and Kc/R of every row as written
};

} // namespace

bool AscTable::nothingLeft() const {
    for (const Row& row : rows)
        for (bool kept : row.kcrKept)
            if (kept) return false;
    return true;
}

AscTable ParseAscTable(std::string_view text, const std::function<void()>& pending) {
    if (const auto at = BinaryByteAt(text))
        Refuse(Kind::Invalid, LineOfOffset(text, *at), CFormat("byte %u: this is no text file", static_cast<unsigned>(static_cast<unsigned char>(text[*at]))));
    return AscParser(text, pending).run();
}

} // namespace zeb
