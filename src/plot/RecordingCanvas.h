// A canvas that keeps every drawing call with the state it was made in, so
// that tests can ask what was drawn where. Text is measured with the built-in
// font metrics.
#pragma once

#include "plot/Canvas.h"

#include <optional>
#include <vector>

namespace zeb {

struct ClipRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ClipRect&) const = default;
};

struct CanvasState {
    bool penNull = false;
    int penWidth = 1;
    Rgb penColor = kBlack;
    bool brushNull = false;
    Rgb brushColor = kWhite;
    LogFont font;
    Rgb textColor = kBlack;
    unsigned textAlign = 0;
    bool transparent = false;
    std::optional<ClipRect> clip;
    CanvasPoint position;
};

struct CanvasOp {
    enum Kind { Line, Polyline, Polygon, Ellipse, Pixel, Text } kind = Line;
    std::vector<CanvasPoint> points;  // Line: from, to; Ellipse: top left, bottom right
    std::string text;
    Rgb pixelColor = 0;
    CanvasState state;
};

class RecordingCanvas : public Canvas {
public:
    void setPen(int width, Rgb color) override;
    void setNullPen() override { state_.penNull = true; }
    void setBrush(Rgb color) override;
    void setNullBrush() override { state_.brushNull = true; }
    void setFont(const LogFont& font) override { state_.font = font; }
    void setTextColor(Rgb color) override { state_.textColor = color; }
    void setTextAlign(unsigned flags) override { state_.textAlign = flags; }
    void setBackgroundTransparent(bool transparent) override { state_.transparent = transparent; }
    void moveTo(int x, int y) override { state_.position = {x, y}; }
    void lineTo(int x, int y) override;
    void polyline(const std::vector<CanvasPoint>& points) override;
    void polygon(const std::vector<CanvasPoint>& points) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void setPixel(int x, int y, Rgb color) override;
    void textOut(int x, int y, const std::string& text) override;
    TextSize textExtent(const std::string& text) override { return EstimateTextExtent(state_.font, text); }
    int fontDescent() override { return EstimateDescent(state_.font); }
    void setClipRect(int left, int top, int right, int bottom) override;
    void resetClip() override { state_.clip.reset(); }
    void save() override { saved_.push_back(state_); }
    void restore() override;

    const std::vector<CanvasOp>& ops() const { return ops_; }
    std::vector<const CanvasOp*> ofKind(CanvasOp::Kind kind) const;
    const CanvasOp* findText(const std::string& text) const;
    int saveDepth() const { return static_cast<int>(saved_.size()); }
    void clear() { ops_.clear(); }

private:
    void add(CanvasOp::Kind kind, std::vector<CanvasPoint> points, std::string text = {}, Rgb pixel = 0);

    CanvasState state_;
    std::vector<CanvasState> saved_;
    std::vector<CanvasOp> ops_;
};

} // namespace zeb
