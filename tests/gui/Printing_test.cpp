// Printing a plot window to a PDF file through the Qt printer: the pages that
// come out, copies, the print notice, and a picture of the first page.
#include "widgets/qt/SmallDialogs.h"
#include "support/BuildPaths.h"
#include "gui/GuiTestSupport.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/qt/PrintChart.h"
#include "support/SyntheticSets.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace zeb;

namespace {

struct Window {
    ScriptedPlatform platform;
    PlotWindow w{platform};
    explicit Window(int concentrations = 4) {
        test::ModelParams m;
        m.noise = 0.01;
        test::FillModelSet(w.set(), concentrations, 8, m);
        for (int c = 1; c <= concentrations; ++c)
            w.set().sourceName[static_cast<std::size_t>(c)] =
                "/lab/2024/ps-toluene/series" + std::to_string((c - 1) / 20 + 1) + ".sta";
        w.PostLoadSetup();
        w.setQOrder(FitOrder::One);
        w.setCOrder(FitOrder::One);
        w.plotSettings().sampleName = "Polystyrene 2 Mio in toluene";
    }
};

// The pages of a PDF file, counted in its page objects.
int PdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(f.readAll());
    return static_cast<int>(text.count(QRegularExpression("/Type\\s*/Page[^s]")));
}

void PdfPrinter(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
}

} // namespace

class PrintingTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void chartWithResultsOnePagePerCopy();
    void longResultsContinueAndAPictureOfPageOne();
    void chartOnlyWithoutPrintedResults();
};

void PrintingTest::chartWithResultsOnePagePerCopy() {
    Window x;
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = dir.filePath("plot.pdf");
    PdfPrinter(printer, pdf);
    PrintingNotice notice;
    QCOMPARE(PrintCopies(x.w, printer, 1, &notice), 1);
    QCOMPARE(PdfPages(pdf), 1);
    QCOMPARE(printer.docName(), QString("ZEB-Stat: Printing Results"));
    QCOMPARE(notice.findChild<QLabel*>("destinationLabel")->text(), pdf);
    QVERIFY(!notice.isVisible());
    QVERIFY(x.platform.messages.empty());

    // Two copies into one file: the copies follow one another.
    QCOMPARE(PrintCopies(x.w, printer, 2, nullptr), 2);
    QCOMPARE(PdfPages(pdf), 2);
}

void PrintingTest::longResultsContinueAndAPictureOfPageOne() {
    Window x(60);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = dir.filePath("long.pdf");
    PdfPrinter(printer, pdf);
    QCOMPARE(PrintCopies(x.w, printer, 1, nullptr), 1);
    const int pages = PdfPages(pdf);
    QVERIFY2(pages >= 2, qPrintable(QString("pages: %1").arg(pages)));

    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) QSKIP("pdftoppm (poppler-utils) is not installed");
    QDir().mkpath(test::build::ScreenshotDir());
    const QString kept = QString(test::build::ScreenshotDir()) + "/print_long.pdf";
    QFile::remove(kept);
    QFile::copy(pdf, kept);
    for (int page : {1, 2}) {
        const QString out = QString(test::build::ScreenshotDir()) + "/print_page" + QString::number(page);
        QProcess p;
        p.start(pdftoppm, {"-r", "60", "-png", "-singlefile", "-f", QString::number(page), "-l", QString::number(page),
                           pdf, out});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QImage image(out + ".png");
        QVERIFY(!image.isNull());
        // A4 at 60 dpi.
        QVERIFY(qAbs(image.width() - 496) <= 2);
        QVERIFY(qAbs(image.height() - 702) <= 2);
        // Ink in the upper part (the chart, or the continuation title) and at the
        // bottom (the footer), white margins at the sides.
        auto inkRows = [&image](int from, int to) {
            int rows = 0;
            for (int y = from; y < to; ++y)
                for (int xx = 0; xx < image.width(); ++xx)
                    if (qGray(image.pixel(xx, y)) < 128) {
                        ++rows;
                        break;
                    }
            return rows;
        };
        QVERIFY(inkRows(20, 300) > 20);
        QVERIFY(inkRows(image.height() - 80, image.height() - 10) > 0);
        for (int y = 0; y < image.height(); ++y) QVERIFY(qGray(image.pixel(3, y)) > 200);
        if (page == 1) QVERIFY(inkRows(400, 600) > 30);  // the results table under the chart
    }
}

void PrintingTest::chartOnlyWithoutPrintedResults() {
    Window x(60);
    x.w.plotSettings().printResults = 0;
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = dir.filePath("chart.pdf");
    PdfPrinter(printer, pdf);
    QCOMPARE(PrintCopies(x.w, printer, 1, nullptr), 1);
    QCOMPARE(PdfPages(pdf), 1);

    // A file that cannot be written is reported with the reason, before anything is printed.
    QPrinter broken(QPrinter::HighResolution);
    const QString nowhere = dir.filePath("no/such/folder/x.pdf");
    PdfPrinter(broken, nowhere);
    QCOMPARE(PrintCopies(x.w, broken, 1, nullptr), 0);
    QCOMPARE(x.platform.messages.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(x.platform.lastMessage().text),
             "Write error ! Cannot write the data to disk.\n\n" + nowhere + ": No such file or directory");
    QCOMPARE(x.platform.lastMessage().icon, MsgIcon::Stop);

    // A window without data has nothing to print.
    ScriptedPlatform platform;
    PlotWindow empty(platform);
    const QString none = dir.filePath("none.pdf");
    PdfPrinter(printer, none);
    QCOMPARE(PrintCopies(empty, printer, 1, nullptr), 0);
    QVERIFY(!QFile::exists(none));
}

ZEB_GUI_TEST(PrintingTest)
#include "Printing_test.moc"
