// The concentration table of a TARN (PLT) file while it is read, as the reader
// sees it: the dialog in the program, a script in tests.
#pragma once

#include "data/RecordReview.h"

#include <string>
#include <vector>

namespace zeb {

enum class TableAnswer {
    Ok,      // "Change" (PLT form) or "Save" (PLX form): the edited values are taken over
    Ignore,  // "Continue without any change" / "Ignore and continue"
    Abort,   // the load ends, cancelled (PLT form only)
};

// The values the table shows and edits (index 0 is the first concentration).
struct ConcentrationEntries {
    std::vector<double> concentrationsGPerCm3;
    std::vector<float> viscositiesMPas;
    std::vector<float> temperaturesK;
    std::string sampleName;
    double wavelengthNm = 0.0;
};

class ConcentrationTable {
public:
    virtual ~ConcentrationTable() = default;
    // PLT form: the wavelength, the sample name and the concentrations may be
    // corrected (Ok; the correction is written back into the file), kept
    // (Ignore) or the load aborted. file tells where the untouched file is kept
    // before a change, or why a change cannot be written to it.
    virtual TableAnswer correctPlt(ConcentrationEntries& entries, const ReviewedFile& file) = 0;
    // PLX form: a viscosity and a temperature per concentration, for saving the
    // data as a PLX file (Ok) or not (Ignore).
    virtual TableAnswer completePlx(ConcentrationEntries& entries) = 0;
};

// A window without the table: the file is taken as it is and not saved again.
class KeepConcentrations : public ConcentrationTable {
public:
    TableAnswer correctPlt(ConcentrationEntries&, const ReviewedFile&) override { return TableAnswer::Ignore; }
    TableAnswer completePlx(ConcentrationEntries&) override { return TableAnswer::Ignore; }
};

} // namespace zeb
