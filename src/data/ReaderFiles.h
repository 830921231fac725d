// Where a reader's writes go. A reader gets the bytes of its file; a record
// or PLT file corrected during its load is replaced as a whole (the untouched
// original kept beside it), and the data of a PLT file may be saved as a PLX
// file. On disk in the program; in memory for tests and fuzzing.
#pragma once

#include "data/FileReplace.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

class MeasurementSet;
class Platform;
struct PltPlxWriteRequest;

class ReaderFiles {
public:
    virtual ~ReaderFiles() = default;
    // May the file be corrected? It must still be the file that was read.
    virtual FileWriteResult checkCorrectable(const FileIdentity& asRead) = 0;
    // Keeps the untouched original before the first correction.
    virtual FileWriteResult keepOriginal(std::string_view originalBytes) = 0;
    // Replaces the file by bytes; asRead is the file as last read or written.
    virtual FileWriteResult replace(std::string_view bytes, const FileIdentity& asRead) = 0;
    // Saves the set as a PLX file (the request may leave the name to a dialog).
    virtual void savePlx(Platform& platform, const MeasurementSet& set, const PltPlxWriteRequest& request) = 0;
};

// The file at path, corrected through FileReplace; PLX files written by WritePltPlxFile.
class DiskFiles : public ReaderFiles {
public:
    explicit DiskFiles(std::string path) : path_(std::move(path)) {}
    FileWriteResult checkCorrectable(const FileIdentity& asRead) override;
    FileWriteResult keepOriginal(std::string_view originalBytes) override;
    FileWriteResult replace(std::string_view bytes, const FileIdentity& asRead) override;
    void savePlx(Platform& platform, const MeasurementSet& set, const PltPlxWriteRequest& request) override;

private:
    std::string path_;
};

// A file held in memory: what a correction writes stays here.
class MemoryFiles : public ReaderFiles {
public:
    // identity: the file as the reader is told it was read.
    explicit MemoryFiles(std::string bytes, FileIdentity identity = {}) : contents(std::move(bytes)), identity(identity) {}

    std::string contents;                 // the file as last written
    FileIdentity identity;                // changes with every replace
    std::optional<std::string> original;  // the kept original
    std::vector<std::string> savedPlx;    // the PLX files saved, in order
    bool writable = true;                 // false: the file is write-protected
    int replaceCount = 0;

    FileWriteResult checkCorrectable(const FileIdentity& asRead) override;
    FileWriteResult keepOriginal(std::string_view originalBytes) override;
    FileWriteResult replace(std::string_view bytes, const FileIdentity& asRead) override;
    void savePlx(Platform& platform, const MeasurementSet& set, const PltPlxWriteRequest& request) override;
};

} // namespace zeb
