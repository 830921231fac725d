// Where a picture holds one colour, row by row: the runs of pixels of that
// colour, found when a row is first asked about, and the runs of pixels
// whose whole square neighbourhood of a given radius holds it. The curves of
// a chart ask about the same rows again and again (a hundred lines a few
// pixels apart), so each row is read once instead of once for every segment
// near it.
//
// What the runs say stays true while only that colour is drawn (a pixel of
// another colour may turn into it, which only makes the answer cautious);
// anything else drawn must be announced with forget().
#pragma once

#include <QRgb>

#include <utility>
#include <vector>

namespace zeb {

class ImagePixels;

class ColourRuns {
public:
    ColourRuns(const ImagePixels& pixels, QRgb colour) : pixels_(pixels), colour_(colour) {}

    QRgb colour() const { return colour_; }
    int width() const;
    int height() const;
    // True when every pixel of row y from x0 to x1 (inclusive) holds the
    // colour; false when any of them lies outside the picture.
    bool holds(int y, int x0, int x1);
    // True when every pixel of the rectangle [x0 - r, x1 + r] x [y - r, y + r]
    // holds the colour (r >= 0); false when any of them lies outside the picture.
    bool holdsAround(int y, int x0, int x1, int r) {
        if (y >= 0 && x0 <= x1 && r == radius_ && static_cast<std::size_t>(y) < rows_.size()) {
            const Row& row = rows_[static_cast<std::size_t>(y)];
            // Most questions fall into the row's longest run.
            if (row.deep.generation == deepGeneration_ && x0 >= row.deep.longest.first &&
                x1 <= row.deep.longest.second)
                return true;
        }
        return slowHoldsAround(y, x0, x1, r);
    }
    // The picture changed: every row is read again when next asked about.
    void forget();

private:
    using Run = std::pair<int, int>;  // first and last pixel
    struct Runs {
        unsigned generation = 0;  // of the runs below; 0: none yet
        int first = 0;            // index of the first run in its store
        int count = 0;
        Run longest{1, 0};  // the longest run (none: first > second)
    };
    struct Row {
        Runs plain;  // pixels of the colour
        Runs deep;   // pixels with their neighbourhood of radius_ in the colour
    };
    bool slowHoldsAround(int y, int x0, int x1, int r);
    const Runs& plain(int y);
    const Runs& deep(int y);
    void prepare();
    static bool inside(const std::vector<Run>& store, const Runs& runs, int x0, int x1);

    const ImagePixels& pixels_;
    QRgb colour_;
    unsigned generation_ = 1;      // of the plain runs
    unsigned deepGeneration_ = 1;  // of the deep runs
    int radius_ = -1;              // of the deep runs
    bool used_ = false;            // runs were found since the last change
    std::vector<Row> rows_;
    std::vector<Run> plainRuns_;  // rows in the order read
    std::vector<Run> deepRuns_;
    std::vector<Run> scratch_;
    std::vector<Run> scratchNext_;
};

} // namespace zeb
