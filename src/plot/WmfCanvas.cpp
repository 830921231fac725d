#include "plot/WmfCanvas.h"

#include "platform/CodePage.h"

#include <algorithm>

namespace zeb {

namespace {

enum : std::uint16_t {
    kMetaEof = 0x0000,
    kMetaSaveDc = 0x001E,
    kMetaSetBkMode = 0x0102,
    kMetaRestoreDc = 0x0127,
    kMetaSelectObject = 0x012D,
    kMetaSetTextAlign = 0x012E,
    kMetaDeleteObject = 0x01F0,
    kMetaSetTextColor = 0x0209,
    kMetaSetWindowOrg = 0x020B,
    kMetaSetWindowExt = 0x020C,
    kMetaLineTo = 0x0213,
    kMetaMoveTo = 0x0214,
    kMetaCreatePenIndirect = 0x02FA,
    kMetaCreateFontIndirect = 0x02FB,
    kMetaCreateBrushIndirect = 0x02FC,
    kMetaPolygon = 0x0324,
    kMetaPolyline = 0x0325,
    kMetaIntersectClipRect = 0x0416,
    kMetaEllipse = 0x0418,
    kMetaSetPixel = 0x041F,
    kMetaTextOut = 0x0521,
};

constexpr std::uint16_t kPenSolid = 0, kPenNull = 5;
constexpr std::uint16_t kBrushSolid = 0, kBrushNull = 1;

std::uint16_t W(int v) {  // a signed 16-bit coordinate, held inside its range
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(v, -32768, 32767)));
}
std::uint16_t Lo(std::uint32_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); }
std::uint16_t Hi(std::uint32_t v) { return static_cast<std::uint16_t>(v >> 16); }

void PutWord(std::vector<std::uint8_t>& out, std::uint16_t w) {
    out.push_back(static_cast<std::uint8_t>(w & 0xFF));
    out.push_back(static_cast<std::uint8_t>(w >> 8));
}

} // namespace

WmfCanvas::WmfCanvas(int logicalWidth, int logicalHeight, bool diskMetafile) : disk_(diskMetafile) {
    record(kMetaSetWindowOrg, {0, 0});
    record(kMetaSetWindowExt, {W(logicalHeight), W(logicalWidth)});
    // An invisible rectangle over the whole space: readers that size a picture
    // by what it draws then keep the layout of the full logical space.
    setNullPen();
    setNullBrush();
    polygon({{0, 0}, {logicalWidth, 0}, {logicalWidth, logicalHeight}, {0, logicalHeight}});
}

void WmfCanvas::record(std::uint16_t function, const std::vector<std::uint16_t>& params) {
    const std::uint32_t size = 3 + static_cast<std::uint32_t>(params.size());
    words_.push_back(Lo(size));
    words_.push_back(Hi(size));
    words_.push_back(function);
    words_.insert(words_.end(), params.begin(), params.end());
    maxRecordWords_ = std::max(maxRecordWords_, size);
}

int WmfCanvas::objectFor(std::uint16_t function, const std::vector<std::uint16_t>& params) {
    std::vector<std::uint16_t> key(params);
    key.push_back(function);
    const auto it = objects_.find(key);
    if (it != objects_.end()) return it->second;
    record(function, params);
    const int index = objectCount_++;
    objects_.emplace(std::move(key), index);
    return index;
}

void WmfCanvas::select(int object, int& current) {
    if (object == current) return;
    record(kMetaSelectObject, {static_cast<std::uint16_t>(object)});
    current = object;
}

void WmfCanvas::reselect() {
    selected_ = {};
    if (wanted_.pen >= 0) select(wanted_.pen, selected_.pen);
    if (wanted_.brush >= 0) select(wanted_.brush, selected_.brush);
    if (wanted_.font >= 0) select(wanted_.font, selected_.font);
}

void WmfCanvas::setPen(int width, Rgb color) {
    // A negative width (one the settings allow) is the thinnest line, as 0.
    wanted_.pen = objectFor(kMetaCreatePenIndirect,
                            {kPenSolid, W(std::max(width, 0)), 0, Lo(color), Hi(color)});
    select(wanted_.pen, selected_.pen);
}

void WmfCanvas::setNullPen() {
    wanted_.pen = objectFor(kMetaCreatePenIndirect, {kPenNull, 0, 0, 0, 0});
    select(wanted_.pen, selected_.pen);
}

void WmfCanvas::setBrush(Rgb color) {
    wanted_.brush = objectFor(kMetaCreateBrushIndirect, {kBrushSolid, Lo(color), Hi(color), 0});
    select(wanted_.brush, selected_.brush);
}

void WmfCanvas::setNullBrush() {
    wanted_.brush = objectFor(kMetaCreateBrushIndirect, {kBrushNull, 0, 0, 0});
    select(wanted_.brush, selected_.brush);
}

void WmfCanvas::setFont(const LogFont& f) {
    font_ = f;
    std::string face = Utf8ToCp1252(f.faceName).substr(0, 31);
    face.resize(32, '\0');
    std::vector<std::uint16_t> p = {W(f.height), W(f.width), W(f.escapement), W(f.orientation), W(f.weight),
                                    static_cast<std::uint16_t>(f.italic | (f.underline << 8)),
                                    static_cast<std::uint16_t>(f.strikeOut | (f.charSet << 8)),
                                    static_cast<std::uint16_t>(f.outPrecision | (f.clipPrecision << 8)),
                                    static_cast<std::uint16_t>(f.quality | (f.pitchAndFamily << 8))};
    for (std::size_t i = 0; i < 32; i += 2)
        p.push_back(static_cast<std::uint16_t>(static_cast<unsigned char>(face[i]) |
                                               (static_cast<unsigned char>(face[i + 1]) << 8)));
    wanted_.font = objectFor(kMetaCreateFontIndirect, p);
    select(wanted_.font, selected_.font);
}

void WmfCanvas::setTextColor(Rgb color) { record(kMetaSetTextColor, {Lo(color), Hi(color)}); }
void WmfCanvas::setTextAlign(unsigned flags) { record(kMetaSetTextAlign, {static_cast<std::uint16_t>(flags), 0}); }
void WmfCanvas::setBackgroundTransparent(bool transparent) {
    record(kMetaSetBkMode, {static_cast<std::uint16_t>(transparent ? 1 : 2), 0});
}

void WmfCanvas::moveTo(int x, int y) { record(kMetaMoveTo, {W(y), W(x)}); }
void WmfCanvas::lineTo(int x, int y) { record(kMetaLineTo, {W(y), W(x)}); }

void WmfCanvas::polyline(const std::vector<CanvasPoint>& points) {
    std::vector<std::uint16_t> p = {static_cast<std::uint16_t>(std::min<std::size_t>(points.size(), 8000))};
    for (std::size_t i = 0; i < p[0]; ++i) {
        p.push_back(W(points[i].x));
        p.push_back(W(points[i].y));
    }
    record(kMetaPolyline, p);
}

void WmfCanvas::polygon(const std::vector<CanvasPoint>& points) {
    std::vector<std::uint16_t> p = {static_cast<std::uint16_t>(std::min<std::size_t>(points.size(), 8000))};
    for (std::size_t i = 0; i < p[0]; ++i) {
        p.push_back(W(points[i].x));
        p.push_back(W(points[i].y));
    }
    record(kMetaPolygon, p);
}

void WmfCanvas::ellipse(int left, int top, int right, int bottom) {
    record(kMetaEllipse, {W(bottom), W(right), W(top), W(left)});
}

void WmfCanvas::setPixel(int x, int y, Rgb color) { record(kMetaSetPixel, {Lo(color), Hi(color), W(y), W(x)}); }

void WmfCanvas::textOut(int x, int y, const std::string& text) {
    std::string bytes = Utf8ToCp1252(text).substr(0, 8000);
    std::vector<std::uint16_t> p = {static_cast<std::uint16_t>(bytes.size())};
    if (bytes.size() % 2) bytes.push_back('\0');
    for (std::size_t i = 0; i < bytes.size(); i += 2)
        p.push_back(static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[i]) |
                                               (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    p.push_back(W(y));
    p.push_back(W(x));
    record(kMetaTextOut, p);
}

void WmfCanvas::setClipRect(int left, int top, int right, int bottom) {
    // A clip can only narrow; a saved state lets the next clip or resetClip
    // start from the unclipped state again.
    if (clipDepth_) {
        record(kMetaRestoreDc, {static_cast<std::uint16_t>(-1)});
        reselect();
    }
    record(kMetaSaveDc, {});
    clipDepth_ = 1;
    record(kMetaIntersectClipRect, {W(bottom), W(right), W(top), W(left)});
}

void WmfCanvas::resetClip() {
    if (!clipDepth_) return;
    record(kMetaRestoreDc, {static_cast<std::uint16_t>(-1)});
    clipDepth_ = 0;
    reselect();
}

void WmfCanvas::save() {
    resetClip();
    record(kMetaSaveDc, {});
    savedWanted_.push_back(wanted_);
    savedFonts_.push_back(font_);
}

void WmfCanvas::restore() {
    resetClip();
    if (savedWanted_.empty()) return;
    record(kMetaRestoreDc, {static_cast<std::uint16_t>(-1)});
    wanted_ = savedWanted_.back();
    savedWanted_.pop_back();
    font_ = savedFonts_.back();
    savedFonts_.pop_back();
    selected_ = wanted_;  // the restored state selects what was selected when saved
}

std::vector<std::uint8_t> WmfCanvas::finish() {
    if (!finished_) {
        resetClip();
        while (!savedWanted_.empty()) restore();
        // Every object lives until the end of the picture.
        for (int i = 0; i < objectCount_; ++i) record(kMetaDeleteObject, {static_cast<std::uint16_t>(i)});
        record(kMetaEof, {});
        finished_ = true;
    }
    std::vector<std::uint8_t> out;
    out.reserve(18 + words_.size() * 2);
    const std::uint32_t total = 9 + static_cast<std::uint32_t>(words_.size());
    PutWord(out, disk_ ? 2 : 1);  // type
    PutWord(out, 9);              // header size in words
    PutWord(out, 0x0300);         // version
    PutWord(out, Lo(total));
    PutWord(out, Hi(total));
    PutWord(out, static_cast<std::uint16_t>(objectCount_));
    PutWord(out, Lo(maxRecordWords_));
    PutWord(out, Hi(maxRecordWords_));
    PutWord(out, 0);  // number of members
    for (std::uint16_t w : words_) PutWord(out, w);
    return out;
}

std::vector<std::uint8_t> PlaceableWmf(const std::vector<std::uint8_t>& metafile) {
    const std::uint16_t halfHeight = static_cast<std::uint16_t>((6000 * 13941 / 16383) / 2);
    const std::uint16_t words[10] = {0xCDD7, 0x9AC6, 0, W(-3000), W(-halfHeight), 3000, halfHeight, 1000, 0, 0};
    std::uint16_t checksum = 0;
    for (std::uint16_t w : words) checksum ^= w;
    std::vector<std::uint8_t> out;
    out.reserve(22 + metafile.size());
    for (std::uint16_t w : words) PutWord(out, w);
    PutWord(out, checksum);
    out.insert(out.end(), metafile.begin(), metafile.end());
    return out;
}

} // namespace zeb
