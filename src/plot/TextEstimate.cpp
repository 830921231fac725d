#include "platform/CodePage.h"
#include "plot/Canvas.h"

#include <cmath>
#include <cstdlib>

namespace zeb {

namespace {

// Advance widths of the printable ASCII characters in thousandths of the em,
// regular and bold, of the Arial-compatible sans-serif face.
constexpr short kRegular[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};
constexpr short kBold[95] = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611, 975, 722, 722, 722, 722, 667,
    611, 778, 722, 278, 556, 722, 611, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667,
    667, 611, 333, 278, 333, 584, 556, 333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556,
    278, 889, 611, 611, 611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};

// Vertical metrics of the face per em: ascent 1854/2048, descent 434/2048,
// average character width 904/2048.
constexpr double kAscent = 0.9053;
constexpr double kDescent = 0.2119;
constexpr double kAverageWidth = 0.4414;

double EmOf(const LogFont& f) {
    if (f.height > 0) return f.height / (kAscent + kDescent);
    if (f.height < 0) return -static_cast<double>(f.height);
    return 380 / (kAscent + kDescent);
}

int Advance(char32_t c, bool bold) {
    if (c >= 32 && c < 127) return (bold ? kBold : kRegular)[c - 32];
    switch (c) {
    case U'\u00B2': case U'\u00B3': return 333;  // superscript two, three
    case U'\u00D7': return 584;                   // multiplication sign
    case U'\u00B5': return bold ? 611 : 556;      // micro sign
    default: return 556;
    }
}

} // namespace

TextSize EstimateTextExtent(const LogFont& f, const std::string& text) {
    const double em = EmOf(f);
    const double stretch = f.width > 0 ? f.width / (kAverageWidth * em) : 1.0;
    const bool bold = f.weight >= 600;
    long sum = 0;
    for (std::size_t i = 0; i < text.size();) sum += Advance(DecodeUtf8(text, i), bold);
    TextSize s;
    s.width = static_cast<int>(std::lround(sum / 1000.0 * em * stretch));
    s.height = static_cast<int>(std::lround(em * (kAscent + kDescent)));
    return s;
}

int EstimateDescent(const LogFont& f) { return static_cast<int>(std::lround(EmOf(f) * kDescent)); }

} // namespace zeb
