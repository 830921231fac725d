#include "dialogs/LoadDialogs.h"

#include "dialogs/ConcentrationTableDialog.h"
#include "platform/Platform.h"

namespace zeb {

ReviewAnswer DialogRecordReview::review(ZebRecord& record, int recordNumber, double& nStandardRatio,
                                        int& sampleNameChanged, const ReviewedFile& file) {
    dialog_.Fill(record, recordNumber, nStandardRatio, sampleNameChanged);
    dialog_.describeFile(file);
    platform_.runModal(dialog_);
    dialog_.Release();
    platform_.processPendingMessages();
    return dialog_.answer();
}

namespace {

TableAnswer Show(Platform& platform, ConcentrationEntries& e, ConcentrationTableDialog::Form form, const ReviewedFile* file) {
    ConcentrationTableDialog dialog(platform);
    dialog.Fill(e.concentrationsGPerCm3, e.viscositiesMPas, form, e.sampleName, e.wavelengthNm,
                static_cast<int>(e.concentrationsGPerCm3.size()), e.temperaturesK);
    if (file) dialog.describeFile(*file);
    platform.runModal(dialog);
    switch (dialog.result()) {
    case ConcentrationTableDialog::Result::Ok: return TableAnswer::Ok;
    case ConcentrationTableDialog::Result::Ignore: return TableAnswer::Ignore;
    case ConcentrationTableDialog::Result::Abort: break;
    }
    return TableAnswer::Abort;
}

} // namespace

TableAnswer DialogConcentrationTable::correctPlt(ConcentrationEntries& entries, const ReviewedFile& file) {
    return Show(platform_, entries, ConcentrationTableDialog::Form::Plt, &file);
}

TableAnswer DialogConcentrationTable::completePlx(ConcentrationEntries& entries) {
    // The PLX form has no Abort.
    const TableAnswer answer = Show(platform_, entries, ConcentrationTableDialog::Form::Plx, nullptr);
    return answer == TableAnswer::Ok ? TableAnswer::Ok : TableAnswer::Ignore;
}

} // namespace zeb
