// Evaluates an ASC measurement table as a Zimm plot and draws its chart:
//   zebstat-example-evaluate TABLE.asc OUT.svg
// docs/architecture.md shows the lines between the two marks.
#include "data/ReaderFiles.h"
#include "data/Readers.h"
#include "evaluation/Evaluation.h"
#include "platform/ScriptedPlatform.h"
#include "plot/ChartExport.h"
#include "plot/EvaluationChart.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    using namespace zeb;
    // example-begin
    ScriptedPlatform platform;  // records messages; questions take their default answer
    MeasurementSet set(platform);
    set.InitMeasurementSet();
    const FileBytes file = ReadFileBytes(argv[1], kMaxAscFileBytes);
    DiskFiles files(argv[1]);
    ReaderInput input{argv[1], file.identity, set, platform, files, {}};
    if (!file.ok() || ReadAscBytes(file.bytes, input) != kLoadOk) return 1;

    EvaluationOptions options;  // Zimm plot, automatic k
    options.qOrder = options.cOrder = FitOrder::One;
    const Evaluation e(set, options);
    std::printf("Mw = %.4g g/mol, Rg = %.4g nm, A2 = %.4g mol dm3/g2\n", *e.results.mwC, *e.results.rgNm, *e.results.a2);
    PlotSettings settings;  // the built-in settings of a new window
    if (!WriteChartVectorFile(argv[2], EvaluationChartInputs(e, settings), nullptr)) return 1;
    // example-end
    return 0;
}
