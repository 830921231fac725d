// "Residuals of the fits...": a small window holding the residual chart of the
// plot window's evaluation, drawn through the Qt canvas to the proportions of
// its area (as the plot window draws its chart), what it shows and the rms of
// the residuals under it, and a Close button.
#pragma once

#include <QDialog>

#include <memory>

namespace zeb {

class ResidualChart;

class ResidualChartView : public QDialog {
    Q_OBJECT
public:
    explicit ResidualChartView(std::unique_ptr<ResidualChart> chart, QWidget* parent = nullptr);
    ~ResidualChartView() override;

    const ResidualChart& chart() const { return *chart_; }
    // The area the chart fills.
    QWidget* chartArea() const { return area_; }

private:
    class ChartArea;
    std::unique_ptr<ResidualChart> chart_;
    QWidget* area_ = nullptr;
};

} // namespace zeb
