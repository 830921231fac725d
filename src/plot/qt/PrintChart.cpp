#include "plot/qt/PrintChart.h"

#include "app/texts/CommonTexts.h"
#include "app/texts/OptionsTexts.h"
#include "app/texts/PlotTexts.h"
#include "app/qt/SmallDialogs.h"
#include "platform/Platform.h"
#include "plot/PlotLayout.h"
#include "plot/PrintJob.h"
#include "plot/TFitF1.h"
#include "plot/TFitF1Chart.h"
#include "plot/qt/QtCanvas.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <cmath>

namespace zeb {

namespace {

// One document on the printer: the painter's origin is the top left of the
// printable area, as device coordinates of a printer are.
class QtPrintDevice : public PrintDevice {
public:
    QtPrintDevice(QPrinter& printer, QPainter& painter) : printer_(printer), painter_(painter) {}

    PageMetrics metrics() override {
        const QRectF paper = printer_.paperRect(QPrinter::DevicePixel);
        const QRectF page = printer_.pageRect(QPrinter::DevicePixel);
        PageMetrics m;
        m.pageWidth = static_cast<int>(std::lround(paper.width()));
        m.pageHeight = static_cast<int>(std::lround(paper.height()));
        m.offsetX = static_cast<int>(std::lround(page.left() - paper.left()));
        m.offsetY = static_cast<int>(std::lround(page.top() - paper.top()));
        return m;
    }

    TextMeasure measure() override {
        auto metrics = [this](const LogFont& font) { return QFontMetricsF(QtCanvas::ToQFont(font), &printer_); };
        return {[metrics](const LogFont& f, const std::string& s) {
                    return static_cast<int>(std::lround(metrics(f).horizontalAdvance(QString::fromStdString(s))));
                },
                [metrics](const LogFont& f, const std::string&) {
                    const QFontMetricsF fm = metrics(f);
                    return static_cast<int>(std::lround(fm.ascent() + fm.descent()));
                }};
    }

    void withChartCanvas(const PageLayout& l, const std::function<void(Canvas&)>& draw) override {
        QtCanvas canvas(painter_, QRect(l.chartLeft, l.chartTop, l.chartWidth, l.chartHeight), kLogicalWidth,
                        kLogicalHeight);
        draw(canvas);
    }

    void withDeviceCanvas(const std::function<void(Canvas&)>& draw) override {
        const int w = painter_.device()->width(), h = painter_.device()->height();
        QtCanvas canvas(painter_, QRect(0, 0, w, h), w, h);
        draw(canvas);
    }

    void newPage() override { printer_.newPage(); }

private:
    QPrinter& printer_;
    QPainter& painter_;
};

QString PrinterLabel(const QPrinter& printer) {
    if (!printer.outputFileName().isEmpty()) return printer.outputFileName();
    return printer.printerName();
}

} // namespace

QPrinter& ProgramPrinter() {
    // Kept until the program ends (never destroyed after the application object).
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

TFormLittleMsg& PrintNotice() {
    static TFormLittleMsg* notice = new TFormLittleMsg;  // lives as long as the program
    return *notice;
}

int PrintCopies(TFitF1& window, QPrinter& printer, int copies, TFormLittleMsg* notice) {
    // A window still loading (or without data) has no chart to print.
    if (!ChartReady(window)) return 0;
    if (copies < 1) copies = 1;
    printer.setDocName(tx::PrintJobTitle);
    // The copies are separate jobs; the printer is not asked to repeat one.
    printer.setCopyCount(1);
    if (notice) {
        notice->setDestination(PrinterLabel(printer));
        notice->show();
        notice->raise();
        QApplication::processEvents();
    }
    const bool monochrome = printer.colorMode() == QPrinter::GrayScale;
    const bool toFile = !printer.outputFileName().isEmpty();
    int printed = 0;
    QPainter painter;
    for (int copy = 0; copy < copies; ++copy) {
        if (!toFile || copy == 0) {
            if (!painter.begin(&printer)) {
                if (notice) notice->hide();
                window.platform().inform(tx::PrintCouldNotStart + PrinterLabel(printer).toStdString() + ".",
                                         tx::CapInformation, MsgIcon::Stop);
                return printed;
            }
        } else {
            printer.newPage();
        }
        QtPrintDevice device(printer, painter);
        // The time of each job, as it is sent.
        PrintDocument(device, MakePrintContent(window, CurrentCtime(), monochrome));
        ++printed;
        if (!toFile || copy == copies - 1) painter.end();
    }
    if (notice) notice->hide();
    return printed;
}

int PrintWindow(TFitF1& window, QWidget* parent) {
    QPrinter& printer = ProgramPrinter();
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return 0;
    const int copies = printer.copyCount();
    return PrintCopies(window, printer, copies, &PrintNotice());
}

void PrinterSetup(QWidget* parent) {
    QPageSetupDialog dialog(&ProgramPrinter(), parent);
    dialog.exec();
}

} // namespace zeb
