// Texts of the results window.
#pragma once

namespace zeb::tx {

inline constexpr const char* ResultsCaption = "ZEB-Stat: Fit Results";
inline constexpr const char* ResultsToClipboard = "Results to &Clipboard";
inline constexpr const char* ResultsCopied = "Results of the calculation are copied to Clipboard.";
inline constexpr const char* CapResultsCopied = "ZEB-Stat:";
inline constexpr const char* CapResultsClipboardError = "ZEBstat:";

} // namespace zeb::tx
