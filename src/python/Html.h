// A measurement and the results of an evaluation as small HTML tables, as a
// notebook shows them (every value with its unit, every text escaped), and an
// evaluation in one line of text.
#pragma once

#include "python/Measurements.h"

#include <string>
#include <string_view>

namespace zeb::python {

// The text with & < > " ' written as character references.
std::string HtmlEscaped(std::string_view text);

// The results (Mw g/mol, Rg nm, A2 mol dm³/g²; Dz µm²/s, C<S²> µm², kD dm³/g,
// Rh nm) with their relative errors, the plot type and orders, and the messages.
std::string EvaluationHtml(const Evaluated& evaluated);

// The sample, plot type, orders and results with their units in one line:
// "PS 1.0e6 in toluene, zimm q 1 c 1: Mw(c) 1.0087e+06 g/mol, ...".
std::string EvaluationLine(const Evaluated& evaluated);

// The files, sample, solvent, concentrations (g/dm³), the number of angles and
// the q² range (µm⁻²), and the messages of loading.
std::string MeasurementHtml(const Loaded& loaded);

} // namespace zeb::python
