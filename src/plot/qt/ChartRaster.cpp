#include "plot/qt/ChartRaster.h"

#include "plot/ChartExport.h"
#include "plot/PlotLayout.h"
#include "plot/qt/QtCanvas.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cerrno>

namespace zeb {

void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a desktop session Qt says that it falls back to a runtime folder
    // of its own; that is no news to a command-line user, whose standard error
    // carries the program's messages.
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (type == QtWarningMsg && text.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR"))) return;
            if (previous) previous(type, context, text);
        });
    static int argc = 1;
    static char name[] = "zebstat-batch";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the process: Qt's own globals go before static objects would.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

QImage RenderChartImage(const ChartInputs& in, QSize size, ChartDrawResult* result) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ChartDrawResult r;
    {
        QtCanvas canvas(painter, QRect(QPoint(0, 0), size), kLogicalWidth, kLogicalHeight);
        r = DrawChart(canvas, in, {ChartTarget::Screen});
    }
    painter.end();
    if (result) *result = r;
    return image;
}

namespace {

bool drawPdf(QPdfWriter& writer, const ChartInputs& in) {
    writer.setResolution(1200);
    const double widthInch = 6.0;
    const double heightInch = widthInch * kLogicalHeight / kLogicalWidth;
    writer.setPageSize(QPageSize(QSizeF(widthInch * 25.4, heightInch * 25.4), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    {
        const QRect target(0, 0, writer.width(), writer.height());
        QtCanvas canvas(painter, target, kLogicalWidth, kLogicalHeight);
        DrawChart(canvas, in, {ChartTarget::Metafile});
    }
    return painter.end();
}

WriteResult writeBytes(const std::string& path, const QByteArray& bytes, const char* format) {
    if (bytes.isEmpty()) return WriteResult::Failure(ENOMEM, std::string("the ") + format + " picture could not be made");
    return WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace

QByteArray ChartPngBytes(const ChartInputs& in, QSize size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!RenderChartImage(in, size).save(&buffer, "PNG")) return {};
    return bytes;
}

QByteArray ChartPdfBytes(const ChartInputs& in) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        if (!drawPdf(writer, in)) return {};
    }
    return bytes;
}

WriteResult SaveChartPng(const ChartInputs& in, const std::string& path, QSize size) {
    // Refused before the picture is made when the file may not be replaced.
    if (WriteResult check = CheckWriteTarget(path); !check) return check;
    return writeBytes(path, ChartPngBytes(in, size), "PNG");
}

WriteResult SaveChartPdf(const ChartInputs& in, const std::string& path) {
    if (WriteResult check = CheckWriteTarget(path); !check) return check;
    return writeBytes(path, ChartPdfBytes(in), "PDF");
}

} // namespace zeb
