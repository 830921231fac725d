#include "plotwindow/qt/PrintChart.h"

#include "texts/CommonTexts.h"
#include "texts/OptionsTexts.h"
#include "texts/PlotTexts.h"
#include "widgets/qt/SmallDialogs.h"
#include "platform/AtomicFile.h"
#include "platform/Platform.h"
#include "platform/WriteError.h"
#include "plot/PlotLayout.h"
#include "plotwindow/PrintJob.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/PlotWindowChart.h"
#include "plot/qt/QtCanvas.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QFontMetricsF>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <cerrno>
#include <cmath>
#include <optional>

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

// Printing to a file goes through a temporary file: the finished document then
// replaces the chosen file as every file of the program is written, so that a
// failure (a full disk, a write-protected file) leaves that file as it was.
class PrintFileRedirect {
public:
    explicit PrintFileRedirect(QPrinter& printer) : printer_(printer), target_(printer.outputFileName()) {
        temp_.setFileTemplate(QDir::tempPath() + QStringLiteral("/zebstat-print-XXXXXX.pdf"));
        if (!temp_.open()) return;
        temp_.close();
        printer_.setOutputFileName(temp_.fileName());
        redirected_ = true;
    }
    ~PrintFileRedirect() { printer_.setOutputFileName(target_); }
    PrintFileRedirect(const PrintFileRedirect&) = delete;
    PrintFileRedirect& operator=(const PrintFileRedirect&) = delete;

    std::string target() const { return target_.toStdString(); }
    WriteResult ready() const {
        return redirected_ ? WriteResult{} : WriteResult::Failure(EIO, "no temporary file for the printout: " +
                                                                           temp_.errorString().toStdString());
    }
    // Replaces the chosen file with the printed document.
    WriteResult commit() {
        QFile printed(temp_.fileName());
        if (!printed.open(QIODevice::ReadOnly)) return WriteResult::Failure(EIO, printed.errorString().toStdString());
        const QByteArray bytes = printed.readAll();
        if (bytes.isEmpty()) return WriteResult::Failure(EIO, "the printout is empty");
        return WriteFileAtomically(target(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }

private:
    QPrinter& printer_;
    QString target_;
    QTemporaryFile temp_;
    bool redirected_ = false;
};

} // namespace

QPrinter& ProgramPrinter() {
    // Kept until the program ends (never destroyed after the application object).
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

PrintingNotice& PrintNotice() {
    static PrintingNotice* notice = new PrintingNotice;  // lives as long as the program
    return *notice;
}

int PrintCopies(PlotWindow& window, QPrinter& printer, int copies, PrintingNotice* notice) {
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
    const QString label = PrinterLabel(printer);
    Platform& platform = window.platform();
    std::optional<PrintFileRedirect> redirect;
    if (toFile) {
        const std::string target = printer.outputFileName().toStdString();
        WriteResult check = CheckWriteTarget(target);
        if (check) {
            redirect.emplace(printer);
            check = redirect->ready();
        }
        if (!check) {
            if (notice) notice->hide();
            platform.inform(WriteErrorText(target, check), tx::CapInformation, MsgIcon::Stop);
            return 0;
        }
    }
    int printed = 0;
    bool finished = true;
    QPainter painter;
    for (int copy = 0; copy < copies; ++copy) {
        if (!toFile || copy == 0) {
            if (!painter.begin(&printer)) {
                if (notice) notice->hide();
                platform.inform(tx::PrintCouldNotStart + label.toStdString() + ".", tx::CapInformation, MsgIcon::Stop);
                return toFile ? 0 : printed;
            }
        } else {
            printer.newPage();
        }
        QtPrintDevice device(printer, painter);
        // The time of each job, as it is sent.
        PrintDocument(device, MakePrintContent(window, CurrentCtime(), monochrome));
        ++printed;
        if (!toFile || copy == copies - 1) finished = painter.end() && finished;
    }
    if (notice) notice->hide();
    if (redirect) {
        const WriteResult written =
            finished ? redirect->commit() : WriteResult::Failure(EIO, "the printout could not be finished");
        if (!written) {
            platform.inform(WriteErrorText(redirect->target(), written), tx::CapInformation, MsgIcon::Stop);
            return 0;
        }
    }
    return printed;
}

int PrintWindow(PlotWindow& window, QWidget* parent) {
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
