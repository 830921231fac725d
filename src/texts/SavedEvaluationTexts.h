// Texts of saved evaluations (.zeb files): the file dialogs and the messages
// of saving and opening (the menu items are in PlotWindowTexts.h).
#pragma once

namespace zeb::tx {

inline constexpr const char* EvaluationFilter = "ZEBstat evaluations (*.zeb)|*.zeb|All Files (*.*)|*.*|";
inline constexpr const char* SaveEvaluationTitle = "Save evaluation";
inline constexpr const char* OpenEvaluationTitle = "Open evaluation";

// Saving.
inline constexpr const char* EvaluationPastedData =
    "This window holds data pasted from the clipboard. An evaluation names the files its data come from, "
    "so it cannot be saved for pasted data.\nSave the data as a PLX file, load that file and save the "
    "evaluation then.";
inline constexpr const char* EvaluationReflectionCorrected =
    "The data of this window have been corrected for reflection. An evaluation file does not keep that "
    "correction, so it is not saved.\nLoad the files again to save an evaluation without it.";
inline constexpr const char* EvaluationFileChangedSinceLoad =
    "A data file of this window has been changed or replaced since it was loaded, so the evaluation could "
    "not name the data this window shows:\n";
inline constexpr const char* EvaluationFileUnreadable = "A data file of this window cannot be read:\n";
inline constexpr const char* EvaluationWouldReplaceData =
    "The evaluation would replace a data file of this window. Choose another name:\n";
inline constexpr const char* EvaluationSavedStatus = "Evaluation saved: ";
inline constexpr const char* EvaluationNotWritten = "The evaluation was not saved.";

// Opening.
inline constexpr const char* EvaluationCannotRead = "This evaluation file cannot be read:\n";
inline constexpr const char* EvaluationDamaged = "This is no evaluation file this program can open:\n";
inline constexpr const char* EvaluationFilesMissing =
    "The evaluation cannot be opened: these data files are missing or cannot be read:\n";
inline constexpr const char* EvaluationFilesChanged =
    "These data files have changed since the evaluation was saved (their size or content differs):\n";
inline constexpr const char* EvaluationOpenChangedQuestion =
    "\nThe results may differ from those saved. Open the evaluation with the files as they are now?";
inline constexpr const char* EvaluationLoadFailed =
    "The evaluation could not be opened: this data file did not load:\n";
inline constexpr const char* EvaluationPointsMissing =
    "These deactivated points of the evaluation do not exist in the data and are left out "
    "(concentration:angle):\n";
inline constexpr const char* EvaluationPlotTypeMissing =
    "The data hold no values for the plot type of the evaluation; the window shows the plot type it opens with.";
inline constexpr const char* EvaluationKRefused =
    "The k of the evaluation does not suit the data; the window keeps the k it computed for them.";
inline constexpr const char* EvaluationFormFactorRefused =
    "The form-factor view of the evaluation cannot be shown for these data; the window shows the measurement plot.";

} // namespace zeb::tx
