#include "plot/ChartDrawing.h"

#include "data/MeasurementSet.h"
#include "plot/ChartPrimitives.h"
#include "plot/TextWrap.h"

#include <algorithm>
#include <cmath>

namespace zeb {

namespace {

constexpr std::size_t kFileListWidth = 75;

bool ShowFileName(const ChartInputs& in) {
    return in.formFactor ? in.settings->showFileNameFF == 1 : in.settings->showFileName == 1;
}

int FileNameLines(const ChartInputs& in) {
    return in.sourceFiles.empty() ? 0 : static_cast<int>(WrapText(in.sourceFiles, kFileListWidth).size());
}

bool AllResultLines(const ChartInputs& in) {
    return std::all_of(in.resultLines.begin(), in.resultLines.end(), [](const std::string& s) { return !s.empty(); });
}

double Polynomial(const std::array<double, 8>& a, int order, double t) {
    double y = 0;
    for (int j = order; j >= 0; --j) y = y * t + a[static_cast<std::size_t>(j + 1)];
    return y;
}

// Draws one fitted curve from its start point over t in (0, end] in 30 steps.
template <class XOf>
void DrawFittedCurve(ClippedPath& path, const PlotMapping& map, const DataPoint& start,
                     const std::array<double, 8>& coefficients, int order, double end, XOf xOf) {
    path.moveTo(map.X(start.x()), map.Y(start.y()));
    if (end > 0 && std::isfinite(end)) {
        const double dt = end / 30;
        double t = dt;
        for (int i = 0; i < 31 && t <= end; ++i, t += dt)
            path.lineTo(map.X(xOf(t)), map.Y(Polynomial(coefficients, order, t)));
    }
    path.lineTo(map.X(xOf(end)), map.Y(Polynomial(coefficients, order, end)));
}

class Renderer {
public:
    Renderer(Canvas& canvas, const ChartInputs& in, const ChartOptions& opt, const ChartMetrics& metrics,
             const LogicalExtent& extent)
        : c_(canvas), in_(in), s_(*in.settings), opt_(opt), m_(metrics), layout_(LayoutChart(in, metrics, extent)),
          map_(layout_, in.axes) {
        clip_ = {layout_.x0 - 200, layout_.y0 - 200, layout_.x0 + layout_.width + 200,
                 layout_.y0 + layout_.height + 200};
        const LineStyle curve = s_.lines.row(kLineFitCurves);
        symbol_.squarePenWidth = curve.width;
        symbol_.squarePenColor = curve.color;
    }

    ChartDrawResult draw() {
        c_.save();
        c_.setBackgroundTransparent(true);
        c_.setTextColor(kBlack);
        c_.setBrush(kBlack);
        c_.setPen(symbol_.squarePenWidth, symbol_.squarePenColor);
        c_.setClipRect(clip_.left, clip_.top, clip_.right, clip_.bottom);
        if (in_.formFactor)
            drawFormFactor();
        else
            drawMeasurement();
        c_.resetClip();
        drawFrameAndAxes();
        drawTextsUnder();
        c_.restore();
        return {m_, layout_};
    }

private:
    void point(const DataPoint& p, int code, bool errorBars) {
        const int x = map_.X(p.x()), y = map_.Y(p.y());
        const double top = std::min(p.yHi(), in_.axes.y.maximum);
        const double bottom = std::max(p.yLo(), in_.axes.y.minimum);
        DrawSymbol(c_, symbol_, clip_, code, x, y, errorBars, map_.Y(top), map_.Y(bottom));
    }

    void drawMeasurement() {
        const MeasurementSet& set = *in_.set;
        const bool hide = s_.hideInactive != 0;
        const bool bars = s_.showErrorBars == 1;
        symbol_.halfSize = SymbolHalfSize(s_.symbolSize);
        symbol_.cross = s_.symbolType == 2;
        for (int c = 1; c <= set.lastConcIndex; ++c)
            for (int a = 1; a <= set.lastAngleIndex; ++a) {
                const DataPoint* p = set.cell(c, a);
                if (!p || p->hasData != 1) continue;
                if (p->active != 1 && p->symbolState > 1)
                    point(*p, p->symbolState, bars);
                else if (p->active == 1 || !hide)
                    point(*p, p->active * p->symbolState, bars);
            }
        auto extrapolated = [&](const DataPoint* p) {
            if (!p || p->hasData != 1) return;
            if (p->active != 1 && p->symbolState > 1)
                point(*p, 5 * p->symbolState, bars);
            else if (p->active == 1 || !hide)
                point(*p, (p->active + 4) * p->symbolState, bars);
        };
        for (int c = 1; c <= set.lastConcIndex; ++c) extrapolated(set.cell(c, 0));
        for (int a = 1; a <= set.lastAngleIndex; ++a) extrapolated(set.cell(0, a));
        if (const DataPoint* q0 = in_.q0Intercept; q0 && q0->hasData == 1 && (q0->active == 1 || !hide))
            point(*q0, q0->active + 4, false);
        if (const DataPoint* c0 = in_.c0Intercept; c0 && c0->hasData == 1 && (c0->active == 1 || !hide))
            point(*c0, (c0->active + 4) * c0->symbolState, false);

        const LineStyle pen = s_.lines.row(kLineFitCurves);
        c_.setPen(pen.width, pen.color);
        ClippedPath path(c_, clip_);
        auto endAngle = [&](int c) {
            const std::size_t i = static_cast<std::size_t>(c);
            const int a = i < in_.qCurveEndAngle.size() ? in_.qCurveEndAngle[i] : 0;
            return a >= 0 && a < MeasurementSet::kAngleSlots ? set.q2[static_cast<std::size_t>(a)] : 0.0;
        };
        auto endConc = [&](int a) {
            const std::size_t i = static_cast<std::size_t>(a);
            const int c = i < in_.cCurveEndConc.size() ? in_.cCurveEndConc[i] : 0;
            return c >= 0 && c < MeasurementSet::kConcSlots ? set.concentration[static_cast<std::size_t>(c)] : 0.0;
        };
        const auto& rowsA = set.calcTableA;
        const auto& rowsB = set.calcTableB;
        if (in_.qOrder > 0 && !rowsA.empty()) {
            if (in_.c0Intercept && in_.c0Intercept->hasData == 1)
                DrawFittedCurve(path, map_, *in_.c0Intercept, rowsA[0], in_.qOrder, endAngle(0),
                                [](double t) { return t; });
            if (s_.fitDisplay != 2)
                for (int c = 1; c <= set.lastConcIndex && c < static_cast<int>(rowsA.size()); ++c) {
                    const DataPoint* start = set.cell(c, 0);
                    if (!start || start->hasData != 1) continue;
                    const double kc = in_.k * set.concentration[static_cast<std::size_t>(c)];
                    DrawFittedCurve(path, map_, *start, rowsA[static_cast<std::size_t>(c)], in_.qOrder, endAngle(c),
                                    [kc](double t) { return t + kc; });
                }
        }
        if (in_.cOrder > 0 && !rowsB.empty()) {
            const double k = in_.k;
            if (in_.q0Intercept && in_.q0Intercept->hasData == 1)
                DrawFittedCurve(path, map_, *in_.q0Intercept, rowsB[0], in_.cOrder, endConc(0),
                                [k](double t) { return k * t; });
            if (s_.fitDisplay == 1)
                for (int a = 1; a <= set.lastAngleIndex && a < static_cast<int>(rowsB.size()); ++a) {
                    const DataPoint* start = set.cell(0, a);
                    if (!start || start->hasData != 1) continue;
                    const double q2 = set.q2[static_cast<std::size_t>(a)];
                    DrawFittedCurve(path, map_, *start, rowsB[static_cast<std::size_t>(a)], in_.cOrder, endConc(a),
                                    [k, q2](double t) { return q2 + k * t; });
                }
        }
    }

    void drawFormFactor() {
        const bool hide = s_.hideInactive != 0;
        symbol_.halfSize = SymbolHalfSize(s_.symbolSizeFF);
        symbol_.cross = s_.symbolTypeFF == 2;
        if (in_.formFactorShowsData)
            for (const ChartFFPoint& f : in_.formFactorPoints) {
                if (f.hasData != 1 || !(f.active == 1 || !hide)) continue;
                DataPoint p;
                p.x() = f.x;
                p.y() = f.y;
                p.yHi() = f.yHi;
                p.yLo() = f.yLo;
                point(p, f.active, s_.showErrorBarsFF == 1);
            }
        for (const ChartFFCurve& curve : in_.formFactorCurves) {
            const LineStyle pen = s_.lines.row(std::clamp(curve.lineRow, 1, kLineRows));
            c_.setPen(pen.width, opt_.monochrome ? kBlack : pen.color);
            ClippedPath path(c_, clip_);
            bool first = true;
            for (const auto& [x, y] : curve.points) {
                if (first) path.moveTo(map_.X(x), map_.Y(y));
                else path.lineTo(map_.X(x), map_.Y(y));
                first = false;
            }
        }
        // Legend at the top left of the data area.
        c_.setFont(ChartTextFont(400));
        c_.setTextAlign(kAlignLeft | kAlignTop);
        const int x = map_.X(in_.axes.x.minimum), y = map_.Y(in_.axes.y.maximum);
        const int f = m_.textLineHeight;
        int line = 0;
        auto lineY = [&](int n) { return y + static_cast<int>(n * f * 1.5); };
        if (s_.showSampleNameFF == 1 && in_.formFactorShowsData) c_.textOut(x, lineY(line++), in_.sampleName);
        for (const ChartFFCurve& curve : in_.formFactorCurves) {
            const LineStyle pen = s_.lines.row(std::clamp(curve.lineRow, 1, kLineRows));
            c_.setPen(pen.width, opt_.monochrome ? kBlack : pen.color);
            const int ly = lineY(line);
            c_.moveTo(x, ly + f / 2);
            c_.lineTo(x + 1000, ly + f / 2);
            c_.textOut(x + 1000 + 150, ly, curve.label);
            ++line;
        }
        if (!in_.formFactorConcentrationText.empty())
            c_.textOut(map_.X(in_.axes.x.minimum + 0.75 * in_.axes.x.span), y, in_.formFactorConcentrationText);
    }

    void drawFrameAndAxes() {
        const LineStyle frame = s_.lines.row(kLineFrame);
        c_.setPen(frame.width, frame.color);
        const int l = layout_.frameLeft(), t = layout_.frameTop();
        const int r = l + layout_.frameWidth(), b = t + layout_.frameHeight();
        c_.polyline({{l, t}, {r, t}, {r, b}, {l, b}, {l, t}});

        const LogFont axisFont = ChartAxisFont(s_);
        c_.setFont(axisFont);
        const int a = layout_.captionGap, gap = layout_.labelGap, ch = layout_.ch;
        const AxisScale& ax = in_.axes.x;
        const AxisScale& ay = in_.axes.y;
        // x caption, multiplier and exponent.
        const int captionY = map_.Y(ay.minimum) + 400 + (a + gap + ch);
        c_.setTextAlign(kAlignCenter | kAlignTop);
        c_.textOut(map_.X(ax.minimum + ax.span / 2), captionY, s_.xTitle);
        if (!ax.multiplier.empty()) {
            const int mx = map_.X(ax.maximum - 0.05 * ax.span);
            c_.setTextAlign(kAlignRight | kAlignTop);
            c_.textOut(mx, captionY, ax.multiplier);
            c_.setTextAlign(kAlignLeft | kAlignTop);
            c_.textOut(mx, captionY - m_.xMultiplierHeight / 2, ax.exponent);
        }
        // x ticks and labels.
        c_.setTextAlign(kAlignCenter | kAlignTop);
        for (std::size_t i = 0; i < ax.ticks.size(); ++i) {
            const int x = map_.X(ax.ticks[i]);
            c_.moveTo(x, b);
            c_.lineTo(x, b - 180);
            c_.moveTo(x, t);
            c_.lineTo(x, t + 180);
            if (i < ax.labels.size()) c_.textOut(x, b + gap, ax.labels[i]);
        }
        // y caption, turned to read upwards, centred on the y range.
        LogFont turned = axisFont;
        turned.escapement = turned.orientation = 900;
        c_.setFont(turned);
        c_.setTextAlign(kAlignLeft | kAlignBottom);
        c_.textOut(layout_.x0 - 400 - (a + gap + m_.widestYLabel), map_.Y(ay.minimum + ay.span / 2) + m_.yCaptionWidth / 2,
                   s_.yTitle);
        c_.setFont(axisFont);
        if (!ay.multiplier.empty()) {
            const int mx = l - ch;
            const int my = map_.Y(ay.maximum) - 400 - static_cast<int>(0.9 * ch);
            c_.setTextAlign(kAlignRight | kAlignBaseline);
            c_.textOut(mx, my, ay.multiplier);
            c_.setTextAlign(kAlignLeft | kAlignBaseline);
            c_.textOut(mx, my - m_.yMultiplierHeight / 2, ay.exponent);
        }
        c_.setTextAlign(kAlignRight | kAlignBaseline);
        for (std::size_t i = 0; i < ay.ticks.size(); ++i) {
            const int y = map_.Y(ay.ticks[i]);
            c_.moveTo(l, y);
            c_.lineTo(l + 180, y);
            c_.moveTo(r, y);
            c_.lineTo(r - 180, y);
            if (i < ay.labels.size()) c_.textOut(l - gap, y + ch / 2 - m_.axisDescent, ay.labels[i]);
        }
    }

    void drawTextsUnder() {
        c_.setFont(ChartTextFont(400));
        c_.setTextAlign(kAlignLeft | kAlignTop);
        c_.setBackgroundTransparent(true);
        const int pitch = static_cast<int>(m_.layoutLineHeight * 1.5);
        int y = layout_.extent.height - layout_.bottomBlock + layout_.ch;
        if (!in_.formFactor && s_.showResults == 1 && AllResultLines(in_)) {
            const int second = 200 + (layout_.extent.width - 200 - 400) / 3;
            c_.textOut(200, y, in_.resultLines[0]);
            c_.textOut(second, y, in_.resultLines[1]);
            y += pitch;
            c_.textOut(200, y, in_.resultLines[2]);
            c_.textOut(second, y, in_.resultLines[3]);
            y += pitch;
        }
        if (ShowFileName(in_))
            for (const std::string& line : WrapText(in_.sourceFiles, kFileListWidth)) {
                c_.textOut(200, y, line);
                y += pitch;
            }
        if (!in_.formFactor && s_.showSampleName == 1 && !in_.sampleName.empty()) {
            c_.setClipRect(layout_.x0, layout_.y0, layout_.x0 + layout_.width, layout_.y0 + m_.layoutLineHeight);
            c_.textOut(layout_.x0, layout_.y0, in_.sampleName);
            c_.resetClip();
        }
    }

    Canvas& c_;
    const ChartInputs& in_;
    const PlotSettings& s_;
    const ChartOptions& opt_;
    ChartMetrics m_;
    PlotLayout layout_;
    PlotMapping map_;
    ClipRect clip_;
    SymbolStyle symbol_;
};

} // namespace

LogFont ChartAxisFont(const PlotSettings& settings) {
    LogFont f = settings.axisFont;
    if (f.height == 0 && f.width == 0) {
        f.height = 380;
        f.width = 152;
    }
    f.escapement = f.orientation = 0;
    return f;
}

LogFont ChartTextFont(int weight) {
    LogFont f;
    f.height = 380;
    f.width = 152;
    f.weight = weight;
    f.faceName = "Arial";
    return f;
}

ChartMetrics MeasureChart(Canvas& canvas, const ChartInputs& in, ChartTarget target) {
    ChartMetrics m;
    canvas.save();
    const PlotSettings& s = *in.settings;
    canvas.setFont(ChartAxisFont(s));
    m.ch = canvas.textExtent("1A").height;
    m.axisDescent = canvas.fontDescent();
    for (const auto& label : in.axes.y.labels) m.widestYLabel = std::max(m.widestYLabel, canvas.textExtent(label).width);
    if (!in.axes.x.labels.empty()) m.lastXLabelWidth = canvas.textExtent(in.axes.x.labels.back()).width;
    m.xMultiplierHeight = in.axes.x.multiplier.empty() ? 0 : canvas.textExtent(in.axes.x.multiplier).height;
    m.yMultiplierHeight = in.axes.y.multiplier.empty() ? 0 : canvas.textExtent(in.axes.y.multiplier).height;
    m.yCaptionWidth = canvas.textExtent(s.yTitle).width;
    canvas.setFont(ChartTextFont(target == ChartTarget::Screen ? 700 : 400));
    m.layoutLineHeight = canvas.textExtent("1A").height;
    canvas.setFont(ChartTextFont(400));
    m.textLineHeight = canvas.textExtent("1A").height;
    canvas.restore();
    return m;
}

PlotLayout LayoutChart(const ChartInputs& in, const ChartMetrics& m, const LogicalExtent& extent) {
    LayoutInput li;
    li.extent = extent;
    li.ch = m.ch;
    li.widestYLabel = m.widestYLabel;
    li.lastXLabelWidth = m.lastXLabelWidth;
    li.textLineHeight = m.layoutLineHeight;
    li.showFileName = ShowFileName(in);
    li.fileNameLines = FileNameLines(in);
    li.showResults = !in.formFactor && in.settings->showResults == 1;
    return ComputeLayout(li);
}

ChartDrawResult DrawChart(Canvas& canvas, const ChartInputs& in, const ChartOptions& options,
                          const LogicalExtent& extent) {
    const ChartMetrics metrics = options.stored ? *options.stored : MeasureChart(canvas, in, options.target);
    Renderer renderer(canvas, in, options, metrics, extent);
    return renderer.draw();
}

} // namespace zeb
