// The residual chart and the form-factor fits of the plot window on the real
// widgets: the item without a fit over q², the windows with their contents,
// and screenshots of both.
#include "app/qt/FrameWindowView.h"
#include "gui/GuiTestSupport.h"
#include "plot/ResidualChart.h"
#include "plotwindow/PlotMenu.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/qt/FormFactorFitsView.h"
#include "plotwindow/qt/PlotWindowView.h"
#include "plotwindow/qt/ResidualChartView.h"
#include "support/SyntheticSets.h"
#include "texts/FormFactorTexts.h"
#include "texts/PlotWindowTexts.h"

#include <QAction>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace zeb;

class PlotWindowUncertaintyTest : public guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void residualChartAndFormFactorFits();

private:
    guitest::AnsweringPlatform platform_;
};

void PlotWindowUncertaintyTest::residualChartAndFormFactorFits() {
    QTemporaryDir dir;
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    PlotWindowView view(frame, platform_);
    // A coil (Rg 45 nm) with 0.5 % noise: its q² fit of order 1 leaves a bow in the residuals.
    test::FillModelSet(view.core().set(), 4, 13, test::NoisyPolymer(kModelCoilMono, 1), 0.25e-3);
    view.core().PostLoadSetup();
    view.syncFromCore();
    QAction* residuals = view.action(MenuItemName(PlotMenuItem::Residuals));
    QAction* fit = view.action(MenuItemName(PlotMenuItem::FitFormFactors));
    QVERIFY(residuals && fit);

    // Without a fit over q² there are no residuals to show.
    view.action(MenuItemName(PlotMenuItem::C1))->trigger();
    QVERIFY(!residuals->isEnabled());
    view.action(MenuItemName(PlotMenuItem::Q1))->trigger();
    QVERIFY(residuals->isEnabled());

    int points = 0, darkPixels = 0;
    guitest::WhenModalOpens([&](QWidget* modal) {
        auto* window = qobject_cast<ResidualChartView*>(modal);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->windowTitle(), QString(tx::CapResidualChart));
        points = window->chart().points();
        auto* caption = window->findChild<QLabel*>("residualChartCaption");
        QVERIFY(caption);
        QVERIFY2(caption->text().contains("order 1") && caption->text().contains("rms"), qPrintable(caption->text()));
        const QImage drawn = window->chartArea()->grab().toImage();
        for (int y = 2; y < drawn.height() - 2; y += 2)
            for (int x = 2; x < drawn.width() - 2; x += 2) darkPixels += qGray(drawn.pixel(x, y)) < 128;
        guitest::Screenshot(window, "residual_chart");
        window->reject();
    });
    residuals->trigger();
    QCOMPARE(points, 52);
    QVERIFY2(darkPixels > 200, qPrintable(QString::number(darkPixels)));  // axes, labels and symbols

    QStringList coilRow;
    int rows = 0;
    guitest::WhenModalOpens([&](QWidget* modal) {
        auto* window = qobject_cast<FormFactorFitsView*>(modal);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTableWidget* grid = window->findChild<QTableWidget*>("formFactorFits");
        QVERIFY(grid);
        rows = grid->rowCount();
        for (int row = 0; row < rows; ++row)
            if (grid->item(row, 0)->text() == QString(tx::ModelCoilMono))
                for (int column = 0; column < grid->columnCount(); ++column) coilRow << grid->item(row, column)->text();
        QVERIFY(grid->geometry().right() <= window->width());
        guitest::Screenshot(window, "form_factor_fits");
        window->reject();
    });
    QVERIFY(fit->isEnabled());
    fit->trigger();
    QCOMPARE(rows, 4);
    QCOMPARE(coilRow.size(), 7);
    QVERIFY2(coilRow.value(4).startsWith("[4"), qPrintable(coilRow.join(" | ")));  // Rg's interval, about 45 nm
}

ZEB_GUI_TEST(PlotWindowUncertaintyTest)
#include "PlotWindowUncertainty_test.moc"
