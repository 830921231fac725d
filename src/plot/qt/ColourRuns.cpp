#include "plot/qt/ColourRuns.h"

#include "plot/qt/ImagePixels.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zeb {

namespace {

#if defined(__SSE2__)
// Which of the four pixels at p hold the colour, as a bit mask.
int ColourRunsMask4(const QRgb* p, __m128i colour) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(v, colour)));
}
#endif

} // namespace

int ColourRuns::width() const { return pixels_.rect().width(); }
int ColourRuns::height() const { return pixels_.rect().height(); }

void ColourRuns::forget() {
    if (!used_) return;
    used_ = false;
    plainRuns_.clear();
    deepRuns_.clear();
    ++generation_;
    ++deepGeneration_;
    if (generation_ == 0 || deepGeneration_ == 0) {  // after four billion changes: start over
        rows_.clear();
        generation_ = deepGeneration_ = 1;
    }
}

void ColourRuns::prepare() {
    if (rows_.size() != static_cast<std::size_t>(height())) rows_.assign(static_cast<std::size_t>(height()), Row{});
}

bool ColourRuns::inside(const std::vector<Run>& store, const Runs& runs, int x0, int x1) {
    // The last run starting at or before x0 must reach x1.
    const auto begin = store.begin() + runs.first, end = begin + runs.count;
    const auto after = std::upper_bound(begin, end, x0, [](int x, const Run& r) { return x < r.first; });
    return after != begin && std::prev(after)->second >= x1;
}

bool ColourRuns::holds(int y, int x0, int x1) {
    if (pixels_.isNull() || y < 0 || y >= height() || x0 < 0 || x1 >= width() || x1 < x0) return false;
    prepare();
    const Runs& runs = plain(y);
    if (x0 >= runs.longest.first && x1 <= runs.longest.second) return true;
    return inside(plainRuns_, runs, x0, x1);
}

bool ColourRuns::slowHoldsAround(int y, int x0, int x1, int r) {
    if (pixels_.isNull() || r < 0 || x1 < x0 || y - r < 0 || y + r >= height() || x0 - r < 0 || x1 + r >= width())
        return false;
    prepare();
    if (r != radius_) {
        radius_ = r;
        deepRuns_.clear();
        if (++deepGeneration_ == 0) {
            rows_.assign(rows_.size(), Row{});
            generation_ = deepGeneration_ = 1;
            plainRuns_.clear();
        }
    }
    const Runs& runs = deep(y);
    if (x0 >= runs.longest.first && x1 <= runs.longest.second) return true;
    return inside(deepRuns_, runs, x0, x1);
}

const ColourRuns::Runs& ColourRuns::plain(int y) {
    Runs& runs = rows_[static_cast<std::size_t>(y)].plain;
    if (runs.generation == generation_) return runs;
    used_ = true;
    runs.generation = generation_;
    runs.first = static_cast<int>(plainRuns_.size());
    runs.longest = {1, 0};
    const QRgb* p = pixels_.row(y);
    const int w = width();
    int x = 0;
#if defined(__SSE2__)
    const __m128i colour = _mm_set1_epi32(static_cast<int>(colour_));
#endif
    while (x < w) {
        // Over pixels of other colours, four at a time where possible.
#if defined(__SSE2__)
        while (x + 4 <= w && ColourRunsMask4(p + x, colour) == 0) x += 4;
#endif
        while (x < w && p[x] != colour_) ++x;
        if (x >= w) break;
        const int start = x;
#if defined(__SSE2__)
        while (x + 4 <= w && ColourRunsMask4(p + x, colour) == 0xF) x += 4;
#endif
        while (x < w && p[x] == colour_) ++x;
        plainRuns_.emplace_back(start, x - 1);
        if (x - 1 - start > runs.longest.second - runs.longest.first) runs.longest = plainRuns_.back();
    }
    runs.count = static_cast<int>(plainRuns_.size()) - runs.first;
    return runs;
}

// The pixels whose square of radius r holds the colour: the runs of the rows
// y - r .. y + r, each shortened by r at both ends, and what they share.
const ColourRuns::Runs& ColourRuns::deep(int y) {
    Runs& runs = rows_[static_cast<std::size_t>(y)].deep;
    if (runs.generation == deepGeneration_) return runs;
    used_ = true;
    const int r = radius_;
    std::vector<Run>& shared = scratch_;
    std::vector<Run>& next = scratchNext_;
    shared.clear();
    for (int k = y - r; k <= y + r; ++k) {
        const Runs& row = plain(k);  // may add to plainRuns_: read before looking into it
        next.clear();
        auto run = plainRuns_.begin() + row.first;
        const auto end = run + row.count;
        if (k == y - r) {
            for (; run != end; ++run)
                if (run->second - run->first >= 2 * r) next.emplace_back(run->first + r, run->second - r);
        } else {
            // Both lists are sorted and without overlaps: walk them together.
            auto have = shared.begin();
            while (have != shared.end() && run != end) {
                const int from = std::max(have->first, run->first + r), to = std::min(have->second, run->second - r);
                if (from <= to) next.emplace_back(from, to);
                if (have->second < run->second - r) ++have;
                else ++run;
            }
        }
        shared.swap(next);
        if (shared.empty()) break;
    }
    runs.generation = deepGeneration_;
    runs.first = static_cast<int>(deepRuns_.size());
    runs.count = static_cast<int>(shared.size());
    runs.longest = {1, 0};
    for (const Run& d : shared) {
        deepRuns_.push_back(d);
        if (d.second - d.first > runs.longest.second - runs.longest.first) runs.longest = d;
    }
    return runs;
}

} // namespace zeb
