// Texts of the checks that keep damaged, foreign or impossible files out of a
// window, and of the corrections written into measurement files. A refusal
// names the file, and the line or record, on a line of its own after the text.
#pragma once

namespace zeb::tx {

// A text table that is damaged: nothing of it is loaded.
inline constexpr const char* InvalidDataFile = "Invalid data file ! Nothing of it is loaded.";
// A file larger than any file of its format.
inline constexpr const char* FileTooLarge = "This file is too large for a measurement file of its kind.";
// A file with the extension of a record file whose bytes are no ZEB-7100 records.
inline constexpr const char* NotARecordFile = "This is no ZEB-7100 record file. Nothing of it is loaded.";
// Records and lines whose values no measurement can have (outside the ranges
// of data/PlausibleRanges.h); the rest of the file loads.
inline constexpr const char* ImpossibleRecordValues =
    "These records hold values no measurement can have. They are not loaded:";
inline constexpr const char* ImpossibleLineValues =
    "These lines hold values no measurement can have. They are not loaded:";
// Fields of value lines that are no number (undetermined values of the program
// that wrote the file); the file loads.
inline constexpr const char* NotNumbersCountAsMinusOne =
    "These values are no numbers; each counts as -1 (not determined):";
// After the list when nothing of the file is left.
inline constexpr const char* NothingLeftToLoad = "No measurement of the file is left: nothing of it is loaded.";
// The count of a collapsed message: "PATH: 13365 values."
inline constexpr const char* MessageCountLine = "%s: %d values.";
inline constexpr const char* MessageCountLineOne = "%s: 1 value.";

// Corrections of record and PLT files.
inline constexpr const char* CorrectionNotPossible =
    "The file cannot be changed, so the correction is not made.\n"
    "The rest of the file is loaded as it is, without further review.";
inline constexpr const char* CorrectionNotWritten =
    "The file keeps its state before this correction; the correction is not made.\n"
    "The rest of the file is loaded as it is, without further review.";
// The review dialogs: where the untouched file is kept before the first change.
inline constexpr const char* OriginalKeptNote =
    "Before the first change the untouched file is kept beside it as \"%s\".";

} // namespace zeb::tx
