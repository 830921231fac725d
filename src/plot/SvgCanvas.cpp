#include "plot/SvgCanvas.h"

#include "data/CFormat.h"

#include <cmath>
#include <cstdio>

namespace zeb {

namespace {

std::string Color(Rgb c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
    return buf;
}

std::string Escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
        }
    }
    return out;
}

std::string Num(double v) { return CFormat("%.6g", v); }

double SvgEmOf(const LogFont& f) {
    if (f.height < 0) return -static_cast<double>(f.height);
    return (f.height ? f.height : 380) / 1.1172;
}

} // namespace

SvgCanvas::SvgCanvas(int w, int h) {
    out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(w / 100.0) + "mm\" height=\"" + Num(h / 100.0) +
           "mm\" viewBox=\"0 0 " + std::to_string(w) + " " + std::to_string(h) + "\">\n" +
           "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(w) + "\" height=\"" + std::to_string(h) +
           "\" fill=\"#ffffff\"/>\n";
}

std::string SvgCanvas::strokeAttributes() const {
    if (state_.penNull) return " stroke=\"none\"";
    return " stroke=\"" + Color(state_.penColor) + "\" stroke-width=\"" + std::to_string(std::max(state_.penWidth, 1)) +
           "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"";
}

std::string SvgCanvas::fillAttribute() const {
    return state_.brushNull ? " fill=\"none\"" : " fill=\"" + Color(state_.brushColor) + "\"";
}

void SvgCanvas::flushPath() {
    if (path_.empty()) return;
    out_ += "<path d=\"" + path_ + "\" fill=\"none\"" + strokeAttributes() + "/>\n";
    path_.clear();
}

void SvgCanvas::setPen(int width, Rgb color) {
    if (!state_.penNull && state_.penWidth == width && state_.penColor == color) return;
    flushPath();
    state_.penNull = false;
    state_.penWidth = width;
    state_.penColor = color;
}

void SvgCanvas::setNullPen() {
    flushPath();
    state_.penNull = true;
}

void SvgCanvas::setBrush(Rgb color) {
    state_.brushNull = false;
    state_.brushColor = color;
}

void SvgCanvas::setNullBrush() { state_.brushNull = true; }
void SvgCanvas::setFont(const LogFont& font) { state_.font = font; }

void SvgCanvas::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void SvgCanvas::lineTo(int x, int y) {
    if (state_.penNull) {
        moveTo(x, y);
        return;
    }
    path_ += "M" + std::to_string(x_) + " " + std::to_string(y_) + "L" + std::to_string(x) + " " + std::to_string(y);
    x_ = x;
    y_ = y;
}

void SvgCanvas::polyline(const std::vector<CanvasPoint>& points) {
    flushPath();
    std::string p;
    for (const auto& pt : points) p += std::to_string(pt.x) + "," + std::to_string(pt.y) + " ";
    out_ += "<polyline points=\"" + p + "\" fill=\"none\"" + strokeAttributes() + "/>\n";
}

void SvgCanvas::polygon(const std::vector<CanvasPoint>& points) {
    flushPath();
    std::string p;
    for (const auto& pt : points) p += std::to_string(pt.x) + "," + std::to_string(pt.y) + " ";
    out_ += "<polygon points=\"" + p + "\"" + fillAttribute() + strokeAttributes() + "/>\n";
}

void SvgCanvas::ellipse(int left, int top, int right, int bottom) {
    flushPath();
    out_ += "<ellipse cx=\"" + Num((left + right) / 2.0) + "\" cy=\"" + Num((top + bottom) / 2.0) + "\" rx=\"" +
            Num((right - left) / 2.0) + "\" ry=\"" + Num((bottom - top) / 2.0) + "\"" + fillAttribute() +
            strokeAttributes() + "/>\n";
}

void SvgCanvas::setPixel(int x, int y, Rgb color) {
    flushPath();
    out_ += "<rect x=\"" + std::to_string(x - 6) + "\" y=\"" + std::to_string(y - 6) +
            "\" width=\"12\" height=\"12\" fill=\"" + Color(color) + "\"/>\n";
}

void SvgCanvas::textOut(int x, int y, const std::string& text) {
    flushPath();
    const LogFont& f = state_.font;
    const double em = SvgEmOf(f);
    double dy = 0;  // from the reference point to the baseline, in the text's own direction
    switch (state_.align & kVerticalAlignMask) {
    case kAlignBaseline: dy = 0; break;
    case kAlignBottom: dy = -em * 0.2119; break;
    default: dy = em * 0.9053; break;
    }
    const unsigned h = state_.align & kHorizontalAlignMask;
    const char* anchor = h == kAlignCenter ? "middle" : h == kAlignRight ? "end" : "start";
    const double angle = f.escapement / 10.0;
    if (angle != 0)
        out_ += "<text x=\"0\" y=\"" + Num(dy) + "\" transform=\"translate(" + std::to_string(x) + " " +
                std::to_string(y) + ") rotate(" + Num(-angle) + ")\"";
    else
        out_ += "<text x=\"" + std::to_string(x) + "\" y=\"" + Num(y + dy) + "\"";
    out_ += " font-family=\"Liberation Sans, Arial, Helvetica, sans-serif\" font-size=\"" + Num(em) + "\"";
    if (f.weight >= 600) out_ += " font-weight=\"bold\"";
    if (f.italic) out_ += " font-style=\"italic\"";
    out_ += " text-anchor=\"" + std::string(anchor) + "\" fill=\"" + Color(state_.textColor) +
            "\" xml:space=\"preserve\">" + Escape(text) + "</text>\n";
}

// The chart cuts symbols, curves and error bars at its clip rectangle itself;
// an SVG clip path would only add what several viewers do not support.
void SvgCanvas::setClipRect(int, int, int, int) {}
void SvgCanvas::resetClip() {}

void SvgCanvas::save() {
    saved_.push_back(state_);
}

void SvgCanvas::restore() {
    if (saved_.empty()) return;
    flushPath();
    state_ = saved_.back();
    saved_.pop_back();
}

std::string SvgCanvas::finish() {
    if (!finished_) {
        flushPath();
        out_ += "</svg>\n";
        finished_ = true;
    }
    return out_;
}

} // namespace zeb
