// The plot-type and order menus chosen by number, through the window's own
// handlers (each recalculates as the menu item does): 1 Zimm .. 6 D-III, and
// orders 0 ("no") .. 5. The batch tool and saved evaluations choose this way.
#pragma once

namespace zeb {

class TFitF1;

void ChoosePlotType(TFitF1& window, int plotType);
void ChooseQOrder(TFitF1& window, int order);
void ChooseCOrder(TFitF1& window, int order);

} // namespace zeb
