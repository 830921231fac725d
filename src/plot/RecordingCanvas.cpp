#include "plot/RecordingCanvas.h"

namespace zeb {

void RecordingCanvas::add(CanvasOp::Kind kind, std::vector<CanvasPoint> points, std::string text, Rgb pixel) {
    CanvasOp op;
    op.kind = kind;
    op.points = std::move(points);
    op.text = std::move(text);
    op.pixelColor = pixel;
    op.state = state_;
    ops_.push_back(std::move(op));
}

void RecordingCanvas::setPen(int width, Rgb color) {
    state_.penNull = false;
    state_.penWidth = width;
    state_.penColor = color;
}

void RecordingCanvas::setBrush(Rgb color) {
    state_.brushNull = false;
    state_.brushColor = color;
}

void RecordingCanvas::lineTo(int x, int y) {
    add(CanvasOp::Line, {state_.position, {x, y}});
    state_.position = {x, y};
}

void RecordingCanvas::polyline(const std::vector<CanvasPoint>& points) { add(CanvasOp::Polyline, points); }
void RecordingCanvas::polygon(const std::vector<CanvasPoint>& points) { add(CanvasOp::Polygon, points); }

void RecordingCanvas::ellipse(int left, int top, int right, int bottom) {
    add(CanvasOp::Ellipse, {{left, top}, {right, bottom}});
}

void RecordingCanvas::setPixel(int x, int y, Rgb color) { add(CanvasOp::Pixel, {{x, y}}, {}, color); }

void RecordingCanvas::textOut(int x, int y, const std::string& text) { add(CanvasOp::Text, {{x, y}}, text); }

void RecordingCanvas::setClipRect(int left, int top, int right, int bottom) {
    state_.clip = ClipRect{left, top, right, bottom};
}

void RecordingCanvas::restore() {
    if (saved_.empty()) return;
    state_ = saved_.back();
    saved_.pop_back();
}

std::vector<const CanvasOp*> RecordingCanvas::ofKind(CanvasOp::Kind kind) const {
    std::vector<const CanvasOp*> out;
    for (const auto& op : ops_)
        if (op.kind == kind) out.push_back(&op);
    return out;
}

const CanvasOp* RecordingCanvas::findText(const std::string& text) const {
    for (const auto& op : ops_)
        if (op.kind == CanvasOp::Text && op.text == text) return &op;
    return nullptr;
}

} // namespace zeb
