// The concentration table of TARN (PLT) files. In its PLT form the user may
// correct the wavelength, the sample name and the concentrations before the
// data are stored (a correction is written back into the file); in its PLX
// form a viscosity and a temperature per concentration can be entered before
// the data are saved as a PLX file. A new instance serves each showing.
#pragma once

#include "data/RecordReview.h"
#include "platform/Platform.h"

#include <string>
#include <vector>

namespace zeb {

class ConcentrationTableDialog : public ModalDialog {
public:
    enum class Form { Plt, Plx };
    enum class Result { Ok, Ignore, Abort };

    explicit ConcentrationTableDialog(Platform& platform) : platform_(platform) {}

    const char* dialogName() const override { return "ConcentrationTableDialog"; }
    // "Continue without any change" / "Ignore and continue".
    void answerDefault() override { continueUnchanged(); }

    // Prepares the controls. The arrays (n entries each; index 0 is the first
    // concentration), the sample name and the wavelength belong to the caller
    // and receive the values taken over by Change or Save. Until a button
    // closes the dialog the result is Abort (PLT form) or Ignore (PLX form).
    void Fill(std::vector<double>& concentrationsGPerCm3, std::vector<float>& viscositiesMPas, Form form,
              std::string& sampleName, double& wavelengthNm, int n, std::vector<float>& temperaturesK);

    // cells: cells[column][row]; column 0 and row 0 are fixed headers.
    std::vector<std::vector<std::string>> cells;
    int colCount() const { return static_cast<int>(cells.size()); }
    int rowCount() const { return rowCount_; }
    int fixedRows() const { return fixedRows_; }
    bool cellEditable(int column, int row) const;

    std::string wavelengthField;
    std::string sampleNameField;
    // Under the red warning of the PLT form: where the untouched file is kept
    // before a change, or, for a file that cannot take a change, why not.
    std::string originalFileNote;
    std::string cannotChangeNote;
    // Takes the notes about the file from the reader (after Fill).
    void describeFile(const ReviewedFile& file);
    // The PLT form's "Ch&ange" is offered only when the change can be written.
    bool changeAvailable() const { return form_ != Form::Plt || cannotChangeNote.empty(); }
    std::string continueButtonCaption;
    std::string changeButtonCaption;
    bool abortButtonVisible = true;
    bool pltPanelVisible = false;
    bool plxPanelVisible = false;

    void continueUnchanged();
    // "Ch&ange" in the PLT form, "&Save" in the PLX form.
    void applyChanges();
    void abort();
    void showHelp();

    Form form() const { return form_; }
    Result result() const { return result_; }
    bool closed() const { return closed_; }

private:
    void invalidInput();

    Platform& platform_;
    Form form_ = Form::Plt;
    Result result_ = Result::Abort;
    bool closed_ = false;
    int n_ = 0;
    int rowCount_ = 0;
    int fixedRows_ = 0;
    std::vector<double>* conc_ = nullptr;
    std::vector<float>* visc_ = nullptr;
    std::vector<float>* temp_ = nullptr;
    std::string* sampleName_ = nullptr;
    double* wavelength_ = nullptr;
    // The texts as filled: a cell the user did not touch keeps its exact value.
    std::vector<std::vector<std::string>> shown_;
    std::string shownWavelength_;
};

} // namespace zeb
