// Evaluates a measurement file as a Zimm plot with both fit orders 1, prints
// Mw(c), Rg and A2 and draws the chart, as `zebstat-batch eval --q-order 1
// --c-order 1` does:
//   zebstat-example-evaluate FILE OUT.svg
// docs/architecture.md shows the lines between the two marks.
#include "data/MeasurementLoader.h"
#include "platform/ScriptedPlatform.h"
#include "plot/ChartExport.h"
#include "plot/EvaluationView.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    using namespace zeb;
    // example-begin
    ScriptedPlatform platform;  // keeps the messages; reviews answer "Continue without any change"
    const auto loaded = LoadMeasurement({argv[1]}, platform);  // .sta .dat .plt .plx .asc
    if (!loaded->loaded()) return 1;

    EvaluationOptions options;  // Zimm plot, automatic k
    options.qOrder = options.cOrder = FitOrder::One;
    const EvaluationView view(loaded->set, options);  // the evaluation and its chart, no window
    const EvaluationResults& r = view.evaluation().results;
    std::printf("Mw = %.17g g/mol, Rg = %.17g nm, A2 = %.17g mol dm3/g2\n", *r.mwC, *r.rgNm, *r.a2);
    if (!WriteChartVectorFile(argv[2], view.chartInputs(), nullptr)) return 1;
    // example-end
    return 0;
}
