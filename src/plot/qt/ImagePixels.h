// The memory of the picture a painter draws on, for the fills of whole device
// pixels (symbols, error bars, ticks, single pixels): when the painter paints
// on a 32-bit raster image with plain composition and no clip of its caller,
// an opaque rectangle is written straight into the image - the pixels the
// painter would write, without its cost per call. Any other device (printer,
// PDF, SVG, a widget) gets no pixels, and the canvas draws through the painter.
#pragma once

#include <QRect>
#include <QRgb>

class QPainter;

namespace zeb {

class ImagePixels {
public:
    ImagePixels() = default;
    // The pixels of the image the painter is active on, or none (isNull) when
    // writing them directly would not give what the painter gives: another
    // device or format, another composition mode, opacity below 1, a clip set
    // before.
    static ImagePixels Of(QPainter& painter);

    bool isNull() const { return bits_ == nullptr; }
    QRect rect() const { return QRect(0, 0, width_, height_); }

    // Fills the device pixels of r inside clip and the image with an opaque
    // colour (0xffRRGGBB).
    void fill(const QRect& r, QRgb opaque, const QRect& clip) const;
    // The pixels of row y (0 <= y < height).
    const QRgb* row(int y) const { return reinterpret_cast<const QRgb*>(bits_ + y * bytesPerLine_); }

private:
    uchar* bits_ = nullptr;
    qsizetype bytesPerLine_ = 0;
    int width_ = 0;
    int height_ = 0;
};

} // namespace zeb
