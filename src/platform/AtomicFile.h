// Whole-file writes that never leave a half-written file behind: the bytes go
// to a temporary file beside the target, which is flushed and then renamed into
// place. Every writer of a user's file goes through WriteFileAtomically.
//
// The temporary file has no name while it is written (Linux's O_TMPFILE): a
// program killed at any moment leaves nothing behind, except in the instant
// between giving the complete file a hidden name and renaming it over the
// target. Where the file system has no unnamed files, it is written under a
// hidden name (".NAME.XXXXXX") beside the target, removed again on every
// failure, but left behind when the program is killed while writing.
//
// - A target that exists must be a regular file the user may write to. A file
//   without write permission is never replaced, also not by root (who could
//   write it anyway): its owner made it read-only on purpose. Devices, pipes,
//   sockets and folders are refused.
// - A symbolic link is written through: the file it points to is replaced and
//   the link stays (a dangling link gets its file created).
// - A replaced file keeps its permissions and, where the system allows it, its
//   owner and group; a new file gets 0666 less the umask.
// - The temporary name fits the name limit for any valid target name.
// - On any failure (no space, quota, write-protected, a failing rename, ...)
//   the old file is as it was, the temporary file is gone and the result says
//   why (the system's text for the error).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zeb {

struct WriteResult {
    int error = 0;       // errno of the failure; 0 when the file was written
    std::string reason;  // why, for the user: "No space left on device", "the file is write-protected", ...

    bool ok() const { return error == 0; }
    // So that `if (!WriteFileAtomically(...))` reads naturally.
    operator bool() const { return ok(); }
    // The disk (or the user's quota or file size limit) is full.
    bool diskFull() const;

    static WriteResult Failure(int error, std::string reason);
};

// Writes bytes to path as a whole new file (see above).
WriteResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// A new file beside a target, written and then put in place (see above).
class TemporaryFile {
public:
    TemporaryFile() = default;
    // Closes the file; a named file not put in place is removed.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Creates the file in the folder of target, for writing, with mode less
    // the umask. Returns 0 or the errno of the failure.
    int create(const std::string& target, unsigned mode);
    int fd() const { return fd_; }
    // True when the file has no name (O_TMPFILE).
    bool unnamed() const { return unnamed_; }
    // Closes the file (an unnamed one only after it was put in place).
    // Returns 0 or the errno of the failure.
    int close();
    // Puts the file in place as target, replacing what is there (rename).
    // Returns 0 or an errno; on failure target is as it was.
    int replace(const std::string& target);
    // Puts the file in place as target only when nothing is there: EEXIST
    // when target exists (link). Returns 0 or an errno.
    int link(const std::string& target);

private:
    int fd_ = -1;
    bool unnamed_ = false;
    std::string path_;  // the hidden name of a named file, until it is put in place
};

// Test seam: false makes every temporary file a named one, as on a file
// system without unnamed files.
void SetUnnamedTemporaryFilesForTests(bool allowed);

// The file a path names once symbolic links are followed (the whole chain; for
// a dangling link the missing file it points to). nullopt with errno set when
// the chain cannot be followed.
std::optional<std::string> FollowLinks(const std::string& path);

// The checks WriteFileAtomically makes before it writes anything: whether path
// may be replaced (or created), and the file that would be written (the target
// of a symbolic link). Lets a writer refuse before a long preparation.
WriteResult CheckWriteTarget(const std::string& path, std::string* finalPath = nullptr);

// The system's text for an error number, in English whatever the locale.
std::string ErrorText(int error);

// Test seam: the steps of a write. A hook that returns a non-zero errno for a
// step makes that step fail with it, as a full disk or a failing rename would.
enum class WriteStep { CreateTemporary, Write, Sync, Close, Rename };
using WriteFaultHook = std::function<int(WriteStep step)>;
// Installs the hook for the whole process (an empty one removes it).
void SetWriteFaultHook(WriteFaultHook hook);

} // namespace zeb
