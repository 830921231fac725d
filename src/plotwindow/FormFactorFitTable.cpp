#include "plotwindow/FormFactorFitTable.h"

#include "analysis/NumberText.h"
#include "data/CFormat.h"
#include "texts/PlotWindowTexts.h"
#include "texts/UncertaintyTexts.h"

#include <algorithm>

namespace zeb {

namespace {

// Four significant digits, trailing zeros kept, as the intervals of the results window.
std::string number(double v) { return CleanNumber(CFormat("%#.4g", v)); }

std::string valueText(const std::optional<double>& v) { return v ? number(*v) : std::string(tx::NotDeterminedValue); }

std::string intervalText(const std::optional<Interval>& i) {
    return i ? "[" + number(i->low) + ", " + number(i->high) + "]" : std::string(tx::NotDeterminedValue);
}

bool fitted(const FormFactorFitResult& m) { return m.converged && m.mwGPerMol.has_value(); }

} // namespace

FormFactorFitTable TabulateFormFactorFits(const FormFactorFits& fits, double level) {
    FormFactorFitTable t;
    t.heading = CFormat(tx::FormFactorFitsTitle, fits.points);
    const std::string interval = CFormat(tx::FormFactorFitsIntervalColumn, level * 100.0);
    t.columns = {tx::FormFactorFitsModelColumn, tx::FormFactorFitsMwColumn, interval, tx::FormFactorFitsRgColumn,
                 interval, tx::FormFactorFitsSquaresColumn, tx::FormFactorFitsRmsColumn};

    std::vector<const FormFactorFitResult*> order;
    for (const FormFactorFitResult& m : fits.models) order.push_back(&m);
    std::stable_sort(order.begin(), order.end(), [](const FormFactorFitResult* a, const FormFactorFitResult* b) {
        if (fitted(*a) != fitted(*b)) return fitted(*a);
        return fitted(*a) && a->reducedChi2 < b->reducedChi2;
    });
    for (const FormFactorFitResult* m : order) {
        const bool any = fitted(*m);
        t.rows.push_back({m->name, valueText(m->mwGPerMol), intervalText(m->mwInterval), valueText(m->rgNm),
                          intervalText(m->rgInterval), any ? number(m->chi2) : std::string(tx::NotDeterminedValue),
                          any ? CleanNumber(CFormat("%.2f", m->rmsRelativePercent)) + " %" : std::string(tx::NotDeterminedValue)});
        t.models.push_back(m->model);
        if (!m->why.text.empty()) t.notes.push_back(std::string(m->name) + ": " + CFormat(tx::NotDeterminedBecause, m->why.text.c_str()));
    }
    for (const FormFactorFitResult& m : fits.models)
        if (m.model == fits.bestModel) t.notes.push_back(CFormat(tx::FormFactorFitsBest, m.name));
    return t;
}

} // namespace zeb
