#include "data/PltPlxContent.h"

#include "data/CFormat.h"
#include "data/FileText.h"
#include "data/LoadErrors.h"
#include "data/PlausibleRanges.h"
#include "data/TextLines.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace zeb {

namespace {

using Kind = ReadProblem::Kind;

// Longer lines are refused, never cut into wrong values.
constexpr std::size_t kMaxLineBytes = 1024;
constexpr std::size_t kPltSampleNameChars = 40;
constexpr std::size_t kSolventNameChars = 25;
constexpr std::size_t kSourceNameChars = 260;
constexpr int kPendingInterval = 25;
constexpr int kListValuesPerLine = 5;
constexpr int kStoredValues = 10;
constexpr const char* kCrOnly =
    "the lines end with a carriage return alone (CR, as on old Macintosh computers); they must end with CR LF or LF";

class PltPlxParser {
public:
    PltPlxParser(std::string_view text, bool plx, PltPlxRoom room, const std::function<void()>& pending)
        : text_(text), lines_(text, kMaxLineBytes), room_(room), pending_(pending) {
        content_.plx = plx;
    }

    PltPlxContent run() {
        if (const auto at = BinaryByteAt(text_))
            Refuse(Kind::Invalid, LineOfOffset(text_, *at),
                   CFormat("byte %u: this is no text file",
                           static_cast<unsigned>(static_cast<unsigned char>(text_[*at]))));
        if (text_.find('\n') == std::string_view::npos && text_.find('\r') != std::string_view::npos)
            Refuse(Kind::Invalid, 1, kCrOnly);
        content_.sampleName =
            TrimTrailingBlanks(Utf8Left(DecodeFileText(line("the sample name")), kPltSampleNameChars));
        content_.solventName = Utf8Left(DecodeFileText(line("the solvent name")), kSolventNameChars);
        if (content_.plx) plxHeader();
        else pltHeader();
        valueTable();
        checkRanges();
        return std::move(content_);
    }

private:
    std::string line(const std::string& what) {
        std::string text;
        if (lines_.next(text)) return text;
        if (lines_.tooLong()) {
            if (lines_.rest().substr(0, kMaxLineBytes).find('\r') != std::string_view::npos)
                Refuse(Kind::Invalid, lines_.lineNumber(), kCrOnly);
            Refuse(Kind::Invalid, lines_.lineNumber(), CFormat("the line is longer than %d bytes", int(kMaxLineBytes)));
        }
        Refuse(Kind::EndsEarly, lines_.lineNumber() + 1, "the file ends before " + what);
    }

    double leadingNumber(const std::string& what) {
        const std::string text = line(what);
        const std::string_view field = LeadingField(text);
        double v = 0;
        if (!WholeDouble(field, v)) Refuse(Kind::Invalid, lines_.lineNumber(), what + " " + QuotedStart(field) + " is no number");
        return v;
    }

    // A count of values ("%d" at the line start): digits only, and at most limit.
    int count(const std::string& what, int limit, const char* values = "values") {
        const std::string text = line(what);
        const std::string_view field = LeadingField(text);
        int n = 0;
        if (!WholeInt(field, n)) Refuse(Kind::Invalid, lines_.lineNumber(), what + " " + QuotedStart(field) + " is no whole number");
        if (n > limit) throw EOvlConcAngle(GridLimitDetail(values, n, limit));
        return n;
    }

    void pending() {
        if (++sincePending_ >= kPendingInterval) {
            sincePending_ = 0;
            if (pending_) pending_();
        }
    }

    // n values, five to a line; only the last line may hold fewer. lines: the
    // line of every value.
    std::vector<double> numberList(int n, const std::string& what, std::vector<int>& lines) {
        std::vector<double> values;
        values.reserve(static_cast<std::size_t>(n));
        while (static_cast<int>(values.size()) < n) {
            const int left = n - static_cast<int>(values.size());
            const std::string text = line(CFormat("value %d of the %d ", int(values.size()) + 1, n) + what);
            const auto fields = SplitFields(text, " ,\t");
            const int expected = std::min(kListValuesPerLine, left);
            if (static_cast<int>(fields.size()) != expected)
                Refuse(Kind::Invalid, lines_.lineNumber(),
                       CountOf(static_cast<long long>(fields.size()), "value") + " on a line of the list of " +
                           std::to_string(n) + " " + what + CFormat("; %d expected", expected));
            for (auto field : fields) {
                double v = 0;
                if (!WholeDouble(field, v)) Refuse(Kind::Invalid, lines_.lineNumber(), QuotedStart(field) + " is no number");
                values.push_back(v);
                lines.push_back(lines_.lineNumber());
                pending();
            }
        }
        return values;
    }

    int nonEmpty(int n, const char* what) {
        if (n < 1) Refuse(Kind::EndsEarly, lines_.lineNumber(), CFormat("the file declares %d %s", n, what));
        return n;
    }

    void pltHeader() {
        content_.temperatureK = leadingNumber("the temperature");
        temperatureLine_ = lines_.lineNumber();
        count("the number of wavelengths", 1 << 30);
        content_.wavelengthNm = leadingNumber("the wavelength");
        wavelengthLine_ = lines_.lineNumber();
        nq_ = nonEmpty(count("the number of q\u00b2 values", room_.q2Values, "q\u00b2 values"), "q\u00b2 values");
        content_.q2PerCm2 = numberList(nq_, "q\u00b2 values", q2Lines_);
        nc_ = nonEmpty(count("the number of concentrations", room_.concentrations, "concentrations"), "concentrations");
        content_.concentrationsGPerCm3 = numberList(nc_, "concentrations", concentrationLines_);
        line("the description of the value lines");
        line("the order of the value lines");
    }

    void plxHeader() {
        nc_ = nonEmpty(count("the number of concentrations", room_.concentrations, "concentrations"), "concentrations");
        for (int i = 0; i < nc_; ++i) {
            const std::string text = line(CFormat("concentration %d of %d", i + 1, nc_));
            const std::string_view field = LeadingField(text);
            double c = 0;
            if (!WholeDouble(field, c)) Refuse(Kind::Invalid, lines_.lineNumber(), "the concentration " + QuotedStart(field) + " is no number");
            concentrationLines_.push_back(lines_.lineNumber());
            const auto colon = text.find(':', 1);
            if (colon == std::string::npos)
                Refuse(Kind::Invalid, lines_.lineNumber(), "the concentration line has no \":\" before its file name");
            const auto start = text.find_first_not_of(' ', colon + 1);
            std::string name = DecodeFileText(start == std::string::npos ? std::string() : text.substr(start));
            // A name that is no text is written percent-encoded, and says so before the colon.
            if (std::string_view(text).substr(0, colon).ends_with("(percent-encoded)")) name = PercentDecode(name);
            content_.concentrationsGPerCm3.push_back(c);
            content_.sourceNames.push_back(Utf8Left(name, kSourceNameChars));
        }
        line("the description of the viscosities");
        for (double v : numberList(nc_, "viscosities", viscosityLines_))
            content_.viscositiesMPas.push_back(static_cast<float>(v));
        line("the description of the temperatures");
        for (double v : numberList(nc_, "temperatures", temperatureLines_))
            content_.temperaturesK.push_back(static_cast<float>(v));
        nq_ = nonEmpty(count("the number of q\u00b2 values", room_.q2Values, "q\u00b2 values"), "q\u00b2 values");
        content_.q2PerCm2 = numberList(nq_, "q\u00b2 values", q2Lines_);
        line("the description of the value lines");
        line("the order of the value lines");
    }

    void valueTable() {
        const int lines = nc_ * nq_;  // at most 99 × 135
        content_.values.reserve(static_cast<std::size_t>(lines));
        std::string previous;
        for (int k = 0; k < lines; ++k) {
            const std::string text =
                line(CFormat("value line %d of %d (concentration %d, q\u00b2 %d)", k + 1, lines, k / nq_ + 1, k % nq_ + 1));
            const auto fields = SplitFields(text, " ,\t");
            if (k == 0) {
                if (fields.empty()) Refuse(Kind::Invalid, lines_.lineNumber(), "the first value line is empty");
                content_.valuesPerLine = static_cast<int>(fields.size());
            } else if (static_cast<int>(fields.size()) != content_.valuesPerLine) {
                Refuse(lines_.lineEnded() ? Kind::Invalid : Kind::EndsEarly, lines_.lineNumber(),
                       CountOf(static_cast<long long>(fields.size()), "value") +
                           CFormat(" where every value line holds %d, as the first does", content_.valuesPerLine));
            }
            std::array<double, kStoredValues> values{};
            for (std::size_t f = 0; f < fields.size(); ++f) {
                double v = 0;
                // A field that is no number is an undetermined value: -1.
                if (!WholeDouble(fields[f], v)) {
                    v = -1.0;
                    content_.notNumbers.push_back(CFormat("line %d: ", lines_.lineNumber()) + QuotedStart(fields[f]));
                }
                if (f < values.size()) values[f] = v;
                pending();
            }
            content_.values.push_back(values);
            valueLines_.push_back(lines_.lineNumber());
            if (!lines_.lineEnded()) {
                // The file ends inside this line: its last number may be cut.
                const auto before = k > 0 ? SplitFields(previous, " ,\t") : fields;
                const std::size_t at = k > 0 ? fields.size() - 1 : fields.size() - 2;
                if ((k > 0 || fields.size() >= 2) && LooksCut(fields.back(), before[at]))
                    Refuse(Kind::EndsEarly, lines_.lineNumber(),
                           "the file ends inside the number " + QuotedStart(fields.back()));
            }
            previous = text;
        }
        const std::string_view rest = lines_.rest();
        if (!OnlyBlanks(rest)) {
            const std::size_t at = rest.find_first_not_of(" \t\r\n\f\v\x1A");
            const std::size_t offset = text_.size() - rest.size() + at;
            const std::size_t end = text_.find_first_of("\r\n", offset);
            Refuse(Kind::Invalid, LineOfOffset(text_, offset),
                   CFormat("%s follows the table of %d \u00d7 %d value lines",
                           QuotedStart(text_.substr(offset, end == std::string_view::npos ? std::string_view::npos : end - offset)).c_str(),
                           nc_, nq_));
        }
    }

    // Why a value line cannot be a measurement (the first value outside its
    // range), or nothing. A value that is not above 0 is missing; R of -1 and
    // its error of -1 are not known.
    std::string impossibleInLine(const std::array<double, kStoredValues>& v) const {
        static constexpr const char* kNames[4] = {"Kc/R", "Dapp I", "Dapp II", "Dapp III"};
        static constexpr const char* kErrors[4] = {"error of Kc/R", "error of Dapp I", "error of Dapp II",
                                                   "error of Dapp III"};
        const int n = content_.valuesPerLine;
        for (int k = 0; k < 8 && k < n; k += 2) {
            const Quantity q = k == 0 ? Quantity::Kcr : Quantity::Dapp;
            const double value = v[static_cast<std::size_t>(k)];
            if (!(value > 0.0)) continue;
            if (!Plausible(q, value)) return ValueText(q, value, kNames[k / 2]);
            if (k + 1 < n && !PlausibleError(q, value, v[static_cast<std::size_t>(k + 1)]))
                return ValueText(q, v[static_cast<std::size_t>(k + 1)], kErrors[k / 2]);
        }
        if (n > 8 && v[8] != -1.0) {
            if (!Plausible(Quantity::RSample, v[8])) return ValueText(Quantity::RSample, v[8]);
            if (n > 9 && v[9] != -1.0 && !PlausibleError(Quantity::RSample, v[8], v[9]))
                return ValueText(Quantity::RSample, v[9], "error of the excess scattering ratio");
        }
        return {};
    }

    // Values no measurement can have leave out the lines that hold them, and
    // a concentration, a q² value or a header value all the value lines that
    // depend on it.
    void checkRanges() {
        std::vector<std::pair<int, std::string>> found;  // line, what
        bool headerKept = true;
        if (!content_.plx) {
            const std::pair<int, std::string> header[] = {
                {Plausible(Quantity::Temperature, content_.temperatureK) ? 0 : temperatureLine_,
                 ValueText(Quantity::Temperature, content_.temperatureK)},
                {Plausible(Quantity::Wavelength, content_.wavelengthNm) ? 0 : wavelengthLine_,
                 ValueText(Quantity::Wavelength, content_.wavelengthNm)}};
            for (const auto& [at, what] : header)
                if (at > 0) {
                    found.emplace_back(at, what + " (for every value line)");
                    headerKept = false;
                }
        }
        const std::string withConcentration = CFormat(", with its %s)", CountOf(nq_, "value line").c_str());
        content_.concentrationKept.assign(static_cast<std::size_t>(nc_), true);
        for (int i = 0; i < nc_; ++i) {
            const auto k = static_cast<std::size_t>(i);
            const std::string which = CFormat(" (concentration %d of %d", i + 1, nc_) + withConcentration;
            std::vector<std::pair<int, std::string>> bad;
            if (!Plausible(Quantity::Concentration, content_.concentrationsGPerCm3[k]))
                bad.emplace_back(concentrationLines_[k], ValueText(Quantity::Concentration, content_.concentrationsGPerCm3[k]));
            else if (content_.plx && !Plausible(Quantity::Viscosity, content_.viscositiesMPas[k]))
                bad.emplace_back(viscosityLines_[k], ValueText(Quantity::Viscosity, content_.viscositiesMPas[k]));
            else if (content_.plx && !Plausible(Quantity::Temperature, content_.temperaturesK[k]))
                bad.emplace_back(temperatureLines_[k], ValueText(Quantity::Temperature, content_.temperaturesK[k]));
            for (const auto& [at, what] : bad) {
                found.emplace_back(at, what + which);
                content_.concentrationKept[k] = false;
            }
        }
        const std::string withQ2 = CFormat(", with its %s)", CountOf(nc_, "value line").c_str());
        content_.q2Kept.assign(static_cast<std::size_t>(nq_), true);
        for (int j = 0; j < nq_; ++j) {
            const auto k = static_cast<std::size_t>(j);
            if (Plausible(Quantity::Q2, content_.q2PerCm2[k])) continue;
            content_.q2Kept[k] = false;
            found.emplace_back(q2Lines_[k], ValueText(Quantity::Q2, content_.q2PerCm2[k]) +
                                                CFormat(" (q\u00b2 value %d of %d", j + 1, nq_) + withQ2);
        }
        content_.lineKept.assign(content_.values.size(), false);
        for (std::size_t k = 0; k < content_.values.size(); ++k) {
            const auto i = k / static_cast<std::size_t>(nq_), j = k % static_cast<std::size_t>(nq_);
            if (!headerKept || !content_.concentrationKept[i] || !content_.q2Kept[j]) continue;
            if (const std::string why = impossibleInLine(content_.values[k]); !why.empty())
                found.emplace_back(valueLines_[k], why);
            else
                content_.lineKept[k] = true;
        }
        std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [at, what] : found) content_.impossible.push_back(CFormat("line %d: ", at) + what);
    }

    std::string_view text_;
    TextLineReader lines_;
    PltPlxRoom room_;
    const std::function<void()>& pending_;
    PltPlxContent content_;
    int nc_ = 0;
    int nq_ = 0;
    int sincePending_ = 0;
    // Where the values are: for the messages about values no measurement can have.
    int temperatureLine_ = 0;
    int wavelengthLine_ = 0;
    std::vector<int> q2Lines_;
    std::vector<int> concentrationLines_;
    std::vector<int> viscosityLines_;
    std::vector<int> temperatureLines_;
    std::vector<int> valueLines_;
};

} // namespace

bool PltPlxContent::nothingLeft() const { return std::find(lineKept.begin(), lineKept.end(), true) == lineKept.end(); }

PltPlxContent ParsePltPlx(std::string_view text, bool plx, PltPlxRoom room, const std::function<void()>& pending) {
    return PltPlxParser(text, plx, room, pending).run();
}

} // namespace zeb
