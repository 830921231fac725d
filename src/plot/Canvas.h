// A drawing target in the manner of a Windows device context: a current pen,
// brush, font, text colour and alignment, lines, polygons, ellipses, pixels,
// text, a clip rectangle and a stack of saved states. Coordinates are logical
// units of the chart (x to the right, y downward). Implemented for QPainter
// (screen, PNG, PDF, printer), for Windows metafiles, for SVG and, in tests,
// by a recording canvas.
#pragma once

#include "settings/LogFont.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zeb {

// A colour as 0x00BBGGRR.
using Rgb = std::uint32_t;
constexpr Rgb MakeRgb(unsigned r, unsigned g, unsigned b) { return (b << 16) | (g << 8) | r; }
constexpr unsigned RedOf(Rgb c) { return c & 0xFF; }
constexpr unsigned GreenOf(Rgb c) { return (c >> 8) & 0xFF; }
constexpr unsigned BlueOf(Rgb c) { return (c >> 16) & 0xFF; }

inline constexpr Rgb kBlack = MakeRgb(0, 0, 0);
inline constexpr Rgb kWhite = MakeRgb(255, 255, 255);
inline constexpr Rgb kRed = MakeRgb(255, 0, 0);
inline constexpr Rgb kBlue = MakeRgb(0, 0, 255);
inline constexpr Rgb kFuchsia = MakeRgb(255, 0, 255);
inline constexpr Rgb kGrey = MakeRgb(128, 128, 128);

struct CanvasPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CanvasPoint&) const = default;
};

struct TextSize {
    int width = 0;
    int height = 0;  // the height of the text cell (ascent + descent)
};

// Text alignment flags with the values of the Windows text-align modes.
enum TextAlignFlags : unsigned {
    kAlignLeft = 0,
    kAlignRight = 2,
    kAlignCenter = 6,
    kAlignTop = 0,
    kAlignBottom = 8,
    kAlignBaseline = 24,
};
inline constexpr unsigned kHorizontalAlignMask = 6;
inline constexpr unsigned kVerticalAlignMask = 24;

class Canvas {
public:
    virtual ~Canvas() = default;

    // A solid pen of the given width (0 or 1: the thinnest line the target draws).
    virtual void setPen(int width, Rgb color) = 0;
    virtual void setNullPen() = 0;
    virtual void setBrush(Rgb color) = 0;
    virtual void setNullBrush() = 0;
    // The font for text output and measurement; escapement 900 turns the text
    // by 90° to read upwards.
    virtual void setFont(const LogFont& font) = 0;
    virtual void setTextColor(Rgb color) = 0;
    virtual void setTextAlign(unsigned flags) = 0;
    virtual void setBackgroundTransparent(bool transparent) = 0;

    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // Open polyline with the pen.
    virtual void polyline(const std::vector<CanvasPoint>& points) = 0;
    // Closed polygon: outlined with the pen, filled with the brush.
    virtual void polygon(const std::vector<CanvasPoint>& points) = 0;
    // Ellipse inscribed in the box, outlined and filled.
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    virtual void setPixel(int x, int y, Rgb color) = 0;
    // Text (UTF-8) at the reference point the alignment names.
    virtual void textOut(int x, int y, const std::string& text) = 0;

    // Sizes of a text in the current font, in logical units.
    virtual TextSize textExtent(const std::string& text) = 0;
    virtual int fontDescent() = 0;

    // Drawing outside the rectangle (right and bottom exclusive) is cut off;
    // resetClip lifts the limit.
    virtual void setClipRect(int left, int top, int right, int bottom) = 0;
    virtual void resetClip() = 0;

    virtual void save() = 0;
    virtual void restore() = 0;
};

// Text sizes of the Arial / Liberation Sans metrics without a font engine: the
// canvases that cannot measure (metafile, SVG, the recording canvas) use them
// when no sizes measured on a screen are at hand.
TextSize EstimateTextExtent(const LogFont& font, const std::string& utf8);
int EstimateDescent(const LogFont& font);

} // namespace zeb
