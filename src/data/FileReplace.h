// Corrections of a measurement file that never leave a mixed file: the new
// contents go to a temporary file in the same folder (one without a name where
// the system has them, see AtomicFile.h), which is flushed and renamed over the
// old file, keeping its owner and permissions. Whatever happens (a full disk, a
// failed write, a killed program) the file is at every moment either the old or
// the new complete file. Before the first correction the untouched original is
// kept beside the file as NAME.orig.
//
// A file reached through a symbolic link is corrected where it is: the link
// stays and the original is kept beside the file it points to. A file with
// several names (hard links) is not corrected: the corrected copy would take
// the place of one name only, and the others would go on naming the old data.
#pragma once

#include "data/FileAccess.h"

#include <functional>
#include <string>
#include <string_view>

namespace zeb {

struct FileWriteResult {
    bool ok = false;
    bool writeFailed = false;  // the file could be changed, but writing the new one failed
    std::string reason;     // why it failed, in words ("No space left on device")
    FileIdentity identity;  // the file after a successful replace
};

// The path of the untouched original of a corrected file (beside the target of
// a symbolic link).
std::string OriginalCopyPath(const std::string& path);

// May the file be corrected? It must still be the file that was read (asRead),
// not be write-protected, have no other name, and be open for writing.
// Nothing is changed.
FileWriteResult CheckCorrectable(const std::string& path, const FileIdentity& asRead);

// Keeps originalBytes (the file as read) as OriginalCopyPath(path), with the
// file's owner, permissions and time stamps. An existing copy is left as it is:
// it holds an even older state of the file.
FileWriteResult KeepOriginal(const std::string& path, std::string_view originalBytes);

// Replaces the file by bytes. asRead: the file must still be the one last
// read or written (another program may have changed it since).
FileWriteResult ReplaceFileContents(const std::string& path, std::string_view bytes, const FileIdentity& asRead);

// The message for a correction that was not written: a failed write names its
// reason and says that the file keeps its state; a file that may no longer be
// changed (write-protected or changed by another program meanwhile) says so.
std::string CorrectionFailedText(const std::string& path, const FileWriteResult& result);

// The steps of a write, for tests that make one of them fail.
enum class ReplaceStep { CreateTemporary, Write, WriteSecondHalf, Flush, Rename };
// A test seam: called before each step; a non-zero result is taken as the
// errno of that step failing. Empty in the program.
void SetWriteFaultForTests(std::function<int(ReplaceStep)> fault);

} // namespace zeb
