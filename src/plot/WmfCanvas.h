// A canvas that records Windows Metafile (WMF) records: pens, brushes and
// logical fonts as objects (each distinct one created once, deleted at the
// end), text alignment and colour, text out (Windows-1252), lines, polylines,
// polygons, ellipses, pixels, the clip rectangle and saved states. finish()
// gives the metafile; PlaceableWmf() puts the 22-byte placeable header before
// it, as .WMF files carry it.
#pragma once

#include "plot/Canvas.h"

#include <cstdint>
#include <map>
#include <vector>

namespace zeb {

class WmfCanvas : public Canvas {
public:
    // The window origin (0, 0) and extent of the drawing; memory metafiles (the
    // clipboard form) have type 1, disk metafiles type 2.
    WmfCanvas(int logicalWidth, int logicalHeight, bool diskMetafile = true);

    void setPen(int width, Rgb color) override;
    void setNullPen() override;
    void setBrush(Rgb color) override;
    void setNullBrush() override;
    void setFont(const LogFont& font) override;
    void setTextColor(Rgb color) override;
    void setTextAlign(unsigned flags) override;
    void setBackgroundTransparent(bool transparent) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyline(const std::vector<CanvasPoint>& points) override;
    void polygon(const std::vector<CanvasPoint>& points) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void setPixel(int x, int y, Rgb color) override;
    void textOut(int x, int y, const std::string& text) override;
    TextSize textExtent(const std::string& text) override { return EstimateTextExtent(font_, text); }
    int fontDescent() override { return EstimateDescent(font_); }
    void setClipRect(int left, int top, int right, int bottom) override;
    void resetClip() override;
    void save() override;
    void restore() override;

    // Deletes the objects, ends the metafile and returns its bytes (the canvas
    // is spent afterwards).
    std::vector<std::uint8_t> finish();

private:
    struct Selection {
        int pen = -1, brush = -1, font = -1;
    };

    void record(std::uint16_t function, const std::vector<std::uint16_t>& params);
    // The index of the object the parameters describe, created on first use.
    int objectFor(std::uint16_t function, const std::vector<std::uint16_t>& params);
    void select(int object, int& current);
    void reselect();  // after a restored state: select what this canvas considers current

    std::vector<std::uint16_t> words_;  // the records after the header
    std::map<std::vector<std::uint16_t>, int> objects_;  // function and parameters -> index
    int objectCount_ = 0;
    std::uint32_t maxRecordWords_ = 0;
    bool disk_;
    Selection wanted_;    // what drawing calls want selected
    Selection selected_;  // what the metafile has selected
    LogFont font_;
    int clipDepth_ = 0;  // 1 while a clip rectangle is in force (a state was saved for it)
    std::vector<Selection> savedWanted_;
    std::vector<LogFont> savedFonts_;
    bool finished_ = false;
};

// The 22-byte placeable header (key 0x9AC6CDD7, bounds ±3000 × ±2552 at 1000
// units per inch, checksum) followed by the metafile.
std::vector<std::uint8_t> PlaceableWmf(const std::vector<std::uint8_t>& metafile);

// The picture the clipboard takes: isotropic mapping, the logical extent and
// the memory metafile.
struct MetafilePicture {
    std::int32_t mapMode = 7;  // isotropic
    std::int32_t xExt = 16383;
    std::int32_t yExt = 13941;
    std::vector<std::uint8_t> metafile;
};

} // namespace zeb
