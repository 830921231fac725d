// Texts of the measurement set and the loaders.
#pragma once

namespace zeb::tx {

inline constexpr const char* StoreValueInternalError = "DPSetWert, internal error!";
inline constexpr const char* StoreValueBadCode = "DPSetWert, Internal Error";
inline constexpr const char* StoreValueFlagError = "DPSetWert( 0, 0, ... )";
inline constexpr const char* DataAlreadyExist =
    "Data with c and q values just found already exist.\n"
    "Most probably these data have been already imported via clipboard.\n"
    "If you wish to import the other data of this file, use the clipboard.";
inline constexpr const char* TooManyConcOrAngles =
    "There can not be loaded more than 99 concentration values\n"
    "and/or more than 135 angle values.\n";
inline constexpr const char* NotEnoughMemoryForLoading = "Not enough memory for loading data !";
inline constexpr const char* ErrorAllocationMemory = "Error allocation memory";

// A file added to data of another sample (the load goes on); lines naming
// what differs follow.
inline constexpr const char* AddedFileOfAnotherSample =
    "The added file differs from the data loaded before; its data are added all the same:";

} // namespace zeb::tx
