#include "plot/qt/QtCanvas.h"

#include "plot/qt/CoveredSegments.h"

#include <QFontMetricsF>
#include <QHash>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace zeb {

namespace {

constexpr int kMaxPenWidth = 16383;

QColor ToQColor(Rgb c) { return QColor(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)), static_cast<int>(BlueOf(c))); }
QRgb ToOpaqueQRgb(Rgb c) {
    return qRgb(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)), static_cast<int>(BlueOf(c)));
}

QFont BaseFont(const LogFont& f) {
    QFont q;
    q.setFamilies(QtCanvas::FontFamilies(f.faceName));
    q.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight == 0 ? 400 : f.weight, 100, 900)));
    q.setItalic(f.italic != 0);
    q.setUnderline(f.underline != 0);
    q.setStrikeOut(f.strikeOut != 0);
    q.setHintingPreference(QFont::PreferNoHinting);
    q.setKerning(false);
    return q;
}

// The cell height (ascent + descent) of a face per pixel of em size.
double CellPerEm(const QFont& base) {
    static QHash<QString, double> cache;
    const QString key = base.families().join(',') + QString::number(base.weight());
    const auto it = cache.constFind(key);
    if (it != cache.constEnd()) return *it;
    QFont probe(base);
    probe.setPixelSize(1000);
    const QFontMetricsF fm(probe);
    const double ratio = (fm.ascent() + fm.descent()) / 1000.0;
    cache.insert(key, ratio > 0.5 ? ratio : 1.1172);
    return cache.value(key);
}

} // namespace

QStringList QtCanvas::FontFamilies(const std::string& faceName) {
    QStringList families;
    if (!faceName.empty()) families << QString::fromStdString(faceName);
    families << QStringLiteral("Liberation Sans") << QStringLiteral("Arial") << QStringLiteral("Helvetica")
             << QStringLiteral("sans-serif");
    return families;
}

QFont QtCanvas::ToQFont(const LogFont& f) {
    QFont q = BaseFont(f);
    double em;
    if (f.height > 0) em = f.height / CellPerEm(q);
    else if (f.height < 0) em = -static_cast<double>(f.height);
    else em = 380 / CellPerEm(q);
    q.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
    if (f.width > 0) {
        // The width of a logical font is the average character width, which
        // for Arial (and its metric twin Liberation Sans) is 904/2048 em.
        const double natural = em * 904.0 / 2048.0;
        if (natural > 0) {
            const int stretch = static_cast<int>(std::lround(100.0 * f.width / natural));
            if (std::abs(stretch - 100) > 2) q.setStretch(std::clamp(stretch, 50, 200));
        }
    }
    return q;
}

QtCanvas::QtCanvas(QPainter& painter, const QRect& target, int w, int h)
    : QtCanvas(painter, QPointF(target.topLeft()), QSizeF(target.size()), w, h) {}

QtCanvas::QtCanvas(QPainter& painter, const QPointF& origin, const QSizeF& size, int w, int h) : p_(painter) {
    const double s = std::min(size.width() / w, size.height() / h);
    scale_ = s > 0 ? 1.0 / s : 1.0;
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setRenderHint(QPainter::TextAntialiasing, true);
    // Logical units onto the target, after whatever the caller set.
    logical_ = QTransform::fromScale(s > 0 ? s : 1.0, s > 0 ? s : 1.0) *
               QTransform::fromTranslate(origin.x(), origin.y()) * p_.worldTransform();
    // What the painter adds below the world transform (a window mapping of the
    // caller, the widget's place in its window, the device pixel ratio), undone
    // for the fills in device pixels.
    p_.setWorldTransform(QTransform());
    const QTransform below = p_.deviceTransform();
    device_ = below.inverted();
    p_.setWorldTransform(logical_);
    toDevice_ = p_.deviceTransform();
    mapToDevice_ = ScaleMapping(toDevice_);
    ratio_ = s > 0 ? std::hypot(toDevice_.m11(), toDevice_.m12()) / s : 1.0;
    if (!(ratio_ > 0) || !std::isfinite(ratio_)) ratio_ = 1.0;
    // Direct fills need the plain mapping of a scale and a shift, which maps
    // rectangles onto rectangles of device pixels.
    if (toDevice_.type() <= QTransform::TxScale && toDevice_.m11() > 0 && toDevice_.m22() > 0)
        pixels_ = ImagePixels::Of(p_);
    state_.deviceClip = pixels_.rect();
    setPen(1, kBlack);
    applyTools();
    setFont(LogFont{});
}

void QtCanvas::drawThroughPainterOnly() {
    flush();
    pixels_ = ImagePixels();
    black_.forget();
}

void QtCanvas::changedBy(QRgb color) {
    // Black over black stays black: the black parts stay as they were found.
    if (color != black_.colour()) black_.forget();
}

void QtCanvas::applyTools() {
    if (!penApplied_) p_.setPen(tools_.pen);
    if (!brushApplied_) p_.setBrush(tools_.nullBrush ? QBrush(Qt::NoBrush) : QBrush(tools_.brushColor));
    penApplied_ = brushApplied_ = true;
}

QtCanvas::~QtCanvas() {
    flush();
    logicalMode();
    while (!saved_.empty()) restore();
    p_.restore();
}

void QtCanvas::deviceMode() {
    if (inDeviceMode_) return;
    inDeviceMode_ = true;
    p_.setWorldTransform(device_);
    p_.setRenderHint(QPainter::Antialiasing, false);
}

void QtCanvas::logicalMode() {
    if (!inDeviceMode_) return;
    inDeviceMode_ = false;
    p_.setWorldTransform(logical_);
    p_.setRenderHint(QPainter::Antialiasing, true);
}

namespace {

// std::lround (halves away from zero) without the library call, for the tens
// of thousands of rectangles of a large chart.
int QtCanvasRound(double x) {
    if (!(std::abs(x) < 1e9)) return static_cast<int>(std::lround(x));
    const int whole = static_cast<int>(x);  // toward zero; x - whole is exact
    const double part = x - whole;
    return part >= 0.5 ? whole + 1 : part <= -0.5 ? whole - 1 : whole;
}

// A rectangle in device coordinates as whole device pixels: its size rounded,
// centred where it is. Every symbol of a chart thus gets the same size and a
// border of the same width on every side, whatever its position; a hair's
// breadth of rounding noise does not move it (the same rectangle lands on the
// same pixels whether the whole picture or a piece of it is drawn).
QRect SnappedPixels(const QRectF& r) {
    constexpr double eps = 1e-6;
    const int w = std::max(1, QtCanvasRound(r.width()));
    const int h = std::max(1, QtCanvasRound(r.height()));
    const int left = static_cast<int>(std::floor(r.center().x() - w / 2.0 + 0.5 + eps));
    const int top = static_cast<int>(std::floor(r.center().y() - h / 2.0 + 0.5 + eps));
    return QRect(left, top, w, h);
}

} // namespace

void QtCanvas::flush() {
    if (run_.size() == 2 && (run_[0].x() == run_[1].x() || run_[0].y() == run_[1].y())) {
        // A single horizontal or vertical line of a thin pen (error bars, ticks,
        // the frame) is filled as a rectangle of whole device pixels.
        const QPen& pen = tools_.pen;
        if (pen.isCosmetic() && pen.style() == Qt::SolidLine) {
            const QPointF a = mapToDevice_.map(QPointF(run_[0])), b = mapToDevice_.map(QPointF(run_[1]));
            const double half = std::max(1.0, pen.widthF()) / 2;
            const QRectF device(QPointF(std::min(a.x(), b.x()) - half, std::min(a.y(), b.y()) - half),
                                QPointF(std::max(a.x(), b.x()) + half, std::max(a.y(), b.y()) + half));
            fillPixels(SnappedPixels(device), tools_.penRgb);
            run_.clear();
            return;
        }
    }
    if (run_.size() >= 2) strokeRun();
    run_.clear();
}

void QtCanvas::strokeRun() {
    logicalMode();
    applyTools();
    const QPen& pen = tools_.pen;
    // Only black lines stroked as outlines (not the one-pixel lines Qt draws
    // pixel by pixel) with joins and caps near their points are cut.
    const double devicePerLogical = std::hypot(toDevice_.m11(), toDevice_.m12());
    const double widthPx = pen.isCosmetic() ? pen.widthF() : pen.widthF() * devicePerLogical;
    const bool cuttable = !pixels_.isNull() && tools_.penRgb == 0xff000000 && pen.style() == Qt::SolidLine &&
                          widthPx > 1 && std::isfinite(widthPx) &&
                          (pen.joinStyle() == Qt::BevelJoin || pen.joinStyle() == Qt::RoundJoin);
    if (!cuttable) {
        changedBy(pen.style() == Qt::NoPen ? black_.colour() : tools_.penRgb);
        p_.drawPolyline(run_);
        return;
    }
    // Half the width reaches the corners of a square cap at sqrt(2) times
    // that; the antialiased edge stays in the pixels the outline passes
    // through, and a pixel more holds any rounding of the outline's points.
    const double reach = widthPx / 2 * std::sqrt(2.0) + 1;
    long drawn = 0;
    for (const PolylinePiece& piece : VisiblePieces(black_, toDevice_, run_, reach)) {
        p_.drawPolyline(run_.constData() + piece.first, piece.last - piece.first + 1);
        drawn += piece.last - piece.first;
    }
    shortcuts_.segmentsLeftOut += static_cast<long>(run_.size()) - 1 - drawn;
}

void QtCanvas::setPen(int width, Rgb color) {
    flush();
    // No pen is wider than the logical space (a width from a hand-edited
    // settings file); no width is negative.
    width = std::clamp(width, 0, kMaxPenWidth);
    if (width == tools_.penWidth && color == tools_.penColor) return;  // the pen it has
    tools_.penWidth = width;
    tools_.penColor = color;
    tools_.penRgb = ToOpaqueQRgb(color);
    penApplied_ = false;
    QPen& pen = tools_.pen;
    pen = QPen(ToQColor(color));
    if (width / scale_ < 3.0) {
        // As on a Windows device no pen is thinner than one pixel. Pens of a
        // few pixels are drawn as device-space (cosmetic) lines of the rounded
        // width: they look the same and are stroked many times faster, which
        // matters for the thousands of error bars and curve segments of a large
        // grid. On a high-density device the widths are the same in pixels of
        // the target, so the lines look as at scale 1.
        pen.setCosmetic(true);
        const int minimum = std::max(1, static_cast<int>(std::lround(ratio_)));
        pen.setWidth(std::max(minimum, static_cast<int>(std::lround(width * ratio_ / scale_))));
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::BevelJoin);
    } else {
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
}

void QtCanvas::setNullPen() {
    flush();
    tools_.pen = QPen(Qt::NoPen);
    tools_.penWidth = -1;
    penApplied_ = false;
}

void QtCanvas::setBrush(Rgb color) {
    flush();
    const QRgb rgb = ToOpaqueQRgb(color);
    if (!tools_.nullBrush && rgb == tools_.brushRgb) return;
    tools_.brushColor = QColor::fromRgb(rgb);
    tools_.brushRgb = rgb;
    tools_.nullBrush = false;
    brushApplied_ = false;
}

void QtCanvas::setNullBrush() {
    flush();
    if (tools_.nullBrush) return;
    tools_.nullBrush = true;
    brushApplied_ = false;
}

void QtCanvas::setFont(const LogFont& font) {
    state_.font = font;
    state_.qfont = ToQFont(font);
}

void QtCanvas::setTextColor(Rgb color) { state_.textColor = color; }
void QtCanvas::setTextAlign(unsigned flags) { state_.align = flags; }
void QtCanvas::setBackgroundTransparent(bool transparent) {
    p_.setBackgroundMode(transparent ? Qt::TransparentMode : Qt::OpaqueMode);
}

void QtCanvas::moveTo(int x, int y) {
    position_ = QPoint(x, y);
}

void QtCanvas::lineTo(int x, int y) {
    if (run_.isEmpty() || run_.last() != position_) {
        flush();
        run_ << position_;
    }
    run_ << QPoint(x, y);
    position_ = QPoint(x, y);
}

void QtCanvas::polyline(const std::vector<CanvasPoint>& points) {
    flush();
    logicalMode();
    applyTools();
    QPolygon poly;
    for (const auto& pt : points) poly << QPoint(pt.x, pt.y);
    black_.forget();
    p_.drawPolyline(poly);
}

namespace {

// The corners of an axis-aligned rectangle given as its four (or five, closed) corners.
bool AsRectangle(const std::vector<CanvasPoint>& pts, QRect& rect) {
    if (pts.size() != 4 && !(pts.size() == 5 && pts[4].x == pts[0].x && pts[4].y == pts[0].y)) return false;
    const auto& a = pts[0];
    const auto& b = pts[1];
    const auto& c = pts[2];
    const auto& d = pts[3];
    const bool horizontalFirst = a.y == b.y && b.x == c.x && c.y == d.y && d.x == a.x;
    const bool verticalFirst = a.x == b.x && b.y == c.y && c.x == d.x && d.y == a.y;
    if (!horizontalFirst && !verticalFirst) return false;
    rect = QRect(QPoint(std::min(a.x, c.x), std::min(a.y, c.y)), QPoint(std::max(a.x, c.x), std::max(a.y, c.y)));
    return true;
}

} // namespace

void QtCanvas::polygon(const std::vector<CanvasPoint>& points) {
    flush();
    QRect rect;
    const QPen& pen = tools_.pen;
    if (AsRectangle(points, rect) && pen.style() == Qt::SolidLine) {
        // The square symbols: the outline is the pen's colour over the rectangle
        // widened by half the pen on every side, the fill the inner part. Filling
        // is far cheaper than stroking thousands of symbols.
        const double half = (pen.isCosmetic() ? std::max(1.0, pen.widthF()) * scale_ / ratio_ : pen.widthF()) / 2;
        const QRectF box(rect);
        const QRect outline = SnappedPixels(mapToDevice_.mapRect(box.adjusted(-half, -half, half, half)));
        fillPixels(outline, tools_.penRgb);
        if (!tools_.nullBrush && box.width() > 2 * half && box.height() > 2 * half) {
            const QRect inside = SnappedPixels(mapToDevice_.mapRect(box.adjusted(half, half, -half, -half)));
            // In the picture's memory a fill of the outline's colour inside
            // the outline changes nothing; other devices get both, as ever.
            if (pixels_.isNull() || tools_.brushRgb != tools_.penRgb || !outline.contains(inside))
                fillPixels(inside, tools_.brushRgb);
        }
        return;
    }
    logicalMode();
    applyTools();
    QPolygon poly;
    for (const auto& pt : points) poly << QPoint(pt.x, pt.y);
    black_.forget();
    p_.drawPolygon(poly);
}

void QtCanvas::ellipse(int left, int top, int right, int bottom) {
    flush();
    logicalMode();
    applyTools();
    black_.forget();
    p_.drawEllipse(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void QtCanvas::fillPixels(const QRect& device, QRgb color) {
    changedBy(color);
    if (!pixels_.isNull() && state_.deviceClipExact) {
        ++shortcuts_.directFills;
        pixels_.fill(device, color, state_.deviceClip);
        return;
    }
    deviceMode();
    p_.fillRect(device, QColor::fromRgb(color));
}

void QtCanvas::setPixel(int x, int y, Rgb color) {
    flush();
    // One pixel of the target: as many device pixels as it holds.
    const QPointF center = mapToDevice_.map(QPointF(x, y));
    const double n = std::max(1.0, static_cast<double>(std::lround(ratio_)));
    fillPixels(SnappedPixels(QRectF(center.x() - n / 2, center.y() - n / 2, n, n)), ToOpaqueQRgb(color));
}

void QtCanvas::textOut(int x, int y, const std::string& text) {
    flush();
    logicalMode();
    const QString s = QString::fromStdString(text);
    const QFontMetricsF fm(state_.qfont);
    double dx = 0, dy = 0;
    switch (state_.align & kHorizontalAlignMask) {
    case kAlignCenter: dx = -fm.horizontalAdvance(s) / 2; break;
    case kAlignRight: dx = -fm.horizontalAdvance(s); break;
    default: break;
    }
    switch (state_.align & kVerticalAlignMask) {
    case kAlignBaseline: break;
    case kAlignBottom: dy = -fm.descent(); break;
    default: dy = fm.ascent(); break;
    }
    // The text colour is the painter's pen for the moment; the canvas's pen
    // goes back to the painter when a stroke needs it.
    p_.setPen(ToQColor(state_.textColor));
    penApplied_ = false;
    p_.setFont(state_.qfont);
    p_.save();
    p_.translate(x, y);
    if (state_.font.escapement != 0) p_.rotate(-state_.font.escapement / 10.0);
    black_.forget();
    p_.drawText(QPointF(dx, dy), s);
    p_.restore();
}

TextSize QtCanvas::textExtent(const std::string& text) {
    const QFontMetricsF fm(state_.qfont);
    TextSize t;
    t.width = static_cast<int>(std::lround(fm.horizontalAdvance(QString::fromStdString(text))));
    t.height = static_cast<int>(std::lround(fm.ascent() + fm.descent()));
    return t;
}

int QtCanvas::fontDescent() { return static_cast<int>(std::lround(QFontMetricsF(state_.qfont).descent())); }

void QtCanvas::setClipRect(int left, int top, int right, int bottom) {
    flush();
    logicalMode();
    const QRect logical(left, top, right - left, bottom - top);
    p_.setClipRect(logical);
    // The painter keeps the device pixels its mapping of the rectangle
    // covers; Qt's own mapping of a region gives the same.
    state_.deviceClip = toDevice_.map(QRegion(logical)).boundingRect().intersected(pixels_.rect());
    state_.deviceClipExact = logical.isValid();
}

void QtCanvas::resetClip() {
    flush();
    p_.setClipping(false);
    state_.deviceClip = pixels_.rect();
    state_.deviceClipExact = true;
}

void QtCanvas::save() {
    flush();
    logicalMode();
    applyTools();  // the painter keeps them with its state
    p_.save();
    saved_.push_back(state_);
    savedTools_.push_back(tools_);
}

void QtCanvas::restore() {
    flush();
    logicalMode();
    if (saved_.empty()) return;
    p_.restore();
    state_ = saved_.back();
    saved_.pop_back();
    tools_ = savedTools_.back();
    savedTools_.pop_back();
    penApplied_ = brushApplied_ = true;  // as they were at save
}

} // namespace zeb
