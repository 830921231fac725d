// The chart canvas on a QPainter: the logical space is fitted into a target
// rectangle with equal scale in x and y, anchored at its top left, so pen
// widths and font heights are in logical units. The target is given in the
// painter's coordinates as they are when the canvas is made (a translation the
// caller set moves the chart with it); on a high-density screen or picture
// every pixel of the target holds several device pixels, and the chart looks
// the same, only finer. Fonts are chosen by family with the metric-compatible
// Liberation faces as fallback; a positive height is the height of the
// character cell, as in a Windows logical font.
//
// Square symbols, thin axis-parallel lines and pixels are filled as
// rectangles of whole device pixels: crisp, and far cheaper than stroking
// thousands of them. They are placed through the same mapping as everything
// else, down to the device pixel. On a picture in memory (the window's kept
// picture, a PNG) they are written straight into the image, and the parts of
// black lines that run over black are left out (see CoveredSegments.h): the
// same pixels as through the painter, at a fraction of the cost.
#pragma once

#include "plot/Canvas.h"
#include "plot/qt/ColourRuns.h"
#include "plot/qt/ImagePixels.h"
#include "plot/qt/ScaleMapping.h"

#include <QFont>
#include <QPainter>
#include <QPolygon>
#include <QRect>

#include <vector>

namespace zeb {

class QtCanvas : public Canvas {
public:
    // Maps the logical space of logicalWidth × logicalHeight into target.
    QtCanvas(QPainter& painter, const QRect& target, int logicalWidth, int logicalHeight);
    // The same with the target's origin anywhere between pixels: a piece of a
    // picture drawn on its own then matches the whole picture device pixel for
    // device pixel.
    QtCanvas(QPainter& painter, const QPointF& origin, const QSizeF& size, int logicalWidth, int logicalHeight);
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;
    ~QtCanvas() override;

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
    TextSize textExtent(const std::string& text) override;
    int fontDescent() override;
    void setClipRect(int left, int top, int right, int bottom) override;
    void resetClip() override;
    void save() override;
    void restore() override;

    // Logical units per pixel of the target, and device pixels per pixel.
    double scale() const { return scale_; }
    double devicePixelRatio() const { return ratio_; }
    static QFont ToQFont(const LogFont& font);
    // The families a face is drawn with: the named one, then its substitutes.
    static QStringList FontFamilies(const std::string& faceName);
    // Everything through the painter from here on: no pixels written directly,
    // no parts of lines left out (the picture is the same; for comparisons).
    void drawThroughPainterOnly();
    // How often the picture's memory was written directly, and how many
    // segments of lines were left out as lying on black (the lines still
    // pending are drawn first).
    struct Shortcuts {
        long directFills = 0;
        long segmentsLeftOut = 0;
    };
    const Shortcuts& shortcuts() {
        flush();
        return shortcuts_;
    }

private:
    struct State {
        Rgb textColor = kBlack;
        unsigned align = 0;
        LogFont font;
        QFont qfont;
        // The device pixels the painter's clip rectangle keeps, for the
        // direct fills; exact only for a clip set as a proper rectangle.
        QRect deviceClip;
        bool deviceClipExact = true;
    };
    // The pen and brush the canvas draws with. They reach the painter only
    // when a stroke or a shape of the painter needs them: the fills of whole
    // device pixels (symbols, thin lines) take their colours from here, so a
    // run of symbols changes no painter state.
    struct Tools {
        QPen pen;
        int penWidth = -1;  // the arguments of the last setPen; -1: a null pen
        Rgb penColor = kBlack;
        QRgb penRgb = 0xff000000;
        QColor brushColor = Qt::white;
        QRgb brushRgb = 0xffffffff;
        bool nullBrush = false;
    };
    void flush();  // draws the pending run of lines
    void strokeRun();  // the pending run as a polyline of the pen
    void applyTools();  // puts the pen and brush on the painter
    void fillPixels(const QRect& device, QRgb color);  // whole device pixels
    void changedBy(QRgb color);  // the picture was drawn on in that colour

    // Device-pixel mode (world transform to device pixels, no antialiasing)
    // for the fills, logical mode for everything else. The switch is made only
    // when the mode changes, so a run of symbols costs no state changes.
    void deviceMode();
    void logicalMode();

    QPainter& p_;
    double scale_ = 1;   // logical units per target pixel
    double ratio_ = 1;   // device pixels per target pixel
    QTransform logical_;   // world transform of the logical space
    QTransform device_;    // world transform under which coordinates are device pixels
    QTransform toDevice_;  // logical units to device pixels
    ScaleMapping mapToDevice_;  // toDevice_, for the fills
    ImagePixels pixels_;   // the picture's memory, when fills may go there
    ColourRuns black_{pixels_, 0xff000000};  // where the picture is black, for cutting black lines
    bool inDeviceMode_ = false;
    Shortcuts shortcuts_;
    State state_;
    std::vector<State> saved_;
    Tools tools_;
    std::vector<Tools> savedTools_;
    bool penApplied_ = false;
    bool brushApplied_ = false;
    QPolygon run_;  // consecutive lineTo calls, drawn as one polyline
    QPoint position_;
};

} // namespace zeb
