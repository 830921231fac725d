#include "plot/AxisCaptions.h"

#include "texts/PlotTexts.h"

namespace zeb {

namespace {

struct FormFactorAxes {
    const char* x;
    const char* y;
    double xScale;
    double yScale;
};

const FormFactorAxes& FF(int r) {
    static const FormFactorAxes kTable[13] = {
        {"", "", 1, 1},
        {tx::FFCaptionQ2, tx::FFCaptionInvPz, 1e-8, 1},
        {tx::FFCaptionQ2, tx::FFCaptionSqrtInvPz, 1e-8, 1},
        {tx::FFCaptionQ2, tx::FFCaptionMinusLnPz, 1e-8, 1},
        {tx::FFCaptionQ, tx::FFCaptionPzQ2, 1e-4, 1e-8},
        {tx::FFCaptionQ, tx::FFCaptionPzQ, 1e-4, 1e-4},
        {tx::FFCaptionU2, tx::FFCaptionInvPz, 1, 1},
        {tx::FFCaptionU2, tx::FFCaptionSqrtInvPz, 1, 1},
        {tx::FFCaptionU2, tx::FFCaptionMinusLnPz, 1, 1},
        {tx::FFCaptionU, tx::FFCaptionPzU2, 1, 1},
        {tx::FFCaptionU, tx::FFCaptionPzU, 1, 1},
        {tx::FFCaptionQ, tx::FFCaptionPz, 1e-4, 1},
        {tx::FFCaptionU, tx::FFCaptionPz, 1, 1},
    };
    return kTable[r >= 1 && r <= 12 ? r : 0];
}

} // namespace

const char* BuiltInXCaption(int plotType) { return plotType >= 1 && plotType <= 6 ? tx::XCaptionQ2Kc : ""; }

const char* BuiltInYCaption(int plotType) {
    switch (plotType) {
    case 1: return tx::YCaptionZimm;
    case 2: return tx::YCaptionBerry;
    case 3: return tx::YCaptionGuinier;
    case 4: return tx::YCaptionDI;
    case 5: return tx::YCaptionDII;
    case 6: return tx::YCaptionDIII;
    default: return "";
    }
}

const char* BuiltInFormFactorXCaption(int representation) { return FF(representation).x; }
const char* BuiltInFormFactorYCaption(int representation) { return FF(representation).y; }
double FormFactorXLabelScale(int representation) { return FF(representation).xScale; }
double FormFactorYLabelScale(int representation) { return FF(representation).yScale; }

void SelectAxisTitles(PlotSettings& s, int plotType, int representation) {
    if (s.formFactorMode) {
        const std::size_t r = representation >= 1 && representation <= 12 ? static_cast<std::size_t>(representation) : 0;
        s.xTitle = r && !s.xTitleFF[r].empty() ? s.xTitleFF[r] : BuiltInFormFactorXCaption(representation);
        s.yTitle = r && !s.yTitleFF[r].empty() ? s.yTitleFF[r] : BuiltInFormFactorYCaption(representation);
    } else {
        const std::size_t t = plotType >= 1 && plotType <= 6 ? static_cast<std::size_t>(plotType) : 0;
        s.xTitle = t && !s.xTitleZimm[t].empty() ? s.xTitleZimm[t] : BuiltInXCaption(plotType);
        s.yTitle = t && !s.yTitleZimm[t].empty() ? s.yTitleZimm[t] : BuiltInYCaption(plotType);
    }
}

} // namespace zeb
