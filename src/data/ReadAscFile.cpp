// The reader of number tables (.asc): nc, na, the nc concentrations, then per
// angle the angle (not used), q² and nc values of Kc/R. Numbers are separated
// by any white space; the line structure does not matter.
#include "app/texts/CommonTexts.h"
#include "app/texts/FileTexts.h"
#include "data/Readers.h"
#include "data/TFitF.h"
#include "data/TextLines.h"
#include "platform/AtomicFile.h"
#include "platform/Platform.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace zeb {

namespace {

// A number that is missing or not a number.
struct BadNumber {};

class NumberStream {
public:
    explicit NumberStream(const std::string& text) : text_(text) {}
    // The next number in single precision; non-finite numbers are returned as they are.
    float next() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        if (start == pos_) throw BadNumber{};
        const std::string_view token(text_.data() + start, pos_ - start);
        float v = 0;
        if (WholeFloat(token, v)) return v;
        if (isNonFinite(token)) return std::numeric_limits<float>::quiet_NaN();
        throw BadNumber{};
    }

private:
    static bool isNonFinite(std::string_view token) {
        std::string lower;
        for (char ch : token) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (!lower.empty() && (lower[0] == '+' || lower[0] == '-')) lower.erase(0, 1);
        return lower == "nan" || lower == "inf" || lower == "infinity";
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

// A count: truncated toward zero like the integer conversion of the old program.
double countOf(float v) {
    if (!std::isfinite(v)) throw BadNumber{};
    return std::trunc(static_cast<double>(v));
}

} // namespace

int ReadAscFile(TFitF& window) {
    Platform& platform = window.platform();
    MeasurementSet& set = window.set();
    const auto text = ReadWholeFile(window.currentPath());
    if (!text) {
        platform.beep();
        platform.inform(tx::FileCannotBeOpened, tx::CapError, MsgIcon::Exclamation);
        return kLoadFailed;
    }
    NumberStream numbers(*text);
    try {
        const double nc = countOf(numbers.next());
        if (nc >= 100) throw EOvlConcAngle();
        const double na = countOf(numbers.next());
        if (na > MeasurementSet::kMaxLoadedAngles) throw EOvlConcAngle();
        if (nc < 1 || na < 1) throw BadNumber{};
        std::vector<double> conc;
        for (int i = 0; i < static_cast<int>(nc); ++i) {
            const float c = numbers.next();
            if (!std::isfinite(c)) throw BadNumber{};
            conc.push_back(c);
        }
        const int firstColumn = set.lastConcIndex < 0 ? 1 : set.lastConcIndex + 1;
        for (double c : conc) set.AddConcentration(std::nullopt, 0.0f, 0.0f, c);

        for (int row = 0; row < static_cast<int>(na); ++row) {
            platform.processPendingMessages();
            numbers.next();  // the angle: not used
            const float q2f = numbers.next();
            if (!std::isfinite(q2f)) throw BadNumber{};
            const double q2 = q2f;
            const int a = set.AddQ2(q2);
            for (int i = 0; i < static_cast<int>(conc.size()); ++i) {
                if (!window.loading()) throw EAbortLoad();
                const double kcr = numbers.next();
                if (kcr > 0.0 && std::isfinite(kcr)) {
                    const int c = firstColumn + i;
                    set.DPSetWert(kCodeQ2, c, a, q2, 0.0, 0.0);
                    set.DPSetWert(kCodeKcr, c, a, kcr, 0.0, 0.0);
                    set.DPSetWert(kCodeKcrError, c, a, 0.01 * kcr, 0.0, 0.0);
                } else {
                    // Shown for every such value, not once per file.
                    platform.inform(tx::MissingMeasurementValues, tx::CapInformationLower, MsgIcon::Information);
                }
            }
        }
        set.MarkLoadedPoints();
    } catch (const BadNumber&) {
        platform.inform(tx::UnexpectedEndOfFile, tx::CapInformation, MsgIcon::Exclamation);
        return kLoadFailed;
    } catch (const EInternalError&) {
        return kLoadFailed;
    } catch (const EAbortLoad&) {
        return kLoadCancelled;
    }
    return kLoadOk;
}

} // namespace zeb
