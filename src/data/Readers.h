// The readers of the measurement files, as functions of the file's bytes. Each
// fills a measurement set and returns kLoadOk, kLoadFailed (the message has
// been shown) or kLoadCancelled. The load sequence (DataWindow::LoadDataFile) reads
// the file and calls them; tests and fuzzing call them with bytes in memory.
#pragma once

#include "data/FileAccess.h"

#include <functional>
#include <string>
#include <string_view>

namespace zeb {

class ConcentrationTable;
class MeasurementSet;
class Platform;
class ReaderFiles;
class RecordReview;

// Results of the readers and of the load sequence.
inline constexpr int kLoadOk = 1;
inline constexpr int kLoadFailed = -1;
inline constexpr int kLoadCancelled = -3;

// What a reader needs besides the bytes.
struct ReaderInput {
    std::string path;       // names the file in messages; the source name of its columns
    FileIdentity identity;  // the file as read: a correction is written only over that file
    MeasurementSet& set;    // receives the data (initialised)
    Platform& platform;     // messages, the beep, pending events
    ReaderFiles& files;     // where corrections and saved PLX files go
    // Polled while the data are stored; false once "Abort Loading" was pressed.
    std::function<bool()> loading;

    bool stillLoading() const { return !loading || loading(); }
};

// ZEB-7100 record files (.sta, .dat): review and correction of the record
// parameters, corrected records written back through in.files. Handles the
// grid limit itself (message, kLoadFailed).
int ReadRecordBytes(std::string bytes, ReaderInput& in, RecordReview& review);
// TARN files (.plt), with the concentration table. The grid limit
// (EOvlConcAngle) goes to the caller.
int ReadPltBytes(std::string_view bytes, ReaderInput& in, ConcentrationTable& table);
// The program's own PLX files (.plx). The grid limit goes to the caller.
int ReadPlxBytes(std::string_view bytes, ReaderInput& in);
// Tab-separated number tables (.asc). The grid limit goes to the caller.
int ReadAscBytes(std::string_view bytes, ReaderInput& in);

} // namespace zeb
