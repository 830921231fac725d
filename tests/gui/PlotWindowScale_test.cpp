// The plot window on screens of device pixel ratio 1, 1.5 and 2 (offscreen
// screens of one run, see UseTestScreens): the chart shows its marks where the mapping
// of the chart puts them - symbols, tick marks, the red marks of a drag and of
// the keyboard cursor - and a point changed by the mouse or the keys shows its
// new look at once, the same as a full drawing. Positions are compared, not
// pictures: each mark is found in the window's picture and measured.
#include "app/qt/FrameWindowView.h"
#include "data/MeasurementSet.h"
#include "dialogs/qt/DialogForms.h"
#include "gui/GuiTestSupport.h"
#include "platform/qt/QtPlatform.h"
#include "plot/ChartPrimitives.h"
#include "plot/PlotLayout.h"
#include "plotwindow/PointSelection.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/qt/PlotWindowView.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStatusBar>
#include <QtTest>

#include <deque>
#include <optional>

using namespace zeb;

namespace {

// Three concentrations at four angles, far enough apart that every symbol
// stands alone.
const char* const kScaleGrid =
    "3\t4\t1.000000E-03\t2.000000E-03\t3.000000E-03\n"
    "30.0\t5.912109E+09\t3.42E-06\t4.30E-06\t5.24E-06\n"
    "70.0\t2.903572E+10\t3.51E-06\t4.42E-06\t5.29E-06\n"
    "110.0\t5.922145E+10\t3.64E-06\t4.55E-06\t5.44E-06\n"
    "150.0\t8.000000E+10\t3.70E-06\t4.65E-06\t5.55E-06\n";

bool Dark(QRgb p) { return qGray(p) < 100; }
bool Red(QRgb p) { return qRed(p) > 180 && qGreen(p) < 100 && qBlue(p) < 100; }

struct Blob {
    QPointF centre;  // of its bounding box, device pixels
    QRect box;
};

// The 8-connected pixels matching `match` that hold the matching pixel nearest
// to `at` (device pixels) within `radius`.
template <class Match>
std::optional<Blob> BlobAt(const QImage& img, QPointF at, double radius, Match match) {
    std::optional<QPoint> seed;
    double best = radius * radius;
    for (int y = int(at.y() - radius) - 1; y <= int(at.y() + radius) + 1; ++y)
        for (int x = int(at.x() - radius) - 1; x <= int(at.x() + radius) + 1; ++x) {
            if (!img.rect().contains(x, y) || !match(img.pixel(x, y))) continue;
            const double d = (x + 0.5 - at.x()) * (x + 0.5 - at.x()) + (y + 0.5 - at.y()) * (y + 0.5 - at.y());
            if (d <= best) best = d, seed = QPoint(x, y);
        }
    if (!seed) return std::nullopt;
    QRect box(*seed, QSize(1, 1));
    std::vector<QPoint> todo{*seed};
    QSet<qint64> seen{qint64(seed->y()) * img.width() + seed->x()};
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        box |= QRect(p, QSize(1, 1));
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint q(p.x() + dx, p.y() + dy);
                const qint64 key = qint64(q.y()) * img.width() + q.x();
                if (!img.rect().contains(q) || seen.contains(key) || !match(img.pixel(q))) continue;
                seen.insert(key);
                todo.push_back(q);
            }
    }
    return Blob{QRectF(box).center(), box};
}

int CountPixels(const QImage& img, bool (*match)(QRgb)) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += match(img.pixel(x, y));
    return n;
}

// Centres of the runs of dark pixels along one row (or column) of the picture.
std::vector<double> DarkRuns(const QImage& img, int fixed, bool row, int from, int to) {
    std::vector<double> centres;
    int start = -1;
    for (int i = from; i <= to + 1; ++i) {
        const bool d = i <= to && Dark(row ? img.pixel(i, fixed) : img.pixel(fixed, i));
        if (d && start < 0) start = i;
        if (!d && start >= 0) {
            centres.push_back((start + i) / 2.0);
            start = -1;
        }
    }
    return centres;
}

QString Suffix(double ratio) { return "@" + QString::number(ratio) + "x"; }

} // namespace

class PlotWindowScaleTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { frame_.reset(); }
    void cleanup();
    void symbolsAndTicksSitWhereTheMappingPutsThem_data() { ratios(); }
    void symbolsAndTicksSitWhereTheMappingPutsThem();
    void dragMarksExactlyTheRectangleAndLeavesNothing_data() { ratios(); }
    void dragMarksExactlyTheRectangleAndLeavesNothing();
    void keyModeShowsTheCursorAndTheNewLookAtOnce_data() { ratios(); }
    void keyModeShowsTheCursorAndTheNewLookAtOnce();
    void statusTextGoesWhenTheMouseLeavesTheDataArea();
    void hiddenInactivePointGoesAtOnce();

private:
    static void ratios() {
        QTest::addColumn<double>("ratio");
        for (double r : {1.0, 1.5, 2.0}) QTest::newRow(qPrintable(Suffix(r))) << r;
    }
    // A frame on the screen of that ratio with the grid loaded in one plot window of 728 x 515.
    PlotWindowView* open(double ratio);
    // Where the mapping of the last paint puts a point, in device pixels of the window's picture.
    QPointF expected(int c, int a) const;
    QPointF toDevice(double logicalX, double logicalY) const;
    QImage picture() const { return view_->grab().toImage(); }
    double symbolPixels() const;  // edge of a symbol box in pixels of the window
    // The point's symbol is filled (active) or white (inactive) inside.
    bool filled(const QImage& img, int c, int a) const;
    void verifyMarks(const QImage& img, const std::vector<GridPoint>& marked, const char* what);
    void verifyCursor(const QImage& img, GridPoint at, const char* what);
    void verifyAsDrawnInFull(const QImage& img);

    guitest::AnsweringPlatform platform_;
    QTemporaryDir dir_;
    std::unique_ptr<FrameWindowView> frame_;
    PlotWindowView* view_ = nullptr;
    double ratio_ = 1;
};

void PlotWindowScaleTest::initTestCase() {
    RegisterDialogForms();
    QVERIFY2(QGuiApplication::screens().size() >= 3, "the view tests' screens are not there");
    QFile grid(dir_.filePath("grid.asc"));
    QVERIFY(grid.open(QIODevice::WriteOnly));
    grid.write(kScaleGrid);
}

void PlotWindowScaleTest::cleanup() {
    guitest::CancelWatches();
    if (view_) view_->closeWithoutQuestion();
    view_ = nullptr;
    frame_.reset();
}

PlotWindowView* PlotWindowScaleTest::open(double ratio) {
    ratio_ = ratio;
    const QString name = ratio == 2.0 ? guitest::kScreenRatio2 : ratio == 1.5 ? guitest::kScreenRatio15 : "";
    QScreen* screen = QGuiApplication::primaryScreen();
    for (QScreen* s : QGuiApplication::screens())
        if (s->name() == name) screen = s;
    if (!qFuzzyCompare(screen->devicePixelRatio(), ratio)) return nullptr;
    if (!screen) return nullptr;
    frame_ = std::make_unique<FrameWindowView>(platform_, dir_.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    frame_->setScreen(screen);
    frame_->move(screen->availableGeometry().topLeft() + QPoint(10, 10));
    frame_->show();
    if (!QTest::qWaitForWindowExposed(frame_.get())) return nullptr;
    platform_.openAnswers.push_back(dir_.filePath("grid.asc").toStdString());
    frame_->loadNewFile();
    if (frame_->mdiArea()->subWindowList().size() != 1) return nullptr;
    view_ = qobject_cast<PlotWindowView*>(frame_->mdiArea()->subWindowList().front()->widget());
    if (!guitest::WaitForFirstData(view_)) return nullptr;
    view_->parentWidget()->resize(view_->parentWidget()->size() + QSize(728, 515) - view_->size());
    view_->repaint();
    return view_;
}

QPointF PlotWindowScaleTest::toDevice(double logicalX, double logicalY) const {
    const QRect target = view_->chartTarget();
    const double s = std::min(target.width() / 16383.0, target.height() / 13941.0);
    return QPointF(target.x() + logicalX * s, target.y() + logicalY * s) * ratio_;
}

QPointF PlotWindowScaleTest::expected(int c, int a) const {
    const PlotMapping map(*view_->core().screenLayout(), view_->core().axes());
    const DataPoint* p = view_->core().set().cell(c, a);
    return toDevice(map.X(p->x()), map.Y(p->y()));
}

double PlotWindowScaleTest::symbolPixels() const {
    const QRect target = view_->chartTarget();
    const double s = std::min(target.width() / 16383.0, target.height() / 13941.0);
    return 2 * SymbolHalfSize(view_->core().plotSettings().symbolSize) * s;
}

bool PlotWindowScaleTest::filled(const QImage& img, int c, int a) const {
    // Halfway between the centre dot and the outline.
    const QPointF at = expected(c, a) + QPointF(symbolPixels() * 0.25 * ratio_, 0);
    return Dark(img.pixel(at.toPoint()));
}

// Exactly the given points carry a red mark, each centred on its point.
void PlotWindowScaleTest::verifyMarks(const QImage& img, const std::vector<GridPoint>& marked, const char* what) {
    int markedPixels = 0;
    for (const GridPoint& g : marked) {
        const auto blob = BlobAt(img, expected(g.c, g.a), 1.5 * ratio_, Red);
        QVERIFY2(blob, qPrintable(QString("%1: no mark on (%2, %3)").arg(what).arg(g.c).arg(g.a)));
        const QPointF off = (blob->centre - expected(g.c, g.a)) / ratio_;
        QVERIFY2(std::abs(off.x()) <= 1.0 && std::abs(off.y()) <= 1.0,
                 qPrintable(QString("%1: mark of (%2, %3) %4, %5 px off").arg(what).arg(g.c).arg(g.a).arg(off.x()).arg(off.y())));
        for (int y = blob->box.top(); y <= blob->box.bottom(); ++y)
            for (int x = blob->box.left(); x <= blob->box.right(); ++x) markedPixels += Red(img.pixel(x, y));
    }
    QCOMPARE(CountPixels(img, Red), markedPixels);  // no red anywhere else
}

// The keyboard cursor: a red ring centred on its point, clear of the point's
// symbol (which shows its own look), and no red anywhere else.
void PlotWindowScaleTest::verifyCursor(const QImage& img, GridPoint at, const char* what) {
    const QPointF centre = expected(at.c, at.a);
    const double ring = symbolPixels() * ratio_;  // twice the symbol's half edge
    for (const QPointF& dir : {QPointF(1, 0), QPointF(-1, 0), QPointF(0, 1), QPointF(0, -1)})
        QVERIFY2(BlobAt(img, centre + dir * ring, 1.5 * ratio_, Red),
                 qPrintable(QString("%1: no ring around (%2, %3)").arg(what).arg(at.c).arg(at.a)));
    auto redWithin = [&](double half) {
        int n = 0;
        for (int y = int(centre.y() - half); y <= int(centre.y() + half); ++y)
            for (int x = int(centre.x() - half); x <= int(centre.x() + half); ++x)
                n += img.rect().contains(x, y) && Red(img.pixel(x, y));
        return n;
    };
    QCOMPARE(redWithin(ring * 0.5), 0);
    QCOMPARE(CountPixels(img, Red), redWithin(ring * 1.5 + 2 * ratio_));
}

void PlotWindowScaleTest::symbolsAndTicksSitWhereTheMappingPutsThem() {
    QFETCH(double, ratio);
    QVERIFY(open(ratio));
    QCOMPARE(view_->devicePixelRatioF(), ratio);
    const QImage img = picture();
    QCOMPARE(img.size(), view_->size() * ratio);
    guitest::Screenshot(view_, "plot_window_zimm" + Suffix(ratio));

    // Every symbol: a dark square of the symbol's size centred on its point.
    const MeasurementSet& set = view_->core().set();
    int symbols = 0;
    for (int c = 1; c <= set.lastConcIndex; ++c)
        for (int a = 1; a <= set.lastAngleIndex; ++a) {
            const auto blob = BlobAt(img, expected(c, a), 1.5 * ratio, Dark);
            QVERIFY2(blob, qPrintable(QString("no symbol at (%1, %2)").arg(c).arg(a)));
            const QPointF off = (blob->centre - expected(c, a)) / ratio;
            QVERIFY2(std::abs(off.x()) <= 1.0 && std::abs(off.y()) <= 1.0,
                     qPrintable(QString("symbol (%1, %2) %3, %4 px off").arg(c).arg(a).arg(off.x()).arg(off.y())));
            const double edge = blob->box.width() / ratio;
            QVERIFY2(std::abs(edge - symbolPixels()) <= 2.0 && blob->box.width() == blob->box.height(),
                     qPrintable(QString("symbol (%1, %2) is %3 x %4 device pixels, want about %5 px")
                                    .arg(c).arg(a).arg(blob->box.width()).arg(blob->box.height()).arg(symbolPixels())));
            QVERIFY(filled(img, c, a));
            ++symbols;
        }
    QCOMPARE(symbols, 12);

    // Tick marks: in the band between the frame and the data area, dark runs
    // exactly at the ticks (and nothing else), along the bottom and the left edge.
    const PlotLayout& l = *view_->core().screenLayout();
    const PlotMapping map(l, view_->core().axes());
    const AxesState& axes = view_->core().axes();
    const int frameBottom = l.frameTop() + l.frameHeight();
    const int bandRow = int(toDevice(0, frameBottom - 90).y());
    const std::vector<double> xs = DarkRuns(img, bandRow, true, int(toDevice(l.x0 - 300, 0).x()),
                                            int(toDevice(l.x0 + l.width + 300, 0).x()));
    QCOMPARE(xs.size(), axes.x.ticks.size());
    for (std::size_t i = 0; i < xs.size(); ++i)
        QVERIFY2(std::abs(xs[i] - toDevice(map.X(axes.x.ticks[i]), 0).x()) <= ratio,
                 qPrintable(QString("x tick %1 at %2, want %3").arg(i).arg(xs[i]).arg(toDevice(map.X(axes.x.ticks[i]), 0).x())));
    const int bandColumn = int(toDevice(l.frameLeft() + 90, 0).x());
    std::vector<double> ys = DarkRuns(img, bandColumn, false, int(toDevice(0, l.y0 - 300).y()),
                                      int(toDevice(0, l.y0 + l.height + 300).y()));
    QCOMPARE(ys.size(), axes.y.ticks.size());
    std::reverse(ys.begin(), ys.end());  // the ticks count upwards
    for (std::size_t i = 0; i < ys.size(); ++i)
        QVERIFY2(std::abs(ys[i] - toDevice(0, map.Y(axes.y.ticks[i])).y()) <= ratio,
                 qPrintable(QString("y tick %1 at %2").arg(i).arg(ys[i])));

    // With the fitted lines, for the eye.
    view_->action("qOrder1")->trigger();
    view_->action("cOrder1")->trigger();
    view_->repaint();
    guitest::Screenshot(view_, "plot_window_fitted" + Suffix(ratio));
}

void PlotWindowScaleTest::dragMarksExactlyTheRectangleAndLeavesNothing() {
    QFETCH(double, ratio);
    QVERIFY(open(ratio));
    const MeasurementSet& set = view_->core().set();
    auto at = [this](int c, int a) { return (expected(c, a) / ratio_).toPoint(); };
    QCOMPARE(CountPixels(picture(), Red), 0);

    // Pressed on (2, 2) and moved over (3, 3): the four points of the rectangle,
    // among them the rightmost ones, are marked red on their symbols.
    QTest::mouseMove(view_, at(2, 2));
    QTest::mousePress(view_, Qt::LeftButton, {}, at(2, 2));
    QTest::mouseMove(view_, at(3, 3));
    QImage img = picture();
    guitest::Screenshot(view_, "plot_window_drag" + Suffix(ratio));
    verifyMarks(img, {{2, 2}, {2, 3}, {3, 2}, {3, 3}}, "dragged to (3, 3)");
    // Back to (2, 3): the marks of (3, x) go.
    QTest::mouseMove(view_, at(2, 3));
    verifyMarks(picture(), {{2, 2}, {2, 3}}, "back to (2, 3)");

    // Released: the two points are toggled, no mark stays, and the picture
    // shows their new look at once.
    QTest::mouseRelease(view_, Qt::LeftButton, {}, at(2, 3));
    QCOMPARE(set.cell(2, 2)->active, std::int16_t(0));
    QCOMPARE(set.cell(2, 3)->active, std::int16_t(0));
    QCOMPARE(set.cell(3, 3)->active, std::int16_t(1));
    img = picture();
    QCOMPARE(CountPixels(img, Red), 0);
    QVERIFY(!filled(img, 2, 2));
    QVERIFY(!filled(img, 2, 3));
    QVERIFY(filled(img, 3, 3));
    guitest::Screenshot(view_, "plot_window_released" + Suffix(ratio));

    verifyAsDrawnInFull(img);
}

// The kept picture brought up to date where points changed is the picture a
// full drawing gives (antialiased edges may differ by rounding).
void PlotWindowScaleTest::verifyAsDrawnInFull(const QImage& img) {
    view_->parentWidget()->resize(view_->parentWidget()->size() + QSize(1, 0));
    view_->parentWidget()->resize(view_->parentWidget()->size() - QSize(1, 0));
    const QImage full = picture();
    QCOMPARE(full.size(), img.size());
    int worst = 0;
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x) {
            const QRgb a = img.pixel(x, y), b = full.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    QVERIFY2(worst <= 6, qPrintable(QString("largest difference %1").arg(worst)));
}

// With inactive points hidden, a point clicked away disappears at once, and
// the picture is still the one a full drawing gives.
void PlotWindowScaleTest::hiddenInactivePointGoesAtOnce() {
    QVERIFY(open(1.5));
    view_->core().plotSettings().hideInactive = 1;
    view_->action("calculate")->trigger();  // a full drawing with the setting
    view_->repaint();
    const QPoint at = (expected(2, 3) / ratio_).toPoint();
    QVERIFY(BlobAt(picture(), expected(2, 3), 1.5 * ratio_, Dark));
    QTest::mouseMove(view_, at);
    QTest::mouseClick(view_, Qt::LeftButton, {}, at);
    QCOMPARE(view_->core().set().cell(2, 3)->active, std::int16_t(0));
    const QImage img = picture();
    QVERIFY(!BlobAt(img, expected(2, 3), 1.5 * ratio_, Dark));
    verifyAsDrawnInFull(img);
}

void PlotWindowScaleTest::keyModeShowsTheCursorAndTheNewLookAtOnce() {
    QFETCH(double, ratio);
    QVERIFY(open(ratio));
    const MeasurementSet& set = view_->core().set();
    // The cursor is on (1, 1) as soon as the mode is on.
    view_->action("pointSelectionMode")->trigger();
    QVERIFY(view_->selection().keyMode());
    verifyCursor(picture(), {1, 1}, "key mode on");
    view_->setFocus();
    QTest::keyClick(view_, Qt::Key_Right);
    QTest::keyClick(view_, Qt::Key_Right);
    verifyCursor(picture(), {3, 1}, "two to the right");
    QTest::keyClick(view_, Qt::Key_Up);
    QImage img = picture();
    verifyCursor(img, {3, 2}, "one up");
    QVERIFY(filled(img, 3, 2));
    // Space toggles the point under the cursor, whose new look shows at once.
    QTest::keyClick(view_, Qt::Key_Space);
    QCOMPARE(set.cell(3, 2)->active, std::int16_t(0));
    img = picture();
    verifyCursor(img, {3, 2}, "after the toggle");
    QVERIFY(!filled(img, 3, 2));
    QTest::keyClick(view_, Qt::Key_Left);
    img = picture();
    verifyCursor(img, {2, 2}, "moved on");
    QVERIFY(!filled(img, 3, 2));
    guitest::Screenshot(view_, "plot_window_keymode" + Suffix(ratio));
    // Enter toggles the point under the cursor too; Esc takes the cursor away
    // and the point keeps its new look.
    QTest::keyClick(view_, Qt::Key_Return);
    QCOMPARE(set.cell(2, 2)->active, std::int16_t(0));
    QTest::keyClick(view_, Qt::Key_Escape);
    QVERIFY(!view_->selection().keyMode());
    img = picture();
    QCOMPARE(CountPixels(img, Red), 0);
    QVERIFY(!filled(img, 2, 2));
    QVERIFY(!filled(img, 3, 2));
    QVERIFY(filled(img, 1, 1));
}

void PlotWindowScaleTest::statusTextGoesWhenTheMouseLeavesTheDataArea() {
    QVERIFY(open(1.0));
    QStatusBar* status = frame_->statusBar();
    const QPoint on = (expected(2, 2) / ratio_).toPoint();
    QTest::mouseMove(view_, on);
    QVERIFY(status->currentMessage().startsWith("[2]: "));
    // Onto the result fields at the left of the chart.
    QTest::mouseMove(view_, QPoint(60, 200));
    QCOMPARE(status->currentMessage(), QString());
    QTest::mouseMove(view_, on);
    QVERIFY(status->currentMessage().startsWith("[2]: "));
    // Out of the window.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(view_, &leave);
    QCOMPARE(status->currentMessage(), QString());
}

ZEB_GUI_TEST(PlotWindowScaleTest)
#include "PlotWindowScale_test.moc"
