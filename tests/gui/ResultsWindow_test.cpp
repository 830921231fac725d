// The results window on the real widgets: grid contents and colours, the copy
// to the clipboard, and a screenshot.
#include "dialogs/qt/ResultsWindowView.h"
#include "gui/GuiTestSupport.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace zeb;

namespace {
ResultsReportParts Results() {
    ResultsReportParts r;
    r.firstLine = "4.22 11/98";
    r.secondLine = "Static Light Scattering, results of Zimm-Plot, q²-dep.: 1,  c-dep.: 1";
    r.tableLines = {"File           \tConc/(g/dm³)\tMw(app)/(g/mol)\t<S²>(app)/µm²\tRg(app)/nm",
                    "Conc.=0        \t    0.0000\t   2.500e5\t  1.600e-3\t      40.000",
                    "ps_c1.sta      \t    1.0000\t   2.000e5\t  1.500e-3\t      38.730",
                    "ps_c2.sta      \t    2.0000\t   1.700e5\t  1.400e-3\t      37.417"};
    r.closingText = "Mw(c): 2.500e+05 g/mol (± 1.2 %)    Mw(q²): 2.490e+05 g/mol (± 1.3 %)\r\n"
                    "Rg: 4.000e+01 nm (± 2.1 %)    A2: 4.000e-04 mol dm³/g² (± 5.1 %)";
    return r;
}
}

class ResultsWindowTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void showsTheTableAndCopies();
};

void ResultsWindowTest::showsTheTableAndCopies() {
    QtPlatform platform;
    ResultsWindowView view(Results(), platform);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.windowTitle(), QString("ZEB-Stat: Fit Results"));
    QTableWidget* grid = view.findChild<QTableWidget*>("cells");
    QVERIFY(grid);
    // The header row stays in place above the 14 rows of cells as they scroll.
    QCOMPARE(grid->rowCount(), 14);
    QCOMPARE(grid->columnCount(), 5);
    QCOMPARE(grid->horizontalHeaderItem(2)->text(), QString("Mw(app)/(g/mol)"));
    QCOMPARE(grid->item(1, 0)->text(), QString("ps_c1.sta      "));
    QVERIFY(grid->horizontalHeader()->isVisible());
    guitest::Screenshot(&view, "results_window");
    const QPoint headerAt = grid->horizontalHeader()->mapTo(&view, QPoint(0, 0));
    grid->scrollToBottom();
    QTRY_VERIFY(grid->rowAt(0) > 0);
    QCOMPARE(grid->horizontalHeader()->mapTo(&view, QPoint(0, 0)), headerAt);
    // Grid lines 2 pixels wide: two grey columns of pixels between the first two cells.
    const QImage cells = grid->viewport()->grab().toImage();
    const int edge = grid->columnViewportPosition(1);
    const int y = grid->rowViewportPosition(grid->rowAt(0)) + 10;
    const auto at = [&](double x) {
        const double dpr = cells.devicePixelRatio();
        return cells.pixelColor(static_cast<int>(x * dpr), static_cast<int>(y * dpr));
    };
    for (double x : {edge - 2.0, edge - 0.25}) QCOMPARE(at(x), QColor(0x80, 0x80, 0x80));
    QVERIFY(at(edge - 3) != QColor(0x80, 0x80, 0x80));

    QString confirmation;
    guitest::WhenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        confirmation = box->text();
        box->accept();
    });
    view.findChild<QPushButton*>("copyToClipboardButton")->click();
    QCOMPARE(confirmation, QString("Results of the calculation are copied to Clipboard."));
    const QString copied = QApplication::clipboard()->text();
    QVERIFY(copied.startsWith("4.22 11/98\r\n\r\nFile"));
    QVERIFY(!copied.contains("Static Light Scattering"));
}

ZEB_GUI_TEST(ResultsWindowTest)
#include "ResultsWindow_test.moc"
