#include "dialogs/ConcentrationTableDialog.h"
#include "dialogs/FileNotes.h"

#include "texts/CommonTexts.h"
#include "texts/ImportDialogTexts.h"
#include "data/CFormat.h"
#include "dialogs/DialogNumber.h"
#include "platform/CodePage.h"

#include <charconv>
#include <cmath>
#include <utility>
#include <limits>

namespace zeb {

namespace {

constexpr std::size_t kTarnSampleNameChars = 40;

// A single-precision value as the decimal number it was entered as (298.15f
// is shown as 298.15000, not as 298.14999).
double asDecimal(float v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    double d = v;
    std::from_chars(buf, r.ptr, d);
    return d;
}

} // namespace

void ConcentrationTableDialog::Fill(std::vector<double>& conc, std::vector<float>& visc, Form form, std::string& sampleName,
                      double& wavelengthNm, int n, std::vector<float>& temps) {
    form_ = form;
    n_ = n;
    conc_ = &conc;
    visc_ = &visc;
    temp_ = &temps;
    sampleName_ = &sampleName;
    wavelength_ = &wavelengthNm;
    closed_ = false;

    const int columns = n > 3 ? n + 1 : 5;
    rowCount_ = form == Form::Plt ? 2 : 4;
    fixedRows_ = form == Form::Plt ? 1 : 2;
    cells.assign(static_cast<std::size_t>(columns), std::vector<std::string>(static_cast<std::size_t>(rowCount_)));
    const char* headers[] = {tx::ConcentrationTableRowNumber, tx::ConcentrationTableRowConcentration, tx::ConcentrationTableRowViscosity,
                             tx::ConcentrationTableRowTemperature};
    for (int row = 0; row < rowCount_; ++row) cells[0][static_cast<std::size_t>(row)] = headers[row];
    for (int i = 1; i <= n; ++i) {
        auto& column = cells[static_cast<std::size_t>(i)];
        const auto k = static_cast<std::size_t>(i - 1);
        column[0] = CFormat("%d", i);
        column[1] = CFormat("%.5lf", conc[k] * 1000.0);
        if (form == Form::Plx) {
            column[2] = CFormat("%.5lf", asDecimal(visc[k]));
            column[3] = CFormat("%.5lf", asDecimal(temps[k]));
        }
    }
    shown_ = cells;

    if (form == Form::Plt) {
        pltPanelVisible = true;
        plxPanelVisible = false;
        continueButtonCaption = tx::ConcentrationTableBtnContinue;
        changeButtonCaption = tx::ConcentrationTableBtnChange;
        abortButtonVisible = true;
        wavelengthField = CFormat("%.2lf", wavelengthNm);
        shownWavelength_ = wavelengthField;
        sampleNameField = sampleName;
        result_ = Result::Abort;
    } else {
        pltPanelVisible = false;
        plxPanelVisible = true;
        continueButtonCaption = tx::ConcentrationTableBtnIgnore;
        changeButtonCaption = tx::ConcentrationTableBtnSave;
        abortButtonVisible = false;
        result_ = Result::Ignore;
    }
}

bool ConcentrationTableDialog::cellEditable(int column, int row) const {
    if (column < 1 || column > n_ || row < fixedRows_ || row >= rowCount_) return false;
    return form_ == Form::Plt ? row == 1 : row >= 2;
}

void ConcentrationTableDialog::invalidInput() { platform_.inform(tx::InvalidFloatInput, tx::CapInformation, MsgIcon::Stop); }

void ConcentrationTableDialog::continueUnchanged() {
    result_ = Result::Ignore;
    closed_ = true;
}

void ConcentrationTableDialog::abort() {
    if (!abortButtonVisible) return;
    result_ = Result::Abort;
    closed_ = true;
}

void ConcentrationTableDialog::showHelp() { platform_.showHelp(tx::ImportDialogHelpContext); }

void ConcentrationTableDialog::describeFile(const ReviewedFile& file) {
    FileNotes notes = NotesAbout(file);
    originalFileNote = std::move(notes.originalKept);
    cannotChangeNote = std::move(notes.cannotChange);
}

void ConcentrationTableDialog::applyChanges() {
    if (!conc_ || closed_ || !changeAvailable()) return;
    // The view edits the cells' texts; a table of another shape is no input.
    bool shaped = cells.size() >= static_cast<std::size_t>(n_) + 1;
    for (int i = 1; shaped && i <= n_; ++i)
        shaped = cells[static_cast<std::size_t>(i)].size() >= static_cast<std::size_t>(rowCount_);
    if (!shaped) return invalidInput();
    // Every number is checked before anything is taken over, so a typing
    // error never leaves half of the table changed.
    auto number = [&](const std::string& text, const std::string& shownText, double original, double scale,
                      bool positive, double& out) {
        if (text == shownText) {
            out = original;
            return true;
        }
        double v = 0;
        if (!DialogNumber(text, v) || (positive && !(v > 0.0))) return false;
        out = v * scale;
        return std::fabs(out) <= std::numeric_limits<float>::max();
    };
    std::vector<double> conc(static_cast<std::size_t>(n_));
    std::vector<double> visc(static_cast<std::size_t>(n_)), temp(static_cast<std::size_t>(n_));
    for (int i = 1; i <= n_; ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        const auto& column = cells[static_cast<std::size_t>(i)];
        const auto& shownCells = shown_[static_cast<std::size_t>(i)];
        if (!number(column[1], shownCells[1], (*conc_)[k], 0.001, true, conc[k])) return invalidInput();
        if (form_ == Form::Plx) {
            if (!number(column[2], shownCells[2], (*visc_)[k], 1.0, false, visc[k])) return invalidInput();
            if (!number(column[3], shownCells[3], (*temp_)[k], 1.0, false, temp[k])) return invalidInput();
        }
    }
    double wavelength = *wavelength_;
    if (form_ == Form::Plt && !number(wavelengthField, shownWavelength_, *wavelength_, 1.0, true, wavelength))
        return invalidInput();

    for (int k = 0; k < n_; ++k) {
        const auto i = static_cast<std::size_t>(k);
        (*conc_)[i] = conc[i];
        if (form_ == Form::Plx) {
            (*visc_)[i] = static_cast<float>(visc[i]);
            (*temp_)[i] = static_cast<float>(temp[i]);
        }
    }
    if (form_ == Form::Plt) {
        *wavelength_ = wavelength;
        *sampleName_ = Utf8Left(sampleNameField, kTarnSampleNameChars);
    }
    result_ = Result::Ok;
    closed_ = true;
}

} // namespace zeb
