#include "plotwindow/MenuChoices.h"

#include "plotwindow/TFitF1.h"

namespace zeb {

void ChoosePlotType(TFitF1& w, int plotType) {
    switch (plotType) {
    case 2: w.OnBerechnungPlottypBerry(); break;
    case 3: w.OnBerechnungPlottypGuinier(); break;
    case 4: w.OnBerechnungPlottypDi(); break;
    case 5: w.OnBerechnungPlottypDii(); break;
    case 6: w.OnBerechnungPlottypDiii(); break;
    default: w.OnBerechnungPlottypZimm(); break;
    }
}

void ChooseQOrder(TFitF1& w, int order) {
    switch (order) {
    case 1: w.OnBerechnungQ1(); break;
    case 2: w.OnBerechnungQ2(); break;
    case 3: w.OnBerechnungQ3(); break;
    case 4: w.OnBerechnungQ4(); break;
    case 5: w.OnBerechnungQ5(); break;
    default: w.OnBerechnungQKeine(); break;
    }
}

void ChooseCOrder(TFitF1& w, int order) {
    switch (order) {
    case 1: w.OnBerechnungC1(); break;
    case 2: w.OnBerechnungC2(); break;
    case 3: w.OnBerechnungC3(); break;
    case 4: w.OnBerechnungC4(); break;
    case 5: w.OnBerechnungC5(); break;
    default: w.OnBerechnungCKeine(); break;
    }
}

} // namespace zeb
