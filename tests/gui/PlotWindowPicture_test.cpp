// The plot window's kept picture of a dense chart is, pixel for pixel, the
// chart drawn through the painter alone (the canvas writes symbols straight
// into the picture and leaves out lines lying on black), at device pixel
// ratios 1, 1.5 and 2 and odd window sizes; around it the window shows its
// own colour and the black frame, and inside the frame the picture.
#include "app/qt/FrameWindowView.h"
#include "dialogs/qt/DialogForms.h"
#include "gui/GuiTestSupport.h"
#include "platform/qt/QtPlatform.h"
#include "plot/PlotLayout.h"
#include "plot/PlotWindowGeometry.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/PlotWindowChart.h"
#include "plotwindow/qt/ChartPicture.h"
#include "plot/qt/QtCanvas.h"
#include "plotwindow/qt/PlotWindowView.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QtTest>

#include <cmath>
#include <deque>
#include <optional>

using namespace zeb;

namespace {

// 30 concentrations at 40 angles: in a small window the symbols run together
// into black, as on the largest charts.
QByteArray DenseGrid() {
    const int nc = 30, na = 40;
    QByteArray text = QByteArray::number(nc) + '\t' + QByteArray::number(na);
    for (int c = 1; c <= nc; ++c) text += '\t' + QByteArray::number(1e-4 * c, 'E', 6);
    text += '\n';
    for (int a = 0; a < na; ++a) {
        const double angle = 20.0 + 3.2 * a;
        const double q2 = 8.6e10 * std::pow(std::sin(angle / 2 * M_PI / 180), 2);
        text += QByteArray::number(angle, 'f', 1) + '\t' + QByteArray::number(q2, 'E', 6);
        for (int c = 1; c <= nc; ++c)
            text += '\t' + QByteArray::number(3.3e-6 * (1 + 0.5e-11 * q2) * (1 + 200 * 1e-4 * c), 'E', 6);
        text += '\n';
    }
    return text;
}

// The frame's line passes through the device pixel nearest `at` or one beside it.
bool FrameNear(const QImage& img, QPointF at) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint p = at.toPoint() + QPoint(dx, dy);
            if (img.rect().contains(p) && img.pixel(p) == qRgb(0, 0, 0)) return true;
        }
    return false;
}

QString PictureSuffix(double ratio, QSize size) {
    return QString("@%1x-%2x%3").arg(ratio).arg(size.width()).arg(size.height());
}

} // namespace

class PlotWindowPictureTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void keptPictureIsThePaintersPicture_data();
    void keptPictureIsThePaintersPicture();

private:
    PlotWindowView* open(double ratio, QSize size);

    guitest::AnsweringPlatform platform_;
    QTemporaryDir dir_;
    std::unique_ptr<FrameWindowView> frame_;
    PlotWindowView* view_ = nullptr;
};

void PlotWindowPictureTest::initTestCase() {
    RegisterDialogForms();
    QVERIFY2(QGuiApplication::screens().size() >= 3, "the view tests' screens are not there");
    QFile grid(dir_.filePath("dense.asc"));
    QVERIFY(grid.open(QIODevice::WriteOnly));
    grid.write(DenseGrid());
}

void PlotWindowPictureTest::cleanup() {
    zeb::guitest::CancelWatches();
    if (view_) view_->closeWithoutQuestion();
    view_ = nullptr;
    frame_.reset();
}

PlotWindowView* PlotWindowPictureTest::open(double ratio, QSize size) {
    const QString name = ratio == 2.0 ? zeb::guitest::kScreenRatio2 : ratio == 1.5 ? zeb::guitest::kScreenRatio15 : "";
    QScreen* screen = QGuiApplication::primaryScreen();
    for (QScreen* s : QGuiApplication::screens())
        if (s->name() == name) screen = s;
    if (!qFuzzyCompare(screen->devicePixelRatio(), ratio)) return nullptr;
    frame_ = std::make_unique<FrameWindowView>(platform_, dir_.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    frame_->setScreen(screen);
    frame_->move(screen->availableGeometry().topLeft() + QPoint(10, 10));
    frame_->resize(1200, 900);
    frame_->show();
    if (!QTest::qWaitForWindowExposed(frame_.get())) return nullptr;
    platform_.openAnswers.push_back(dir_.filePath("dense.asc").toStdString());
    frame_->loadNewFile();
    if (frame_->mdiArea()->subWindowList().size() != 1) return nullptr;
    view_ = qobject_cast<PlotWindowView*>(frame_->mdiArea()->subWindowList().front()->widget());
    if (!zeb::guitest::WaitForFirstData(view_)) return nullptr;
    view_->parentWidget()->resize(view_->parentWidget()->size() + size - view_->size());
    view_->action("qOrder1")->trigger();
    view_->action("cOrder1")->trigger();
    view_->repaint();
    return view_;
}

void PlotWindowPictureTest::keptPictureIsThePaintersPicture_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QSize>("size");
    for (const double r : {1.0, 1.5, 2.0})
        for (const QSize s : {QSize(728, 515), QSize(731, 523), QSize(977, 613)})
            QTest::newRow(qPrintable(PictureSuffix(r, s))) << r << s;
}

void PlotWindowPictureTest::keptPictureIsThePaintersPicture() {
    QFETCH(double, ratio);
    QFETCH(QSize, size);
    QVERIFY(open(ratio, size));
    QCOMPARE(view_->size(), size);
    const QImage window = view_->grab().toImage();
    zeb::guitest::Screenshot(view_, "plot_window_dense" + PictureSuffix(ratio, size));

    // The kept picture against the chart drawn through the painter alone.
    const QRect target = view_->chartTarget();
    const QImage& kept = view_->picture().image();
    QImage painter((QSizeF(target.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    painter.setDevicePixelRatio(ratio);
    painter.fill(Qt::white);
    {
        QPainter p(&painter);
        const LogicalExtent extent = ScreenExtent(target.width(), target.height());
        QtCanvas canvas(p, QRect(QPoint(0, 0), target.size()), extent.width, extent.height);
        canvas.drawThroughPainterOnly();
        DrawWindowChart(canvas, view_->core(), ChartTarget::Screen, false, extent);
    }
    QCOMPARE(kept.size(), painter.size());
    QCOMPARE(kept.format(), painter.format());
    int differing = 0;
    for (int y = 0; y < kept.height(); ++y)
        for (int x = 0; x < kept.width(); ++x) differing += kept.pixel(x, y) != painter.pixel(x, y);
    QCOMPARE(differing, 0);

    // In the window: the window's colour beside the chart (below the fields
    // at its left), the black frame, and the picture inside the frame.
    const QColor background = view_->palette().color(QPalette::Window);
    const QPoint besideChart = QPoint(target.left() / 2, size.height() - 3) * ratio;
    QCOMPARE(QColor(window.pixel(besideChart)), background);
    const QPoint corner = target.topLeft() * ratio;
    QVERIFY(FrameNear(window, QPointF(target.topLeft()) * ratio));
    QVERIFY(FrameNear(window, QPointF(target.right(), target.center().y()) * ratio));
    QVERIFY(FrameNear(window, QPointF(target.center().x(), target.bottom()) * ratio));
    int inside = 0, alike = 0;
    for (int y = 3; y < kept.height() - 3; y += 7)
        for (int x = 3; x < kept.width() - 3; x += 7) {
            ++inside;
            alike += window.pixel(corner + QPoint(x, y)) == kept.pixel(x, y);
        }
    QCOMPARE(alike, inside);
}

ZEB_GUI_TEST(PlotWindowPictureTest)
#include "PlotWindowPicture_test.moc"
