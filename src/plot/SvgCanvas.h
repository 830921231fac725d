// A canvas that writes SVG in the chart's logical units (viewBox 16383 ×
// 13941). Text uses the Arial-compatible sans-serif face; its alignment is
// resolved with the built-in font metrics. Clip rectangles are not written:
// the chart drawing cuts its symbols and curves itself.
#pragma once

#include "plot/Canvas.h"

#include <string>
#include <vector>

namespace zeb {

class SvgCanvas : public Canvas {
public:
    SvgCanvas(int logicalWidth, int logicalHeight);

    void setPen(int width, Rgb color) override;
    void setNullPen() override;
    void setBrush(Rgb color) override;
    void setNullBrush() override;
    void setFont(const LogFont& font) override;
    void setTextColor(Rgb color) override { state_.textColor = color; }
    void setTextAlign(unsigned flags) override { state_.align = flags; }
    void setBackgroundTransparent(bool) override {}
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyline(const std::vector<CanvasPoint>& points) override;
    void polygon(const std::vector<CanvasPoint>& points) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void setPixel(int x, int y, Rgb color) override;
    void textOut(int x, int y, const std::string& text) override;
    TextSize textExtent(const std::string& text) override { return EstimateTextExtent(state_.font, text); }
    int fontDescent() override { return EstimateDescent(state_.font); }
    void setClipRect(int left, int top, int right, int bottom) override;
    void resetClip() override;
    void save() override;
    void restore() override;

    // Closes the document and returns it.
    std::string finish();

private:
    struct State {
        bool penNull = false;
        int penWidth = 1;
        Rgb penColor = kBlack;
        bool brushNull = false;
        Rgb brushColor = kWhite;
        LogFont font;
        Rgb textColor = kBlack;
        unsigned align = 0;
    };
    void flushPath();
    std::string strokeAttributes() const;
    std::string fillAttribute() const;

    std::string out_;
    std::string path_;  // an open run of lines with the current pen
    int x_ = 0, y_ = 0;
    State state_;
    std::vector<State> saved_;
    bool finished_ = false;
};

} // namespace zeb
