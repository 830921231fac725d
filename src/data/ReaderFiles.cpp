#include "data/ReaderFiles.h"

#include "data/PltPlxWriter.h"

namespace zeb {

FileWriteResult DiskFiles::checkCorrectable(const FileIdentity& asRead) { return CheckCorrectable(path_, asRead); }

FileWriteResult DiskFiles::keepOriginal(std::string_view originalBytes) { return KeepOriginal(path_, originalBytes); }

FileWriteResult DiskFiles::replace(std::string_view bytes, const FileIdentity& asRead) {
    return ReplaceFileContents(path_, bytes, asRead);
}

void DiskFiles::savePlx(Platform& platform, const MeasurementSet& set, const PltPlxWriteRequest& request) {
    WritePltPlxFile(platform, set, request);
}

namespace {

FileWriteResult refused(const char* reason) {
    FileWriteResult r;
    r.reason = reason;
    return r;
}

} // namespace

FileWriteResult MemoryFiles::checkCorrectable(const FileIdentity& asRead) {
    if (!(asRead == identity)) return refused("another program has changed the file since it was read");
    if (!writable) return refused("the file is write-protected");
    FileWriteResult r;
    r.ok = true;
    r.identity = identity;
    return r;
}

FileWriteResult MemoryFiles::keepOriginal(std::string_view originalBytes) {
    if (!original) original = std::string(originalBytes);  // an existing copy holds an older state
    FileWriteResult r;
    r.ok = true;
    return r;
}

FileWriteResult MemoryFiles::replace(std::string_view bytes, const FileIdentity& asRead) {
    if (!(asRead == identity)) return refused("another program has changed the file since it was read");
    if (!writable) return refused("the file is write-protected");
    contents = std::string(bytes);
    identity.sizeBytes = contents.size();
    ++identity.modifiedNanoseconds;
    ++replaceCount;
    FileWriteResult r;
    r.ok = true;
    r.identity = identity;
    return r;
}

void MemoryFiles::savePlx(Platform&, const MeasurementSet& set, const PltPlxWriteRequest& request) {
    savedPlx.push_back(FormatPltPlxFile(set, request));
}

} // namespace zeb
