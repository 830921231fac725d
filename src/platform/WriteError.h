// The message of a failed file write: the program's text for the kind of
// failure, then the file and the system's reason.
#pragma once

#include "platform/AtomicFile.h"

#include <string>

namespace zeb {

// "Write error ! Most probably because of disk space ..." for a full disk,
// "Write error ! Cannot write the data to disk." otherwise; then an empty line
// and "PATH: REASON".
std::string WriteErrorText(const std::string& path, const WriteResult& result);

// "PATH: REASON", the line that names the file and the reason.
std::string FileAndReason(const std::string& path, const WriteResult& result);

} // namespace zeb
